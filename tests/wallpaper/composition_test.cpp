#include "wallpaper/composition.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "fake_desktop.h"
#include "fakes.h"
#include "image/bmp_writer.h"
#include "image/dib_image.h"
#include "isolated_env.h"
#include "settings/settings_store.h"

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
}

TEST_F(CompositionTest, SixteenBitDisplaysShowTheDesktopColourReduced) {
  desktop_.bits_per_pixel = 16;
  desktop_.background = MakeColorRef(255, 255, 255);
  Compose();
  EXPECT_EQ(run_.work.GetPixel(5, 5), MakeColorRef(252, 252, 252));
  desktop_.background = MakeColorRef(0, 1, 130);
  Compose();
  EXPECT_EQ(run_.work.GetPixel(5, 5), MakeColorRef(0, 0, 128));
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

TEST_F(CompositionTest, LargerPictureCentredAtNegativeOffsets) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = WriteTile(250, 180);
  Compose();
  // (200 - 250) / 2 = -25, (120 - 180) / 2 = -30.
  EXPECT_EQ(run_.work.GetPixel(0, 0), MakeColorRef(25, 30, 7));
  EXPECT_EQ(run_.work.GetPixel(199, 119), MakeColorRef(224, 149, 7));
}

TEST_F(CompositionTest, TilesWithBothStaggers) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.tile_source = true;
  run_.wallpaper.source_wallpaper_path = WriteTile(50, 30);
  settings_.tile_pattern = TilePattern{1};  // even columns start half a tile up
  Compose();
  EXPECT_EQ(run_.work.GetPixel(10, 0), MakeColorRef(10, 0, 7));
  EXPECT_EQ(run_.work.GetPixel(60, 0), MakeColorRef(10, 15, 7));
  EXPECT_EQ(run_.work.GetPixel(110, 0), MakeColorRef(10, 0, 7));
  EXPECT_EQ(run_.work.GetPixel(160, 20), MakeColorRef(10, 5, 7));
  settings_.tile_pattern = TilePattern{2};  // even rows start half a tile left
  Compose();
  EXPECT_EQ(run_.work.GetPixel(0, 30), MakeColorRef(25, 0, 7));
  EXPECT_EQ(run_.work.GetPixel(0, 60), MakeColorRef(0, 0, 7));
  EXPECT_EQ(run_.work.GetPixel(30, 95), MakeColorRef(5, 5, 7));
  settings_.tile_pattern = TilePattern{0};
  Compose();
  EXPECT_EQ(run_.work.GetPixel(60, 35), MakeColorRef(10, 5, 7));
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

TEST_F(CompositionTest, EightBitDisplaysAndUnsupportedPictures) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = WriteTile(60, 40);
  desktop_.bits_per_pixel = 8;
  Compose();
  EXPECT_EQ(run_.work.Format(), WorkBitmapFormat::k8Bit);
  EXPECT_LE(run_.work.Palette().size(), 256u);

  desktop_.bits_per_pixel = 24;
  run_.wallpaper.source_wallpaper_path = (temp_.path() / "page.html").string();
  EXPECT_EQ(Compose(), ComposeResult::kWritten);
  EXPECT_EQ(run_.work.GetPixel(100, 60), 0u) << "the blank picture is black";
  ASSERT_EQ(prompts_.shown.size(), 1u) << "the never-show reminder in an interactive run";
  EXPECT_EQ(prompts_.shown[0].kind, "confirmation");

  prompts_.shown.clear();
  run_.draw_only_run = run_.draw_only_pending = true;
  std::filesystem::remove(run_.wallpaper.work_bitmap_path);
  EXPECT_EQ(Compose(), ComposeResult::kSourceUnsupported);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text,
            "Currently this program doesn't support the wallpaper in GIF/HTML format");
  EXPECT_FALSE(std::filesystem::exists(run_.wallpaper.work_bitmap_path));
}

TEST_F(CompositionTest, UndecodablePictureNamesTheFileAndWritesNothing) {
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = (temp_.path() / "broken.jpg").string();
  std::ofstream(run_.wallpaper.source_wallpaper_path) << "not a jpeg";
  try {
    Compose();
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("broken.jpg"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(std::filesystem::exists(run_.wallpaper.work_bitmap_path));
}

TEST_F(CompositionTest, UnwritableFolderIsReportedAndNothingIsLeft) {
  std::filesystem::path blocker = temp_.path() / "cache";
  std::ofstream(blocker) << "a file where the folder should be";
  EXPECT_EQ(Compose(), ComposeResult::kWriteFailed);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text,
            "Cannot generate a bitmapped file.\nMake more free space on your disk and retry.");
  EXPECT_EQ(prompts_.shown[0].icon, Prompts::Icon::kStop);
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
