#include "app/main_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fake_desktop.h"
#include "fakes.h"
#include "isolated_env.h"
#include "recording_canvas.h"
#include "settings/ask_confirmation.h"
#include "settings/designs.h"
#include "settings/settings_store.h"

namespace orbeline {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : store_(backend_), clock_(year{2026} / month{1} / day{16}) {
    environment_.exe_path = "/usr/bin/orbeline";
    environment_.definition_file = temp_.path() / "missing.def";
    environment_.system_temp = temp_.path() / "cache";
    environment_.startup_folder = temp_.path() / "autostart";
    environment_.home_folder = temp_.path();
    environment_.version_number = 15200;
  }

  MainForm::CreateResult Start(int auto_draw) {
    if (auto_draw > 0) store_.WriteSetting("AutoDraw", std::to_string(auto_draw));
    MainFormPorts ports{store_,
                        prompts_,
                        shell_,
                        clock_,
                        [this](const std::string&) {
                          auto desktop = std::make_unique<testing::FakeDesktop>();
                          desktop->screen = {0, 0, 320, 200};
                          desktop->values = desktop_values_;
                          desktop_ = desktop.get();
                          return desktop;
                        },
                        [](WorkBitmap&) { return std::make_unique<testing::RecordingCanvas>(); }};
    form_ = std::make_unique<MainForm>(ports, environment_);
    return form_->FormCreate();
  }

  void SaveDesign(int n, const char* today_color) {
    store_.Write(std::to_string(n), "YearMonthDrawStyle", "0");
    store_.Write(std::to_string(n), "TodayColor", today_color);
  }

  testing::TempDir temp_;
  testing::MemorySettingsBackend backend_;
  SettingsStore store_;
  testing::RecordingPrompts prompts_;
  testing::FakeShell shell_;
  testing::FakeClock clock_;
  MainFormEnvironment environment_;
  std::map<std::string, std::string, std::less<>> desktop_values_{{"Wallpaper", ""}};
  testing::FakeDesktop* desktop_ = nullptr;
  std::unique_ptr<MainForm> form_;
};

TEST_F(MainFormTest, PlainStartIsInteractiveAndLeavesAutoDrawAlone) {
  EXPECT_EQ(Start(0), MainForm::CreateResult::kInteractive);
  EXPECT_FALSE(form_->draw_only_run());
  EXPECT_EQ(backend_.Get("AutoDraw"), "0");
  EXPECT_EQ(form_->settings().char_step, 30) << "the first-run values reached the window";
}

TEST_F(MainFormTest, DrawOnlyRunDrawsInstallsAndPutsTheValuesBack) {
  // A killed earlier run left a temporary file; a run holding the instance lock removes it.
  const std::filesystem::path leftover = temp_.path() / "cache" / "ovalin.bmp.tmp-AbC123";
  std::filesystem::create_directories(leftover.parent_path());
  std::ofstream(leftover) << "half a bitmap";
  environment_.instance_lock_held = true;
  ASSERT_EQ(Start(1), MainForm::CreateResult::kDrawOnly);
  EXPECT_FALSE(std::filesystem::exists(leftover));
  EXPECT_EQ(backend_.Get("AutoDraw"), "0");
  EXPECT_TRUE(form_->draw_only_run());
  const std::string work_bitmap = form_->wallpaper().work_bitmap_path;
  EXPECT_TRUE(std::filesystem::exists(work_bitmap)) << "the base image is written at creation";
  bool existed_at_restore = false;
  desktop_->on_write = [&](std::string_view name) {
    // The close puts the value back while the work bitmap still exists: the desktop never
    // names a missing file.
    if (name == "Wallpaper") existed_at_restore = std::filesystem::exists(work_bitmap);
  };
  EXPECT_TRUE(form_->RunDrawOnly());
  EXPECT_TRUE(existed_at_restore);
  ASSERT_EQ(desktop_->installs.size(), 1u);
  EXPECT_EQ(desktop_->installs[0].path, work_bitmap);
  EXPECT_EQ(desktop_->Get("Wallpaper"), "") << "restored at close";
  EXPECT_FALSE(std::filesystem::exists(work_bitmap)) << "deleted at close";
  EXPECT_EQ(backend_.Get("LastModifiedPage"), "0");
}

TEST_F(MainFormTest, KeptWorkBitmapIsNotDrawnTwiceTheSameDay) {
  Start(0);
  store_.WriteSetting("NoRestoreWallpaper", "1");
  ASSERT_EQ(Start(1), MainForm::CreateResult::kDrawOnly);
  form_->RunDrawOnly();
  const std::string work_bitmap = form_->wallpaper().work_bitmap_path;
  ASSERT_EQ(desktop_->Get("Wallpaper"), work_bitmap);
  desktop_values_ = desktop_->values;
  EXPECT_EQ(backend_.Get("OriginalWallpaper"), "");
  // The file was written today (by this test's clock, the real date is irrelevant): set it.
  std::filesystem::last_write_time(work_bitmap, std::filesystem::file_time_type::clock::now());
  clock_.set_today(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
  EXPECT_EQ(Start(1), MainForm::CreateResult::kAlreadyDrawn) << "nothing to do is no error";
  EXPECT_TRUE(desktop_->installs.empty());
  // Another day draws again.
  clock_.set_today(year{2030} / month{1} / day{1});
  EXPECT_EQ(Start(1), MainForm::CreateResult::kDrawOnly);
}

TEST_F(MainFormTest, DesignsByNumberAndAtRandom) {
  Start(0);
  SaveDesign(3, "clYellow");
  ASSERT_EQ(Start(13), MainForm::CreateResult::kDrawOnly);
  EXPECT_EQ(form_->settings().today_color, 0x00FFFFu);
  EXPECT_EQ(backend_.Get("TodayColor"), "clYellow");
  // A value the design lacks is written empty, which the window's next read turns into "0".
  EXPECT_EQ(backend_.Get("CalendarType"), "0");

  prompts_.shown.clear();
  EXPECT_EQ(Start(15), MainForm::CreateResult::kTerminate);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text, "On the Configuration 5, Nothing registered!");
  EXPECT_EQ(prompts_.shown[0].caption, "Orbeline - Error");

  SaveDesign(17, "clRed");
  store_.WriteSetting("TodayColor", "clLime");
  ASSERT_EQ(Start(3), MainForm::CreateResult::kDrawOnly);
  EXPECT_TRUE(backend_.Get("TodayColor") == "clYellow" || backend_.Get("TodayColor") == "clRed");
}

TEST_F(MainFormTest, RandomDesignWithNothingSaved) {
  Start(0);
  store_.Write("4", "YearMonthDrawStyle", "abc");  // not a number: not saved
  EXPECT_EQ(Start(3), MainForm::CreateResult::kTerminate);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text, "Nothing registered!");
}

TEST_F(MainFormTest, BitmapArgumentBecomesTheSource) {
  std::filesystem::path picture = temp_.path() / "given.bmp";
  WorkBitmap given;
  given.Reset(20, 10, WorkBitmapFormat::k24Bit);
  given.SetPixel(0, 0, MakeColorRef(9, 8, 7));
  given.SaveBmp(picture);
  environment_.first_argument = picture.string();
  ASSERT_EQ(Start(2), MainForm::CreateResult::kDrawOnly);
  EXPECT_EQ(form_->wallpaper().source_wallpaper_path, picture.string());
  // Centred: (320 - 20) / 2 = 150, (200 - 10) / 2 = 95.
  EXPECT_EQ(form_->work_bitmap().GetPixel(150, 95), MakeColorRef(9, 8, 7));
}

TEST_F(MainFormTest, MissingDesktopWallpaperEndsTheRun) {
  desktop_values_.clear();
  EXPECT_EQ(Start(1), MainForm::CreateResult::kTerminate);
  ASSERT_FALSE(prompts_.shown.empty());
  EXPECT_EQ(prompts_.shown[0].text, "Unknown error. Cannot find wallpaper settings.");
  EXPECT_EQ(backend_.Get("AutoDraw"), "0");
}

TEST_F(MainFormTest, DelayedStartWaitsWithTheSuspendTitleAcrossATickWrap) {
  Start(0);
  store_.WriteSetting("DelayedOnlyDraw", "1");
  store_.WriteSetting("DelaySeconds", "30");
  clock_.tick_step = 0;                   // only the waits let time pass
  clock_.set_ticks(0xFFFFFFFFu - 5000u);  // the tick count wraps during the wait
  clock_.slept = 0;
  prompts_.titles.clear();
  ASSERT_EQ(Start(1), MainForm::CreateResult::kDrawOnly);
  EXPECT_GE(clock_.slept, 29000u);
  EXPECT_LE(clock_.slept, 31000u);
  ASSERT_GE(prompts_.titles.size(), 2u);
  EXPECT_EQ(prompts_.titles[prompts_.titles.size() - 2], "Suspend - Orbeline");
  EXPECT_EQ(prompts_.titles.back(), "Orbeline");
  EXPECT_GT(prompts_.events_processed, 100);
}

TEST_F(MainFormTest, DrawOverwriteAndRevertInAnInteractiveRun) {
  std::filesystem::path picture = temp_.path() / "mine.bmp";
  WorkBitmap mine;
  mine.Reset(320, 200, WorkBitmapFormat::k24Bit);
  mine.SaveBmp(picture);
  desktop_values_ = {{"Wallpaper", picture.string()}};
  ASSERT_EQ(Start(0), MainForm::CreateResult::kInteractive);
  EXPECT_TRUE(form_->Draw(DrawSender::kWindow, {}));
  form_->work_bitmap().SetPixel(5, 190, MakeColorRef(1, 2, 3));
  form_->Draw(DrawSender::kWindow, {});  // right-click Draw keeps what is there
  EXPECT_EQ(form_->work_bitmap().GetPixel(5, 190), MakeColorRef(1, 2, 3));
  form_->Draw(DrawSender::kDrawButton, {});
  EXPECT_EQ(form_->work_bitmap().GetPixel(5, 190), 0u);
  ASSERT_EQ(desktop_->installs.size(), 3u);

  form_->Revert(RevertTarget::kSourceWallpaper);
  EXPECT_EQ(desktop_->installs.back().path, picture.string());
  form_->Revert(RevertTarget::kBaseImage);
  EXPECT_EQ(desktop_->installs.back().path, form_->wallpaper().work_bitmap_path);
  EXPECT_EQ(desktop_->installs.size(), 5u);
}

TEST(AskConfirmationTest, NeverShowKeysAndSuppression) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  testing::RecordingPrompts prompts;
  ConfirmationRequest load{Prompts::ConfirmationMode::kQuestion, "DesignLoadCheck", true,
                           "Load X. Current setting will be discarded. Are you sure?", "Confirm"};
  // Suppressed (a draw-only run): the default, nothing shown, nothing written.
  EXPECT_TRUE(AskConfirmation(store, prompts, true, load));
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_FALSE(backend.Get("DesignLoadCheck").has_value());
  // Asked: No with the never-show box ticked stores the key...
  prompts.confirmation_answers = {{false, true}};
  EXPECT_FALSE(AskConfirmation(store, prompts, false, load));
  EXPECT_EQ(backend.Get("DesignLoadCheck"), "1");
  // ...and from then on the default answer comes without a question.
  EXPECT_TRUE(AskConfirmation(store, prompts, false, load));
  EXPECT_EQ(prompts.shown.size(), 1u);
  // Any text other than exactly "1" lets it show; an information box answers No.
  store.WriteSetting("DayCheck", "yes");
  ConfirmationRequest info{Prompts::ConfirmationMode::kInformation, "DayCheck", false,
                           "Use TrueType font for smaller weekdays", "Confirm"};
  prompts.confirmation_answers = {{true, false}};
  EXPECT_FALSE(AskConfirmation(store, prompts, false, info));
  EXPECT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(backend.Get("DayCheck"), "yes");
}

}  // namespace
}  // namespace orbeline
