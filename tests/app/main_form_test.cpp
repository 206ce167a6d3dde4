#include "app/main_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fake_desktop.h"
#include "fakes.h"
#include "isolated_env.h"
#include "recording_canvas.h"
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
  store_.WriteSetting("LastModifiedPage", "2");  // the hidden window shows its first page
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
  EXPECT_FALSE(std::filesystem::exists(work_bitmap)) << "written once, with the calendar on it";
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

// A kept work bitmap is not drawn twice a day, designs by number: the draw-only script.
TEST_F(MainFormTest, RandomDesignAmongTheSavedOnesOrNone) {
  Start(0);
  // A message stops the drawing; the settings window opens in a run that stays draw-only.
  EXPECT_EQ(Start(15), MainForm::CreateResult::kInteractive);
  EXPECT_TRUE(form_->draw_only_run());
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text, "On the Configuration 5, Nothing registered!");
  prompts_.shown.clear();
  store_.Write("4", "YearMonthDrawStyle", "abc");  // not a number: not saved
  EXPECT_EQ(Start(3), MainForm::CreateResult::kInteractive);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].text, "Nothing registered!");

  SaveDesign(3, "clYellow");
  SaveDesign(17, "clRed");
  store_.WriteSetting("TodayColor", "clLime");
  ASSERT_EQ(Start(3), MainForm::CreateResult::kDrawOnly);
  EXPECT_TRUE(backend_.Get("TodayColor") == "clYellow" || backend_.Get("TodayColor") == "clRed");
  // A value the design lacks is written empty, which the window's next read turns into "0".
  EXPECT_EQ(backend_.Get("CalendarType"), "0");
}

TEST_F(MainFormTest, BitmapArgumentIsTheSourceOfThisRunOnly) {
  std::filesystem::path picture = temp_.path() / "given.bmp";
  WorkBitmap given;
  given.Reset(20, 10, WorkBitmapFormat::k24Bit);
  given.SetPixel(0, 0, MakeColorRef(9, 8, 7));
  given.SaveBmp(picture);
  const std::string own = (temp_.path() / "own.bmp").string();
  struct Row {
    const char* name;
    std::string wallpaper;  // the desktop's own value at start
    const char* no_restore;
    std::string wallpaper_after, original_after;
  };
  for (const Row& row : std::vector<Row>{{"restored", own, "0", own, own},
                                         {"no picture, kept", "", "1", "", ""},
                                         {"missing picture, kept", own, "1", "", own}}) {
    SCOPED_TRACE(row.name);
    desktop_values_ = {{"Wallpaper", row.wallpaper}};
    store_.WriteSetting("NoRestoreWallpaper", row.no_restore);
    store_.WriteSetting("OriginalWallpaper", "");
    // A relative argument names a file of the folder the program was started in.
    const std::filesystem::path started_in = std::filesystem::current_path();
    std::filesystem::current_path(temp_.path());
    environment_.first_argument = "given.bmp";
    ASSERT_EQ(Start(2), MainForm::CreateResult::kDrawOnly);
    std::filesystem::current_path(started_in);
    EXPECT_EQ(form_->wallpaper().source_wallpaper_path, picture.string());
    // Centred: (320 - 20) / 2 = 150, (200 - 10) / 2 = 95.
    EXPECT_EQ(form_->work_bitmap().GetPixel(150, 95), MakeColorRef(9, 8, 7));
    form_->RunDrawOnly();
    if (row.no_restore[0] == '0') {
      EXPECT_EQ(desktop_->Get("Wallpaper"), row.wallpaper_after);
    }
    EXPECT_EQ(backend_.Get("OriginalWallpaper").value_or(""), row.original_after);
  }
}

TEST_F(MainFormTest, BrokenStoreNeverLeavesAOneShotCodeBehind) {
  Start(0);
  for (Prompts::Answer answer : {Prompts::Answer::kOk, Prompts::Answer::kCancel}) {
    SCOPED_TRACE(static_cast<int>(answer));
    backend_.Remove("", "Holiday7");
    prompts_.message_answers = {answer};
    EXPECT_EQ(Start(13), MainForm::CreateResult::kTerminate);
    EXPECT_EQ(backend_.Get("AutoDraw"), "0");
  }
}

TEST_F(MainFormTest, ClampedValuesAreWrittenBackAndTheWaitReadsThem) {
  Start(0);
  store_.WriteSetting("DelayedOnlyDraw", "1");
  store_.WriteSetting("DelaySeconds", "1000");
  store_.WriteSetting("SubstituteType", "9");
  store_.WriteSetting("CustomColor3", "ABCDEF12");
  clock_.tick_step = 0;
  clock_.slept = 0;
  ASSERT_EQ(Start(1), MainForm::CreateResult::kDrawOnly);
  EXPECT_LE(clock_.slept, 181000u) << "the spin editor allows 0 to 180 seconds";
  EXPECT_EQ(backend_.Get("DelaySeconds"), "180");
  EXPECT_EQ(backend_.Get("SubstituteType"), "4");
  EXPECT_EQ(backend_.Get("CustomColor3"), "ABCDEF");
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

TEST_F(MainFormTest, DrawAndRevertInAnInteractiveRun) {
  std::filesystem::path picture = temp_.path() / "mine.bmp";
  WorkBitmap mine;
  mine.Reset(320, 200, WorkBitmapFormat::k24Bit);
  mine.SaveBmp(picture);
  desktop_values_ = {{"Wallpaper", picture.string()}};
  ASSERT_EQ(Start(0), MainForm::CreateResult::kInteractive);
  // What each kind of Draw keeps: the pipeline's tests.
  EXPECT_TRUE(form_->Draw(DrawSender::kDrawButton, {}));
  ASSERT_EQ(desktop_->installs.size(), 1u);
  form_->Revert(RevertTarget::kSourceWallpaper);
  EXPECT_EQ(desktop_->installs.back().path, picture.string());
  form_->Revert(RevertTarget::kBaseImage);
  EXPECT_EQ(desktop_->installs.back().path, form_->wallpaper().work_bitmap_path);
  EXPECT_EQ(desktop_->installs.size(), 3u);
}

}  // namespace
}  // namespace orbeline
