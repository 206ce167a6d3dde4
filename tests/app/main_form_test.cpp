#include "app/main_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "open_form.h"

namespace orbeline {
namespace {

class MainFormTest : public ::testing::Test, protected testing::OpenForm {
 protected:
  std::filesystem::path Picture(const char* name, int width, int height, ColorRef corner) {
    WorkBitmap bitmap;
    bitmap.Reset(width, height, WorkBitmapFormat::k24Bit);
    bitmap.SetPixel(0, 0, corner);
    bitmap.SaveBmp(temp.path() / name);
    return temp.path() / name;
  }
};

TEST_F(MainFormTest, DrawOnlyRunDrawsInstallsAndPutsTheValuesBack) {
  EXPECT_EQ(Create(0), MainForm::CreateResult::kInteractive);
  EXPECT_FALSE(form->draw_only_run());
  store.WriteSetting("LastModifiedPage", "2");  // the hidden window shows its first page
  // A killed earlier run left a temporary file; a run holding the instance lock removes it.
  const std::filesystem::path leftover = temp.path() / "cache" / "ovalin.bmp.tmp-AbC123";
  std::filesystem::create_directories(leftover.parent_path());
  std::ofstream(leftover) << "half a bitmap";
  environment.instance_lock_held = true;
  ASSERT_EQ(Create(1), MainForm::CreateResult::kDrawOnly);
  EXPECT_FALSE(std::filesystem::exists(leftover));
  EXPECT_EQ(backend.Get("AutoDraw"), "0");
  const std::string work_bitmap = form->wallpaper().work_bitmap_path;
  EXPECT_FALSE(std::filesystem::exists(work_bitmap)) << "written once, with the calendar on it";
  bool existed_at_restore = false;
  desktop->on_write = [&](std::string_view name) {
    // The desktop never names a missing file.
    if (name == "Wallpaper") existed_at_restore = std::filesystem::exists(work_bitmap);
  };
  EXPECT_TRUE(form->RunDrawOnly());
  EXPECT_TRUE(existed_at_restore);
  ASSERT_EQ(desktop->installs.size(), 1u);
  EXPECT_EQ(desktop->installs[0].path, work_bitmap);
  EXPECT_EQ(desktop->Get("Wallpaper"), "") << "restored at close";
  EXPECT_FALSE(std::filesystem::exists(work_bitmap)) << "deleted at close";
  EXPECT_EQ(backend.Get("LastModifiedPage"), "0");
}

TEST_F(MainFormTest, RandomDesignAmongTheSavedOnesOrNone) {
  Create(0);
  // A message stops the drawing; the settings window opens in a run that stays draw-only.
  EXPECT_EQ(Create(15), MainForm::CreateResult::kInteractive);
  EXPECT_TRUE(form->draw_only_run());
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text, "On the Configuration 5, Nothing registered!");
  store.Write("4", "YearMonthDrawStyle", "abc");  // not a number: not saved
  EXPECT_EQ(Create(3), MainForm::CreateResult::kInteractive);
  EXPECT_EQ(prompts.shown.back().text, "Nothing registered!");
  for (const auto& [n, color] : {std::pair{"3", "clYellow"}, std::pair{"17", "clRed"}}) {
    store.Write(n, "YearMonthDrawStyle", "0");
    store.Write(n, "TodayColor", color);
  }
  store.WriteSetting("TodayColor", "clLime");
  ASSERT_EQ(Create(3), MainForm::CreateResult::kDrawOnly);
  EXPECT_TRUE(backend.Get("TodayColor") == "clYellow" || backend.Get("TodayColor") == "clRed");
  // A value the design lacks is written empty, which the window's next read turns into "0".
  EXPECT_EQ(backend.Get("CalendarType"), "0");
}

TEST_F(MainFormTest, BitmapArgumentIsTheSourceOfThisRunOnly) {
  const std::filesystem::path picture = Picture("given.bmp", 20, 10, MakeColorRef(9, 8, 7));
  const std::string own = (temp.path() / "own.bmp").string();
  struct Row {
    std::string wallpaper;  // the desktop's own value at start
    const char* no_restore;
    std::string wallpaper_after, original_after;
  };
  for (const Row& row :
       std::vector<Row>{{own, "0", own, own}, {"", "1", "", ""}, {own, "1", "", own}}) {
    SCOPED_TRACE(row.wallpaper + row.no_restore);
    desktop_values = {{"Wallpaper", row.wallpaper}};
    store.WriteSetting("NoRestoreWallpaper", row.no_restore);
    store.WriteSetting("OriginalWallpaper", "");
    // A relative argument names a file of the folder the program was started in.
    const std::filesystem::path started_in = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    environment.first_argument = "given.bmp";
    ASSERT_EQ(Create(2), MainForm::CreateResult::kDrawOnly);
    std::filesystem::current_path(started_in);
    EXPECT_EQ(form->wallpaper().source_wallpaper_path, picture.string());
    EXPECT_EQ(form->work_bitmap().GetPixel(150, 95), MakeColorRef(9, 8, 7)) << "centred";
    form->RunDrawOnly();
    if (row.no_restore[0] == '0') {
      EXPECT_EQ(desktop->Get("Wallpaper"), row.wallpaper_after);
    }
    EXPECT_EQ(backend.Get("OriginalWallpaper").value_or(""), row.original_after);
  }
}

TEST_F(MainFormTest, RunsEndedAtStartNeverLeaveAOneShotCodeBehind) {
  Create(0);
  for (Prompts::Answer answer : {Prompts::Answer::kOk, Prompts::Answer::kCancel}) {
    backend.Remove("", "Holiday7");
    prompts.message_answers = {answer};
    EXPECT_EQ(Create(13), MainForm::CreateResult::kTerminate);
    EXPECT_EQ(backend.Get("AutoDraw"), "0");
  }
  backend = testing::MemorySettingsBackend();
  desktop_values.clear();
  EXPECT_EQ(Create(1), MainForm::CreateResult::kTerminate);
  EXPECT_EQ(prompts.shown.back().text, "Unknown error. Cannot find wallpaper settings.");
  EXPECT_EQ(backend.Get("AutoDraw"), "0");
}

TEST_F(MainFormTest, ClampedValuesAreWrittenBackAndTheWaitReadsThem) {
  Create(0);
  store.WriteSetting("DelayedOnlyDraw", "1");
  store.WriteSetting("DelaySeconds", "1000");
  store.WriteSetting("SubstituteType", "9");
  store.WriteSetting("CustomColor3", "ABCDEF12");
  clock.tick_step = 0;
  clock.slept = 0;
  ASSERT_EQ(Create(1), MainForm::CreateResult::kDrawOnly);
  EXPECT_LE(clock.slept, 181000u) << "the spin editor allows 0 to 180 seconds";
  EXPECT_EQ(backend.Get("DelaySeconds"), "180");
  EXPECT_EQ(backend.Get("SubstituteType"), "4");
  EXPECT_EQ(backend.Get("CustomColor3"), "ABCDEF");
}

TEST_F(MainFormTest, DelayedStartWaitsWithTheSuspendTitleAcrossATickWrap) {
  Create(0);
  store.WriteSetting("DelayedOnlyDraw", "1");
  store.WriteSetting("DelaySeconds", "30");
  clock.tick_step = 0;                   // only the waits let time pass
  clock.set_ticks(0xFFFFFFFFu - 5000u);  // the tick count wraps during the wait
  clock.slept = 0;
  prompts.titles.clear();
  ASSERT_EQ(Create(1), MainForm::CreateResult::kDrawOnly);
  EXPECT_GE(clock.slept, 29000u);
  EXPECT_LE(clock.slept, 31000u);
  ASSERT_GE(prompts.titles.size(), 2u);
  EXPECT_EQ(std::vector(prompts.titles.end() - 2, prompts.titles.end()),
            (std::vector<std::string>{"Suspend - Orbeline", "Orbeline"}));
  EXPECT_GT(prompts.events_processed, 100);
}

TEST_F(MainFormTest, DrawAndRevertInAnInteractiveRun) {
  desktop_values = {{"Wallpaper", Picture("mine.bmp", 320, 200, 0).string()}};
  ASSERT_EQ(Create(0), MainForm::CreateResult::kInteractive);
  EXPECT_TRUE(form->Draw(DrawSender::kDrawButton, {}));
  form->Revert(RevertTarget::kSourceWallpaper);
  EXPECT_EQ(desktop->installs.back().path, (temp.path() / "mine.bmp").string());
  form->Revert(RevertTarget::kBaseImage);
  EXPECT_EQ(desktop->installs.back().path, form->wallpaper().work_bitmap_path);
  EXPECT_EQ(desktop->installs.size(), 3u);
}

}  // namespace
}  // namespace orbeline
