// Speed of the image component on a full 4K screen (3840 x 2160): writing the work bitmap,
// decoding a JPEG wallpaper, the high-mode reduction to 8 bits and the colour halftone.
//
//   image_bench [benchmark flags]
//   image_bench --write-samples DIR   writes DIR/photo.bmp and DIR/photo.jpg (the same
//                                     pictures the benchmarks use), then exits.
//   image_bench --reduce IN.bmp OUT.bmp      the whole job of "convert IN -colors 256
//                                            +dither OUT": read, high-mode reduction, write.
//   image_bench --jpeg-to-bmp IN.jpg OUT.bmp decode a JPEG and write it as a 24-bit BMP.
//   image_bench --pair-reduce [RUNS]         --reduce and ImageMagick's "convert -colors 256
//                                            +dither" on the sample photo, in turns (11 runs
//                                            each by default): both medians and their ratio.
// --reduce and --jpeg-to-bmp let /usr/bin/time compare end to end with other tools.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/bmp_writer.h"
#include "image/color_reduction.h"
#include "image/halftone.h"
#include "image/image_decoder.h"
#include "image/jpeg_decoder.h"
#include "image/work_bitmap.h"
#include "test_jpeg.h"

namespace orbeline {
namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

// A synthetic photograph: a sky-to-ground gradient with soft shapes and fine grain, so
// that it has many colours, smooth areas and detail like a real wallpaper.
const DibImage& Photo() {
  static const DibImage photo = [] {
    DibImage image = DibImage::Create(kWidth, kHeight, 24, {});
    std::uint32_t noise = 12345;
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* row = image.Row(kHeight - 1 - y);
      const double v = static_cast<double>(y) / kHeight;
      for (int x = 0; x < kWidth; ++x) {
        const double u = static_cast<double>(x) / kWidth;
        noise = noise * 1664525u + 1013904223u;
        const double grain = static_cast<double>(noise >> 28) - 7.5;
        const double hills = 40 * std::sin(u * 9 + std::sin(v * 7) * 2) * std::cos(v * 5 - u * 3);
        const double r = 70 + 120 * v + hills + grain;
        const double g = 110 + 60 * std::sin(u * 4 + v * 3) + hills * 0.5 + grain;
        const double b = 200 - 150 * v + 30 * std::cos(u * 13) + grain;
        row[3 * x] = static_cast<std::uint8_t>(std::clamp(b, 0.0, 255.0));
        row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g, 0.0, 255.0));
        row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r, 0.0, 255.0));
      }
    }
    return image;
  }();
  return photo;
}

// The photo compressed by libjpeg at quality 90.
const std::vector<std::uint8_t>& PhotoJpeg() {
  static const std::vector<std::uint8_t> bytes = testing::EncodeTestJpeg(
      kWidth, kHeight, testing::TestJpegKind::kColour,
      [](int x, int y) {
        const std::uint8_t* pixel = Photo().Row(kHeight - 1 - y) + 3 * x;
        return MakeColorRef(pixel[2], pixel[1], pixel[0]);
      },
      90);
  return bytes;
}

std::filesystem::path ScratchFile(const char* name) {
  return std::filesystem::temp_directory_path() / name;
}

void BM_WorkBitmapSaveBmp24(benchmark::State& state) {
  WorkBitmap bitmap;
  bitmap.AssignFromDib(TNkDIB(Photo()));
  const auto path = ScratchFile("orbeline-bench-work.bmp");
  for (auto _ : state) bitmap.SaveBmp(path);  // RGB32 -> DIB rows, write, fsync, rename
  std::filesystem::remove(path);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Photo().bits.size()));
}
BENCHMARK(BM_WorkBitmapSaveBmp24)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteBmpFile24(benchmark::State& state) {
  const auto path = ScratchFile("orbeline-bench-dib.bmp");
  const DibImage& photo = Photo();
  for (auto _ : state) WriteBmpFile(path, photo);
  std::filesystem::remove(path);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Photo().bits.size()));
}
BENCHMARK(BM_WriteBmpFile24)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeJpeg(benchmark::State& state) {
  const auto& jpeg = PhotoJpeg();
  for (auto _ : state) benchmark::DoNotOptimize(DecodeJpeg(jpeg, "photo.jpg"));
  state.counters["jpeg_bytes"] = static_cast<double>(jpeg.size());
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

void BM_ConvertTrueColorTo8BitRGBHigh(benchmark::State& state) {
  const DibImage& photo = Photo();
  for (auto _ : state) benchmark::DoNotOptimize(ConvertTrueColorTo8BitRGBHigh(photo));
}
BENCHMARK(BM_ConvertTrueColorTo8BitRGBHigh)->Unit(benchmark::kMillisecond);

void BM_ConvertToHalfTone(benchmark::State& state) {
  const DibImage& photo = Photo();
  for (auto _ : state) benchmark::DoNotOptimize(ConvertToHalfTone(photo));
}
BENCHMARK(BM_ConvertToHalfTone)->Unit(benchmark::kMillisecond);

int WriteSamples(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  WriteBmpFile(dir / "photo.bmp", Photo());
  const auto& jpeg = PhotoJpeg();
  std::ofstream(dir / "photo.jpg", std::ios::binary)
      .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
  return 0;
}

int Reduce(const std::filesystem::path& in, const std::filesystem::path& out) {
  TNkDIB dib = DecodeImageFile(in);
  dib.SetConvertMode(NkConvertMode::kHigh);
  dib.SetPixelFormat(NkPixelFormat::k8Bit);
  WriteBmpFile(out, dib.Image());
  return 0;
}

// The whole job of --reduce against ImageMagick's "-colors 256 +dither" on the same 24-bit
// BMP, each a process of its own, taken in turns so that both see the same load; prints the
// medians and their ratio.
int PairReduce(const char* self, int runs) {
  const std::filesystem::path dir = ScratchFile("orbeline-bench-reduce");
  WriteSamples(dir);
  const std::string photo = (dir / "photo.bmp").string();
  const std::string ours =
      std::string("'") + self + "' --reduce '" + photo + "' '" + (dir / "ours.bmp").string() + "'";
  const std::string theirs =
      "convert '" + photo + "' -colors 256 +dither '" + (dir / "theirs.bmp").string() + "'";
  std::vector<double> our_times;
  std::vector<double> their_times;
  const auto timed = [](const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "failed: %s\n", command.c_str());
      std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  for (int i = 0; i < runs; ++i) {
    our_times.push_back(timed(ours));
    their_times.push_back(timed(theirs));
  }
  std::filesystem::remove_all(dir);
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  };
  const double our_median = median(our_times);
  const double their_median = median(their_times);
  std::printf(
      "%dx%d, %d runs each, medians: --reduce %.3f s, ImageMagick %.3f s, "
      "ImageMagick / ours %.1fx\n",
      kWidth, kHeight, runs, our_median, their_median, their_median / our_median);
  return 0;
}

int JpegToBmp(const std::filesystem::path& in, const std::filesystem::path& out) {
  WriteBmpFile(out, DecodeImageFile(in).Image());
  return 0;
}

}  // namespace
}  // namespace orbeline

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-samples") == 0) {
    return orbeline::WriteSamples(argv[2]);
  }
  if (argc == 4 && std::strcmp(argv[1], "--reduce") == 0) return orbeline::Reduce(argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "--jpeg-to-bmp") == 0) {
    return orbeline::JpegToBmp(argv[2], argv[3]);
  }
  if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "--pair-reduce") == 0) {
    return orbeline::PairReduce(argv[0], argc == 3 ? std::atoi(argv[2]) : 11);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
