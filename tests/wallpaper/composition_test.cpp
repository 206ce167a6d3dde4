#include "wallpaper/composition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings_store.h"
#include "fake_desktop.h"
#include "fakes.h"
#include "image/bmp_writer.h"
#include "image/dib_image.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

constexpr ColorRef kDesktopColor = MakeColorRef(58, 110, 165);

class CompositionTest : public ::testing::Test {
 protected:
  CompositionTest() : store_(backend_) {
    desktop_.background = kDesktopColor;
    desktop_.screen = {0, 0, 200, 120};
    wallpaper_.work_bitmap_path = (temp_.path() / "cache" / "ovalin.bmp").string();
    wallpaper_.no_source_wallpaper = true;
  }

  CompositionContext Context() {
    return {desktop_,  store_,          prompts_,       wallpaper_,
            settings_, desktop_.screen, draw_only_run_, draw_only_pending_};
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
  WallpaperState wallpaper_;
  WorkingSettings settings_;
  bool draw_only_run_ = false;
  bool draw_only_pending_ = false;
  WorkBitmap work_;
};

TEST_F(CompositionTest, PatternRowsAndTheCheckerboard) {
  desktop_.Put("Pattern", "170 85 170 85 170 85 170 85");
  ASSERT_EQ(ComposeBaseImage(work_, Context()), ComposeResult::kWritten);
  EXPECT_EQ(work_.GetPixel(0, 0), 0u) << "bit 7 of the first row is column 0: black";
  EXPECT_EQ(work_.GetPixel(1, 0), kDesktopColor);
  EXPECT_EQ(work_.GetPixel(0, 1), kDesktopColor);
  EXPECT_EQ(work_.GetPixel(1, 1), 0u);
  // Repeated over the whole screen, the last partial cell included.
  EXPECT_EQ(work_.GetPixel(198, 118), 0u);
  EXPECT_EQ(work_.GetPixel(199, 118), kDesktopColor);
  EXPECT_TRUE(std::filesystem::exists(wallpaper_.work_bitmap_path));

  desktop_.Put("Pattern", "(None)");
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(0, 0), kDesktopColor);
  EXPECT_EQ(work_.GetPixel(150, 100), kDesktopColor);
}

TEST_F(CompositionTest, SixteenBitDisplaysShowTheDesktopColourReduced) {
  desktop_.bits_per_pixel = 16;
  desktop_.background = MakeColorRef(255, 255, 255);
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(5, 5), MakeColorRef(252, 252, 252));
  desktop_.background = MakeColorRef(0, 1, 130);
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(5, 5), MakeColorRef(0, 0, 128));
}

TEST_F(CompositionTest, CentredPictureAndTheOrigin) {
  wallpaper_.no_source_wallpaper = false;
  wallpaper_.source_wallpaper_path = WriteTile(60, 40);
  ComposeBaseImage(work_, Context());
  // (200 - 60) / 2 = 70, (120 - 40) / 2 = 40.
  EXPECT_EQ(work_.GetPixel(70, 40), MakeColorRef(0, 0, 7));
  EXPECT_EQ(work_.GetPixel(129, 79), MakeColorRef(59, 39, 7));
  EXPECT_EQ(work_.GetPixel(69, 40), kDesktopColor) << "the pattern shows around the picture";
  wallpaper_.origin_x = 40;
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(40, 40), MakeColorRef(0, 0, 7)) << "x = origin whatever the width";
}

TEST_F(CompositionTest, LargerPictureCentredAtNegativeOffsets) {
  wallpaper_.no_source_wallpaper = false;
  wallpaper_.source_wallpaper_path = WriteTile(250, 180);
  ComposeBaseImage(work_, Context());
  // (200 - 250) / 2 = -25, (120 - 180) / 2 = -30.
  EXPECT_EQ(work_.GetPixel(0, 0), MakeColorRef(25, 30, 7));
  EXPECT_EQ(work_.GetPixel(199, 119), MakeColorRef(224, 149, 7));
}

TEST_F(CompositionTest, TilesWithBothStaggers) {
  wallpaper_.no_source_wallpaper = false;
  wallpaper_.tile_source = true;
  wallpaper_.source_wallpaper_path = WriteTile(50, 30);
  settings_.tile_pattern = 1;  // even columns start half a tile up
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(10, 0), MakeColorRef(10, 0, 7));
  EXPECT_EQ(work_.GetPixel(60, 0), MakeColorRef(10, 15, 7));
  EXPECT_EQ(work_.GetPixel(110, 0), MakeColorRef(10, 0, 7));
  EXPECT_EQ(work_.GetPixel(160, 20), MakeColorRef(10, 5, 7));
  settings_.tile_pattern = 2;  // even rows start half a tile left
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(0, 30), MakeColorRef(25, 0, 7));
  EXPECT_EQ(work_.GetPixel(0, 60), MakeColorRef(0, 0, 7));
  EXPECT_EQ(work_.GetPixel(30, 95), MakeColorRef(5, 5, 7));
  settings_.tile_pattern = 0;
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(60, 35), MakeColorRef(10, 5, 7));
}

TEST_F(CompositionTest, StretchedIntoTheWorkAreaOrTheOrigin) {
  wallpaper_.no_source_wallpaper = false;
  wallpaper_.stretch_source = true;
  wallpaper_.source_wallpaper_path = WriteTile(20, 12);
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(0, 0), MakeColorRef(0, 0, 7));
  EXPECT_EQ(work_.GetPixel(199, 119), MakeColorRef(19, 11, 7));
  settings_.taskbar_adjust = true;
  desktop_.work_area = {0, 0, 200, 90};
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(199, 89), MakeColorRef(19, 11, 7));
  EXPECT_EQ(work_.GetPixel(100, 100), kDesktopColor) << "the strip under the work area";
  wallpaper_.origin_y = 10;  // an origin wins over the work area
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.GetPixel(0, 5), kDesktopColor);
  EXPECT_EQ(work_.GetPixel(0, 10), MakeColorRef(0, 0, 7));
}

TEST_F(CompositionTest, EightBitDisplaysAndUnsupportedPictures) {
  wallpaper_.no_source_wallpaper = false;
  wallpaper_.source_wallpaper_path = WriteTile(60, 40);
  desktop_.bits_per_pixel = 8;
  ComposeBaseImage(work_, Context());
  EXPECT_EQ(work_.Format(), WorkBitmapFormat::k8Bit);
  EXPECT_LE(work_.Palette().size(), 256u);

  desktop_.bits_per_pixel = 24;
  wallpaper_.source_wallpaper_path = (temp_.path() / "page.html").string();
  EXPECT_EQ(ComposeBaseImage(work_, Context()), ComposeResult::kWritten);
  EXPECT_EQ(work_.GetPixel(100, 60), 0u) << "the blank picture is black";
  ASSERT_EQ(prompts_.shown.size(), 1u) << "the never-show reminder in an interactive run";
  EXPECT_EQ(prompts_.shown[0].kind, "confirmation");

  prompts_.shown.clear();
  draw_only_run_ = draw_only_pending_ = true;
  std::filesystem::remove(wallpaper_.work_bitmap_path);
  EXPECT_EQ(ComposeBaseImage(work_, Context()), ComposeResult::kSourceUnsupported);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text,
            "Currently this program doesn't support the wallpaper in GIF/HTML format");
  EXPECT_FALSE(std::filesystem::exists(wallpaper_.work_bitmap_path));
}

TEST_F(CompositionTest, UndecodablePictureNamesTheFileAndWritesNothing) {
  wallpaper_.no_source_wallpaper = false;
  wallpaper_.source_wallpaper_path = (temp_.path() / "broken.jpg").string();
  std::ofstream(wallpaper_.source_wallpaper_path) << "not a jpeg";
  try {
    ComposeBaseImage(work_, Context());
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("broken.jpg"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(std::filesystem::exists(wallpaper_.work_bitmap_path));
}

TEST_F(CompositionTest, UnwritableFolderIsReportedAndNothingIsLeft) {
  std::filesystem::path blocker = temp_.path() / "cache";
  std::ofstream(blocker) << "a file where the folder should be";
  EXPECT_EQ(ComposeBaseImage(work_, Context()), ComposeResult::kWriteFailed);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text,
            "Cannot generate a bitmapped file.\nMake more free space on your disk and retry.");
  EXPECT_EQ(prompts_.shown[0].icon, Prompts::Icon::kStop);
}

}  // namespace
}  // namespace orbeline
