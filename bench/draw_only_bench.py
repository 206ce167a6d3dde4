#!/usr/bin/env python3
"""Times whole draw-only runs (process start to exit) of orbeline against ImageMagick doing
comparable work on the same input: decode a JPEG, fit it to the screen, draw 31 numbers and
write a BMP. Reports the median wall time and the peak resident memory of each.

Usage: bench/draw_only_bench.py [--orbeline build/src/orbeline] [--runs 7]
Runs headless (no display): the generic desktop's emulated screen sets the size.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SIZES = [(1920, 1080), (3840, 2160)]


def timed(command, env):
    """Wall seconds and peak RSS (MiB) of one child process."""
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    stderr = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{command[0]} failed: {stderr}")
    return elapsed, usage.ru_maxrss / 1024.0


def make_photo(path, width, height):
    # A photo-like picture: smooth colour fields with noise, made once per size.
    subprocess.run(["convert", "-size", f"{width // 8}x{height // 8}", "plasma:fractal",
                    "-resize", f"{width}x{height}!", "-attenuate", "0.3",
                    "+noise", "Gaussian", "-quality", "90", path], check=True)


def home_for(root, width, height, photo):
    env = dict(os.environ)
    for var in ("DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(var, None)
    env.update(HOME=f"{root}/home", XDG_CONFIG_HOME=f"{root}/config",
               XDG_CACHE_HOME=f"{root}/cache", XDG_RUNTIME_DIR=f"{root}/runtime",
               ORBELINE_DESKTOP="generic", LANG="en_US.UTF-8", LC_ALL="")
    for sub in ("home", "config/Quillmere", "cache", "runtime"):
        os.makedirs(f"{root}/{sub}", exist_ok=True)
    os.chmod(f"{root}/runtime", 0o700)
    with open(f"{root}/config/Quillmere/Desktop.conf", "w") as conf:
        conf.write(f"[desktop]\nWallpaper={photo}\nScreenWidth={width}\n"
                   f"ScreenHeight={height}\nBitsPerPixel=24\n")
    return env


def imagemagick_command(photo, width, height, out):
    draw = []
    for day in range(1, 32):
        x = 10 + ((day - 1) % 7) * 30
        y = 40 + ((day - 1) // 7) * 30
        draw += ["-draw", f"text {x},{y} '{day}'"]
    return (["convert", photo, "-resize", f"{width}x{height}^", "-gravity", "center",
             "-extent", f"{width}x{height}", "-gravity", "NorthWest",
             "-font", "Liberation-Sans-Bold-Italic", "-pointsize", "24", "-fill", "gray"]
            + draw + ["-type", "TrueColor", f"BMP3:{out}"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orbeline", default="build/src/orbeline")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    orbeline = os.path.abspath(args.orbeline)
    if not shutil.which("convert"):
        sys.exit("ImageMagick's convert is needed")
    print(f"{'size':>10} {'tool':>12} {'median s':>9} {'peak MiB':>9}")
    with tempfile.TemporaryDirectory(prefix="orbeline-bench-") as work:
        for width, height in SIZES:
            photo = f"{work}/photo-{width}x{height}.jpg"
            make_photo(photo, width, height)
            env = home_for(f"{work}/{width}", width, height, photo)
            results = {"orbeline": [], "imagemagick": []}
            timed([orbeline, "-OnlyDraw"], env)  # first run writes the store
            for _ in range(args.runs):
                results["orbeline"].append(timed([orbeline, "-OnlyDraw"], env))
                results["imagemagick"].append(
                    timed(imagemagick_command(photo, width, height, f"{work}/im.bmp"), env))
            medians = {}
            for tool, samples in results.items():
                medians[tool] = statistics.median(s for s, _ in samples)
                peak = max(m for _, m in samples)
                print(f"{width}x{height:<5} {tool:>12} {medians[tool]:9.3f} {peak:9.1f}")
            print(f"{'':>10} {'ratio':>12} {medians['imagemagick'] / medians['orbeline']:9.2f}"
                  "  (ImageMagick time / orbeline time)")


if __name__ == "__main__":
    main()
