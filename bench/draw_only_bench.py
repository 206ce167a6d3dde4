#!/usr/bin/env python3
"""Times whole draw-only runs (process start to exit) of orbeline against the floor of that
work, `djpeg -bmp` decoding the same JPEG and writing it as a BMP, and against ImageMagick
doing comparable work (decode, fit to the screen, draw 31 numbers, write a BMP). The runs of
one case alternate, so that every orbeline run has its djpeg and ImageMagick run beside it
under the same load. Reports the median wall time and the peak resident memory of each, the
ratio of the medians to djpeg's, and orbeline's peak memory in 32-bit screen frames.

The zoom case draws a 6000x4000 photo on a 1920x1080 screen under WallpaperStyle 10 (cover,
with the smoothing filter) and compares it with the centred 1920x1080 run from a picture of
the screen's size, timed in the same rounds.

Usage: bench/draw_only_bench.py [--orbeline build/src/orbeline] [--runs 11]
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

# (label, screen size, source size, WallpaperStyle)
CASES = [
    ("1920x1080 centred", (1920, 1080), (1920, 1080), 0),
    ("1920x1080 stretched", (1920, 1080), (1920, 1080), 2),
    ("3840x2160 centred", (3840, 2160), (3840, 2160), 0),
    ("3840x2160 stretched", (3840, 2160), (3840, 2160), 2),
]
ZOOM = ("6000x4000 zoom", (1920, 1080), (6000, 4000), 10)
ZOOM_REFERENCE = CASES[0]


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
    if os.path.exists(path):
        return
    subprocess.run(["convert", "-size", f"{width // 8}x{height // 8}", "plasma:fractal",
                    "-resize", f"{width}x{height}!", "-attenuate", "0.3",
                    "+noise", "Gaussian", "-quality", "90", path], check=True)


def home_for(root, screen, photo, style):
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
        conf.write(f"[desktop]\nWallpaper={photo}\nTileWallPaper=0\nWallpaperStyle={style}\n"
                   f"ScreenWidth={screen[0]}\nScreenHeight={screen[1]}\nBitsPerPixel=24\n")
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


class Case:
    def __init__(self, work, orbeline, case, imagemagick):
        self.label, self.screen, source, style = case
        photo = f"{work}/photo-{source[0]}x{source[1]}.jpg"
        make_photo(photo, *source)
        root = f"{work}/{self.label.replace(' ', '-')}"
        self.env = home_for(root, self.screen, photo, style)
        self.commands = {
            "orbeline": [orbeline, "-OnlyDraw"],
            "djpeg": ["djpeg", "-bmp", "-outfile", f"{root}/djpeg.bmp", photo],
        }
        if imagemagick:
            self.commands["imagemagick"] = imagemagick_command(photo, *self.screen,
                                                               f"{root}/im.bmp")
        self.samples = {tool: [] for tool in self.commands}
        timed(self.commands["orbeline"], self.env)  # the first run writes the store

    def run_once(self):
        for tool, command in self.commands.items():
            self.samples[tool].append(timed(command, self.env))
            # Each run starts with nothing of the one before left to write back, so that no
            # tool's flush waits on another's output.
            os.sync()

    def median(self, tool):
        return statistics.median(s for s, _ in self.samples[tool])

    def peak(self, tool):
        return max(m for _, m in self.samples[tool])

    def frame_mib(self):
        return self.screen[0] * self.screen[1] * 4 / (1024.0 * 1024.0)


def print_case(case):
    for tool in case.commands:
        print(f"{case.label:>20} {tool:>12} {case.median(tool):9.3f} {case.peak(tool):9.1f}")
    djpeg = case.median("djpeg")
    paired = statistics.median(o / d for (o, _), (d, _) in
                               zip(case.samples["orbeline"], case.samples["djpeg"]))
    line = (f"{'':>20} {'ratio':>12} orbeline/djpeg {case.median('orbeline') / djpeg:.2f}"
            f" (median of pairs {paired:.2f})")
    if "imagemagick" in case.samples:
        line += f", imagemagick/djpeg {case.median('imagemagick') / djpeg:.2f}"
    line += f"; orbeline peak {case.peak('orbeline') / case.frame_mib():.2f} frames"
    print(line)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orbeline", default="build/src/orbeline")
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--no-imagemagick", action="store_true",
                        help="leave out the ImageMagick comparison (faster)")
    args = parser.parse_args()
    orbeline = os.path.abspath(args.orbeline)
    for tool in ("convert", "djpeg"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is needed (imagemagick, libjpeg-turbo-progs)")
    print(f"{'case':>20} {'tool':>12} {'median s':>9} {'peak MiB':>9}")
    with tempfile.TemporaryDirectory(prefix="orbeline-bench-") as work:
        for case in CASES:
            if case is ZOOM_REFERENCE:
                continue  # timed with the zoom case below, round by round
            measured = Case(work, orbeline, case, not args.no_imagemagick)
            for _ in range(args.runs):
                measured.run_once()
            print_case(measured)
        reference = Case(work, orbeline, ZOOM_REFERENCE, not args.no_imagemagick)
        zoom = Case(work, orbeline, ZOOM, False)
        for _ in range(args.runs):
            reference.run_once()
            zoom.run_once()
        print_case(reference)
        print_case(zoom)
        print(f"{'':>20} {'ratio':>12} zoom/(1920x1080 centred) "
              f"{zoom.median('orbeline') / reference.median('orbeline'):.2f}")


if __name__ == "__main__":
    main()
