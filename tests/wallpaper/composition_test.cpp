#include "wallpaper/composition.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "fake_desktop.h"
#include "fakes.h"
#include "image/area_average.h"
#include "image/jpeg_decoder.h"
#include "isolated_env.h"
#include "settings/settings_store.h"
#include "test_jpeg.h"

namespace orbeline {
namespace {

constexpr ColorRef kDesktopColor = MakeColorRef(58, 110, 165);

class CompositionTest : public ::testing::Test {
 protected:
  CompositionTest() : store_(backend_) {
    desktop_.background = kDesktopColor;
    desktop_.screen = {0, 0, 200, 120};
    run_.wallpaper.work_bitmap_path = (temp_.path() / "cache" / "ovalin.bmp").string();
    run_.wallpaper.no_source_wallpaper = true;
  }

  ComposeResult Compose(ComposeOutput output = ComposeOutput::kWriteFile) {
    run_.screen = desktop_.screen;
    return ComposeBaseImage(services_, run_, settings_, output);
  }

  // A 24-bit BMP whose pixel (x, y) is (x, y, 7): every position tells where it came from.
  std::string WriteTile(int width, int height) {
    WorkBitmap tile;
    tile.Reset(width, height, WorkBitmapFormat::k24Bit);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) tile.SetPixel(x, y, MakeColorRef(x, y, 7));
    }
    std::string path = (temp_.path() / "tile.bmp").string();
    tile.SaveBmp(path);
    return path;
  }

  testing::TempDir temp_;
  testing::MemorySettingsBackend backend_;
  SettingsStore store_;
  testing::RecordingPrompts prompts_;
  testing::FakeDesktop desktop_;
  testing::FakeClock clock_{std::chrono::year_month_day{}};
  WallpaperServices services_{desktop_, store_, prompts_, clock_};
  WallpaperRun run_;
  WorkingSettings settings_;
};

TEST_F(CompositionTest, PatternRowsAndTheCheckerboard) {
  desktop_.Put("Pattern", "170 85 170 85 170 85 170 85");
  ASSERT_EQ(Compose(), ComposeResult::kWritten);
  EXPECT_EQ(run_.work.GetPixel(0, 0), 0u) << "bit 7 of the first row is column 0: black";
  EXPECT_EQ(run_.work.GetPixel(1, 0), kDesktopColor);
  EXPECT_EQ(run_.work.GetPixel(0, 1), kDesktopColor);
  EXPECT_EQ(run_.work.GetPixel(1, 1), 0u);
  // Repeated over the whole screen, the last partial cell included.
  EXPECT_EQ(run_.work.GetPixel(198, 118), 0u);
  EXPECT_EQ(run_.work.GetPixel(199, 118), kDesktopColor);
  EXPECT_TRUE(std::filesystem::exists(run_.wallpaper.work_bitmap_path));

  desktop_.Put("Pattern", "(None)");
  Compose();
  EXPECT_EQ(run_.work.GetPixel(0, 0), kDesktopColor);
  EXPECT_EQ(run_.work.GetPixel(150, 100), kDesktopColor);
  // A 16-bit display shows the desktop colour reduced.
  desktop_.bits_per_pixel = 16;
  desktop_.background = MakeColorRef(0, 1, 130);
  Compose();
  EXPECT_EQ(run_.work.GetPixel(5, 5), MakeColorRef(0, 0, 128));
}

// A run with a window keeps its base image and serves it again, calendar-free, for as long
// as nothing it was made from has changed.
TEST_F(CompositionTest, KeptBaseImageServesUntilItsSourceChanges) {
  run_.keep_base_copy = true;
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = WriteTile(30, 20);  // centred at (85, 50)
  ASSERT_EQ(Compose(ComposeOutput::kMemoryOnly), ComposeResult::kWritten);
  EXPECT_EQ(run_.work.GetPixel(85 + 3, 50 + 4), MakeColorRef(3, 4, 7));
  run_.work.SetPixel(88, 54, 0);  // a calendar drawn on it
  Compose(ComposeOutput::kMemoryOnly);
  EXPECT_EQ(run_.work.GetPixel(88, 54), MakeColorRef(3, 4, 7));

  // The picture rewritten in place, same size.
  {
    std::fstream file(run_.wallpaper.source_wallpaper_path,
                      std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(-3, std::ios::end);
    // The red of the top row's last pixel (the file's last row, which two bytes pad).
    file.put(static_cast<char>(200));
  }
  Compose(ComposeOutput::kMemoryOnly);
  EXPECT_EQ(run_.work.GetPixel(85 + 29, 50), MakeColorRef(200, 0, 7));
  // The desktop's colour, seen around the picture.
  desktop_.background = MakeColorRef(1, 2, 3);
  Compose(ComposeOutput::kMemoryOnly);
  EXPECT_EQ(run_.work.GetPixel(0, 0), MakeColorRef(1, 2, 3));
  // The file asked for is written from the copy too.
  ASSERT_EQ(Compose(), ComposeResult::kWritten);
  EXPECT_TRUE(std::filesystem::exists(run_.wallpaper.work_bitmap_path));
}

TEST_F(CompositionTest, CentredPictureAndTheOrigin) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = WriteTile(60, 40);
  Compose();
  // (200 - 60) / 2 = 70, (120 - 40) / 2 = 40.
  EXPECT_EQ(run_.work.GetPixel(70, 40), MakeColorRef(0, 0, 7));
  EXPECT_EQ(run_.work.GetPixel(129, 79), MakeColorRef(59, 39, 7));
  EXPECT_EQ(run_.work.GetPixel(69, 40), kDesktopColor) << "the pattern shows around the picture";
  run_.wallpaper.origin_x = 40;
  Compose();
  EXPECT_EQ(run_.work.GetPixel(40, 40), MakeColorRef(0, 0, 7)) << "x = origin whatever the width";
}

TEST_F(CompositionTest, StretchedIntoTheWorkAreaOrTheOrigin) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.stretch_source = true;
  run_.wallpaper.source_wallpaper_path = WriteTile(20, 12);
  Compose();
  EXPECT_EQ(run_.work.GetPixel(0, 0), MakeColorRef(0, 0, 7));
  EXPECT_EQ(run_.work.GetPixel(199, 119), MakeColorRef(19, 11, 7));
  settings_.taskbar_adjust = true;
  desktop_.work_area = {0, 0, 200, 90};
  Compose();
  EXPECT_EQ(run_.work.GetPixel(199, 89), MakeColorRef(19, 11, 7));
  EXPECT_EQ(run_.work.GetPixel(100, 100), kDesktopColor) << "the strip under the work area";
  run_.wallpaper.origin_y = 10;  // an origin wins over the work area
  Compose();
  EXPECT_EQ(run_.work.GetPixel(0, 5), kDesktopColor);
  EXPECT_EQ(run_.work.GetPixel(0, 10), MakeColorRef(0, 0, 7));
}

TEST_F(CompositionTest, DesktopStylesFitCoverAndStretch) {
  const std::string picture = WriteTile(40, 20);
  struct Probe {
    int x, y;
    ColorRef color;
  };
  struct Row {
    const char* style;
    std::vector<Probe> probes;
  };
  const std::vector<Row> rows = {
      // Fit inside: 5 times, 200x100 at y = 10, the desktop around it.
      {"6",
       {{0, 5, kDesktopColor},
        {0, 10, MakeColorRef(0, 0, 7)},
        {102, 62, MakeColorRef(20, 10, 7)},
        {199, 109, MakeColorRef(39, 19, 7)},
        {100, 115, kDesktopColor}}},
      // Cover: 6 times, 240x120 at x = -20.
      {"10", {{0, 0, MakeColorRef(3, 0, 7)}, {199, 119, MakeColorRef(36, 19, 7)}}},
      {"22", {{0, 0, MakeColorRef(3, 0, 7)}, {100, 60, MakeColorRef(20, 10, 7)}}},
      {"2", {{0, 0, MakeColorRef(0, 0, 7)}, {199, 119, MakeColorRef(39, 19, 7)}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.style);
    desktop_.Put("Wallpaper", picture);
    desktop_.Put("WallpaperStyle", row.style);
    run_.wallpaper = ReadWallpaperSettings(services_, "/", (temp_.path() / "cache").string()).state;
    ASSERT_EQ(Compose(), ComposeResult::kWritten);
    for (const Probe& probe : row.probes) {
      EXPECT_EQ(run_.work.GetPixel(probe.x, probe.y), probe.color) << probe.x << "," << probe.y;
    }
  }
}

TEST_F(CompositionTest, DownScaledPhotosAreAveragedNotSampled) {
  WorkBitmap checkerboard;
  checkerboard.Reset(400, 240, WorkBitmapFormat::k24Bit);
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 400; ++x) checkerboard.SetPixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0);
  }
  const std::string picture = (temp_.path() / "fine.bmp").string();
  checkerboard.SaveBmp(picture);
  desktop_.Put("Wallpaper", picture);
  desktop_.Put("WallpaperStyle", "10");
  run_.wallpaper = ReadWallpaperSettings(services_, "/", (temp_.path() / "cache").string()).state;
  Compose();
  for (int channel : {RedOf(run_.work.GetPixel(50, 50)), BlueOf(run_.work.GetPixel(151, 77))}) {
    EXPECT_NEAR(channel, 128, 1);
  }
}

// A JPEG goes onto the screen as its decoded pixels would: unscaled where it is shown at the
// size it decodes to, averaged where it shrinks, and the desktop around it.
TEST_F(CompositionTest, AJpegComposesLikeItsPixels) {
  const auto detail = [](int x, int y) {
    return MakeColorRef((x * 7 + y * 3) & 0xFF, (x * y) & 0xFF, ((x ^ y) * 5) & 0xFF);
  };
  struct Row {
    const char* name;
    int width, height;  // the picture's
    const char* style;
    int origin_x, origin_y;
    Rect target;        // where it lands on the 200 x 120 screen
    PixelSize decoded;  // the size it decodes to
  };
  const Row rows[] = {
      {"centred, larger than the screen", 300, 170, "0", 0, 0, {-50, -25, 250, 145}, {300, 170}},
      {"stretched to its own size", 200, 120, "2", 0, 0, {0, 0, 200, 120}, {200, 120}},
      {"origin partly off the screen", 300, 170, "0", -30, 70, {-30, 70, 270, 240}, {300, 170}},
      // Decoded at half size, no smaller than it is shown, then averaged; the screen shows
      // only the middle of its columns.
      {"cover, cropped", 1200, 300, "10", 0, 0, {-140, 0, 340, 120}, {600, 150}},
      {"fit", 300, 170, "6", 0, 0, {0, 3, 200, 116}, {225, 128}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto bytes =
        testing::EncodeTestJpeg(row.width, row.height, testing::TestJpegKind::kColour, detail);
    const std::string path = (temp_.path() / "photo.jpg").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    desktop_.Put("Wallpaper", path);
    desktop_.Put("WallpaperStyle", row.style);
    desktop_.Put("WallpaperOriginX", std::to_string(row.origin_x));
    desktop_.Put("WallpaperOriginY", std::to_string(row.origin_y));
    run_.wallpaper = ReadWallpaperSettings(services_, "/", (temp_.path() / "cache").string()).state;
    ASSERT_EQ(Compose(), ComposeResult::kWritten);

    JpegDecoder decoder(bytes, "photo.jpg");
    decoder.ScaleToAtLeast(row.decoded);
    TNkDIB picture = DecodeJpeg(decoder);
    ASSERT_EQ(picture.Width(), row.decoded.width);
    ASSERT_EQ(picture.Height(), row.decoded.height);
    if (row.target.Width() != row.decoded.width) {
      picture = TNkDIB(ScaleAreaAverage(picture.Image(), row.target.Width(), row.target.Height()));
    }
    int differing = 0;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 200; ++x) {
        const bool inside = x >= row.target.left && x < row.target.right && y >= row.target.top &&
                            y < row.target.bottom;
        const ColorRef want =
            inside ? picture.GetPixelColor(x - row.target.left, y - row.target.top) : kDesktopColor;
        differing += run_.work.GetPixel(x, y) != want;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(CompositionTest, UnsupportedPicturesGiveABlankBaseOrEndADrawOnlyRun) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = (temp_.path() / "page.html").string();
  EXPECT_EQ(Compose(), ComposeResult::kWritten);
  EXPECT_EQ(run_.work.GetPixel(100, 60), 0u) << "the blank picture is black";
  ASSERT_EQ(prompts_.shown.size(), 1u) << "the never-show reminder in an interactive run";
  EXPECT_EQ(prompts_.shown[0].kind, "confirmation");
  // Under the desktop's cover style it stays a square on the desktop colour, not a black screen.
  const std::filesystem::path svg = temp_.path() / "drawing.svg";
  std::ofstream(svg) << "<svg/>";
  desktop_.Put("Wallpaper", svg.string());
  desktop_.Put("WallpaperStyle", "10");
  run_.wallpaper = ReadWallpaperSettings(services_, "/", (temp_.path() / "cache").string()).state;
  EXPECT_EQ(Compose(), ComposeResult::kWritten);
  EXPECT_EQ(run_.work.GetPixel(100, 60), 0u);
  EXPECT_EQ(run_.work.GetPixel(0, 0), kDesktopColor);

  prompts_.shown.clear();
  run_.wallpaper.source_wallpaper_path = (temp_.path() / "page.html").string();
  run_.draw_only_run = run_.draw_only_pending = true;
  std::filesystem::remove(run_.wallpaper.work_bitmap_path);
  EXPECT_EQ(Compose(), ComposeResult::kSourceUnsupported);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text,
            "Currently this program doesn't support the wallpaper in GIF/HTML format");
  EXPECT_FALSE(std::filesystem::exists(run_.wallpaper.work_bitmap_path));
}

TEST_F(CompositionTest, OriginsAtTheEndsOfTheIntegersShowOnlyTheDesktop) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = WriteTile(20, 12);
  for (const bool stretch : {false, true}) {
    for (const int origin : {INT_MAX, INT_MIN}) {
      run_.wallpaper.stretch_source = stretch;
      run_.wallpaper.origin_x = run_.wallpaper.origin_y = origin;
      ASSERT_EQ(Compose(), ComposeResult::kWritten);
      EXPECT_EQ(run_.work.GetPixel(100, 60), kDesktopColor) << stretch << " " << origin;
    }
  }
}

TEST(ErrorTextTest, MemoryRunningOutIsSaidInWords) {
  EXPECT_EQ(ErrorText(std::bad_alloc()), kOutOfMemoryText);
  EXPECT_EQ(ErrorText(Error("Cannot read x")), "Cannot read x");
}

}  // namespace
}  // namespace orbeline
