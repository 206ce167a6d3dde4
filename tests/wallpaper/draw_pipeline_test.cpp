#include "wallpaper/draw_pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "fake_desktop.h"
#include "fakes.h"
#include "isolated_env.h"
#include "recording_canvas.h"
#include "settings/settings_store.h"
#include "test_jpeg.h"

namespace orbeline {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

class DrawPipelineTest : public ::testing::Test {
 protected:
  DrawPipelineTest()
      : store_(backend_),
        clock_(year{2026} / month{1} / day{16}),
        services_{desktop_, store_, prompts_, clock_} {
    desktop_.screen = {0, 0, 320, 200};
    run_.wallpaper.no_source_wallpaper = true;
    run_.wallpaper.work_bitmap_path = (temp_.path() / "ovalin.bmp").string();
    settings_.calendar_style = 0;
    settings_.calendar_type = CalendarType{4};
    settings_.char_step = settings_.char_step2 = 20;
    settings_.font = {"Arial", 12, false, false};
    settings_.same_font = true;
    settings_.today_draw_method = TodayDrawMethod{1};
    settings_.weekday_color = MakeColorRef(128, 128, 128);
  }

  bool Draw(DrawSender sender) {
    run_.screen = desktop_.screen;
    const CalendarInputs inputs{settings_,       definition_,    holidays_, special_days_,
                                desktop_.screen, clock_.Today(), false};
    return DrawPipeline(
        sender, services_, run_, inputs,
        [this](WorkBitmap&) {
          ++canvases_made_;
          return std::make_unique<testing::RecordingCanvas>();
        },
        hooks_);
  }

  testing::TempDir temp_;
  testing::MemorySettingsBackend backend_;
  SettingsStore store_;
  testing::RecordingPrompts prompts_;
  testing::FakeClock clock_;
  testing::FakeDesktop desktop_;
  WallpaperServices services_;
  WallpaperRun run_;
  WorkingSettings settings_;
  Definition definition_;
  HolidayLists holidays_;
  SpecialDays special_days_;
  int canvases_made_ = 0;
  PipelineHooks hooks_;
};

TEST_F(DrawPipelineTest, FreshDrawComposesOverwriteKeepsTheDrawing) {
  ASSERT_TRUE(Draw(DrawSender::kWindow));
  EXPECT_TRUE(run_.base_composed) << "the first drawing of a run always composes";
  ASSERT_EQ(desktop_.installs.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(desktop_.installs[0].path));
  EXPECT_EQ(backend_.Get("CalendarStyle"), "0") << "the block saved the drawing settings";

  // Mark the surface: an overwrite draws over it, a fresh drawing composes it away.
  run_.work.SetPixel(300, 190, MakeColorRef(1, 2, 3));
  Draw(DrawSender::kWindow);
  EXPECT_EQ(run_.work.GetPixel(300, 190), MakeColorRef(1, 2, 3));
  Draw(DrawSender::kDrawButton);
  EXPECT_NE(run_.work.GetPixel(300, 190), MakeColorRef(1, 2, 3));
  EXPECT_EQ(canvases_made_, 3);
}

TEST_F(DrawPipelineTest, OnlyThePendingDrawOnlyDrawingKeepsTheComposedImage) {
  Draw(DrawSender::kWindow);
  // The settings window of a draw-only start stopped by a message: Draw starts afresh.
  run_.draw_only_run = true;
  run_.work.SetPixel(300, 190, MakeColorRef(1, 2, 3));
  Draw(DrawSender::kDrawButton);
  EXPECT_NE(run_.work.GetPixel(300, 190), MakeColorRef(1, 2, 3));

  // The hidden drawing keeps what it composed while the file exists.
  run_.draw_only_pending = true;
  run_.work.SetPixel(300, 190, MakeColorRef(1, 2, 3));
  Draw(DrawSender::kDrawButton);
  EXPECT_EQ(run_.work.GetPixel(300, 190), MakeColorRef(1, 2, 3));
  std::filesystem::remove(run_.wallpaper.work_bitmap_path);
  Draw(DrawSender::kDrawButton);
  EXPECT_NE(run_.work.GetPixel(300, 190), MakeColorRef(1, 2, 3));
}

// A picture whose header reads but whose pixels fail leaves no half-drawn base image behind:
// the error names the file, and no later drawing, an overwrite included, installs a drawing
// on what was composed of it.
TEST_F(DrawPipelineTest, APictureThatFailsPartWayLeavesNothingHalfDrawn) {
  const auto good = testing::EncodeTestJpeg(100, 60, testing::TestJpegKind::kColour,
                                            [](int x, int y) { return MakeColorRef(x, y, 9); });
  // The scan names Huffman tables the file never defines.
  auto broken = good;
  std::size_t sos = 0;
  while (sos + 6 < broken.size() && !(broken[sos] == 0xFF && broken[sos + 1] == 0xDA)) ++sos;
  ASSERT_LT(sos + 6, broken.size());
  broken[sos + 6] = 0x33;  // the first component's tables
  const std::string path = (temp_.path() / "photo.jpg").string();
  const auto write = [&](const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  };
  write(good);
  run_.wallpaper.no_source_wallpaper = false;
  run_.wallpaper.source_wallpaper_path = path;
  ASSERT_TRUE(Draw(DrawSender::kDrawButton));

  write(broken);
  for (const DrawSender sender : {DrawSender::kDrawButton, DrawSender::kWindow}) {
    std::string message;
    try {
      Draw(sender);
    } catch (const Error& error) {
      message = error.what();
    }
    EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
    EXPECT_EQ(run_.work.Width(), 0) << "a half-drawn base image is kept";
  }
  EXPECT_EQ(desktop_.installs.size(), 1u);
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(DrawPipelineTest, CleanUpRunsWhenTheInstallationFails) {
  std::string caption;
  bool buttons = true, busy = false, busy_seen = false;
  hooks_.set_caption = [&](const std::string& text) { caption += text + ";"; };
  hooks_.set_main_buttons_enabled = [&](bool on) { buttons = on; };
  hooks_.set_busy = [&](bool on) { busy_seen |= busy = on; };
  desktop_.fail_install = true;
  EXPECT_ANY_THROW(Draw(DrawSender::kDrawButton));
  EXPECT_EQ(caption, "Drawing - Orbeline;Orbeline;");
  EXPECT_TRUE(buttons && busy_seen && !busy);
}

TEST_F(DrawPipelineTest, UnwritableWorkBitmapEndsTheRunWithoutInstalling) {
  run_.wallpaper.work_bitmap_path = (temp_.path() / "blocked" / "ovalin.bmp").string();
  std::ofstream(temp_.path() / "blocked") << "a file where the folder should be";
  EXPECT_FALSE(Draw(DrawSender::kDrawButton));
  EXPECT_TRUE(desktop_.installs.empty());
  ASSERT_FALSE(prompts_.shown.empty());
  EXPECT_EQ(prompts_.shown.back().icon, Prompts::Icon::kStop);
}

}  // namespace
}  // namespace orbeline
