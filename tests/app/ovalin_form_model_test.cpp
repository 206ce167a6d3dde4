#include "app/ovalin_form_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "open_form.h"

namespace orbeline {
namespace {

class OvalinFormModelTest : public ::testing::Test, protected testing::OpenForm {
 protected:
  OvalinFormModel& Open(bool japanese = false, int auto_draw = 0) {
    EXPECT_EQ(Create(auto_draw), MainForm::CreateResult::kInteractive);
    model_ = std::make_unique<OvalinFormModel>(
        *form, OvalinFormModel::Ports{store, prompts, shell, dialogs}, japanese);
    model_->ApplySettingsToWindow();
    model_->FillDesignList();
    prompts.shown.clear();
    return *model_;
  }
  int Confirmations() const {
    return static_cast<int>(std::count_if(prompts.shown.begin(), prompts.shown.end(),
                                          [](const auto& s) { return s.kind == "confirmation"; }));
  }
  std::unique_ptr<OvalinFormModel> model_;
};

TEST_F(OvalinFormModelTest, LineDrawTypeSetsLabelsRangesAndStepsAndIsWrittenAtOnce) {
  OvalinFormModel& model = Open();
  model.PositionXChange(300);
  model.LineDrawClick(CalendarType::kTop);
  EXPECT_EQ(backend.Get("CalendarType"), "0");
  EXPECT_EQ(model.settings().position_x, 200) << "clamped into the new range 0..200";
  model.LineDrawClick(CalendarType::kLeft);
  EXPECT_EQ(model.Labels().pos_y, "Distance from Top");
  EXPECT_EQ(model.RangeX().max, 320);
  EXPECT_FALSE(model.IsEnabled(CheckControl::kMondayStart));
  model.CharStepChange(12);
  model.CharStep2Change(40);
  EXPECT_EQ(model.ScrollLargeStepY(), 12);
  model.LineDrawClick(CalendarType::kCenter);
  EXPECT_EQ(model.Labels().char_step2, "Vertical Space");
  EXPECT_EQ(model.ScrollLargeStepY(), 40) << "the grid's rows follow the second spacing";
  EXPECT_TRUE(model.IsEnabled(CheckControl::kMondayStart));
}

TEST_F(OvalinFormModelTest, LayoutsOfSeveralMonthsEnableReverseAndMonthsSpace) {
  OvalinFormModel& model = Open();
  model.CalendarStyleChange(11);
  EXPECT_TRUE(model.IsEnabled(CheckControl::kMonthReverse) && model.MonthStepEnabled());
  model.CalendarStyleChange(5);
  EXPECT_FALSE(model.IsEnabled(CheckControl::kMonthReverse) || model.MonthStepEnabled());
  EXPECT_EQ(backend.Get("CalendarStyle"), "0") << "saved by the next drawing";
}

TEST_F(OvalinFormModelTest, ColourButtonsWriteEveryColourAndTheCustomColoursEvenOnCancel) {
  OvalinFormModel& model = Open();
  model.PresetClick(ColorPreset::kDark);
  EXPECT_EQ(backend.Get("DayboxColor"), "clGray");
  backend.Write("", "WeekdayColor", "stale");
  dialogs.custom_color_0 = 0x123456;
  model.ColorButtonClick(ColorSlot::kSunday);  // cancelled
  EXPECT_EQ(dialogs.color_initials.back(), 0x000080u) << "preset with the button's colour";
  EXPECT_EQ(backend.Get("SundayColor"), "clMaroon");
  EXPECT_EQ(backend.Get("WeekdayColor"), "clBlack");
  EXPECT_EQ(backend.Get("CustomColor0"), "123456");
  dialogs.color_answer = 0x00C0FFEE;
  model.ColorButtonClick(ColorSlot::kToday);
  EXPECT_EQ(backend.Get("TodayColor"), "$00C0FFEE");
  // The icon text colour leaves the custom colours to the others.
  dialogs.custom_color_0 = 0xABCDEF;
  dialogs.color_answer = 0x000000;
  model.TextColorButtonClick();
  EXPECT_EQ(backend.Get("IconTextColor"), "clBlack");
  EXPECT_EQ(backend.Get("CustomColor0"), "123456");
}

TEST_F(OvalinFormModelTest, RemindersOfTheCheckBoxesCanBeSilenced) {
  OvalinFormModel& model = Open();
  prompts.confirmation_answers = {{false, true}};  // ticks "Never Show This Confirmation"
  model.CheckClick(CheckControl::kSmallDayName, true);
  EXPECT_EQ(backend.Get("SmallDayName"), "1") << "written at once";
  ASSERT_EQ(Confirmations(), 1);
  EXPECT_EQ(prompts.shown.back().text, "Use TrueType font for smaller weekdays");
  EXPECT_EQ(backend.Get("DayCheck"), "1");
  model.CheckClick(CheckControl::kSmallDayName, false);
  model.CheckClick(CheckControl::kSmallDayName, true);
  model.CheckClick(CheckControl::kEmperorSmall, false);
  EXPECT_EQ(Confirmations(), 1) << "unticking and a silenced reminder show nothing";
}

TEST_F(OvalinFormModelTest, FormatListsRemindOnlyWithJapaneseMessages) {
  Open(false).MonthDrawChange(4);
  EXPECT_EQ(Confirmations(), 0);
  EXPECT_EQ(backend.Get("MonthDraw"), "0") << "lists are saved by the next drawing";
  OvalinFormModel& japanese = Open(true);
  japanese.YearDrawChange(4);
  japanese.MonthDrawChange(4);
  japanese.DayDrawChange(5);
  ASSERT_EQ(Confirmations(), 3);
  EXPECT_EQ(prompts.shown[0].text, "Use Japanese font for Gengo");
}

TEST_F(OvalinFormModelTest, EnabledRulesOfTheFormatsAndTheSameFont) {
  OvalinFormModel& model = Open();
  store.WriteSetting("YearDraw", "8");
  form->ApplySettingsToWindow();
  model.ApplySettingsToWindow();
  EXPECT_TRUE(model.IsEnabled(CheckControl::kEmperorSmall)) << "an era format (8) is stored";
  EXPECT_FALSE(model.IsEnabled(CheckControl::kReverseYearMonth));
  model.MonthDrawChange(3);
  EXPECT_TRUE(model.IsEnabled(CheckControl::kReverseYearMonth));
  model.YearDrawChange(16);
  EXPECT_FALSE(model.IsEnabled(CheckControl::kEmperorSmall));
  // Same font on and no weekday names: the weekday size keeps its state.
  EXPECT_FALSE(model.IsEnabled(CheckControl::kSmallDayName));
  model.DayDrawChange(2);
  EXPECT_TRUE(model.IsEnabled(CheckControl::kSmallDayName));
  model.CheckClick(CheckControl::kSameFont, false);
  EXPECT_FALSE(model.IsEnabled(CheckControl::kSmallDayName));
  model.DayDrawChange(0);
  model.CheckClick(CheckControl::kSameFont, true);
  EXPECT_FALSE(model.IsEnabled(CheckControl::kSmallDayName)) << "kept: disabled";
}

TEST_F(OvalinFormModelTest, NewTilingRebuildsTheBaseImageOnceAtThePageChange) {
  OvalinFormModel& model = Open();
  const std::string work = form->wallpaper().work_bitmap_path;
  EXPECT_TRUE(model.PageChange(2));
  EXPECT_FALSE(std::filesystem::exists(work)) << "same tiling: nothing composed";
  model.TilePatternClick(1);
  EXPECT_TRUE(model.PageChange(3));
  EXPECT_TRUE(std::filesystem::exists(work));
  EXPECT_EQ(backend.Get("TilePattern"), "1");
  std::filesystem::remove(work);
  EXPECT_TRUE(model.PageChange(0));
  EXPECT_FALSE(std::filesystem::exists(work));
}

TEST_F(OvalinFormModelTest, PositionIsStoredOnlyByADrawingAndThePageAtClose) {
  OvalinFormModel& model = Open();
  model.PositionXChange(77);
  model.PageChange(3);
  form->FormCloseQuery();
  form->FormClose();
  EXPECT_EQ(backend.Get("PositionX"), "0");
  EXPECT_EQ(backend.Get("LastModifiedPage"), "3");
}

TEST_F(OvalinFormModelTest, DesignBoxLoadSaveAndRename) {
  OvalinFormModel& model = Open();
  ASSERT_EQ(model.design_names().size(), 20u);
  EXPECT_TRUE(model.DesignLoadClick());
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text, "Nothing registered on Configure1 !");

  model.SelectDesign(2);
  model.CheckClick(CheckControl::kMondayStart, true);
  model.PageChange(1);
  model.DesignSaveClick();
  EXPECT_EQ(prompts.shown.back().text, "Target (Configure3) will be replaced. Are you sure?");
  EXPECT_EQ(backend.Get("MondayStart", "3"), "1");
  EXPECT_EQ(model.settings().last_modified_page, 0) << "the first page is shown";

  store.Write("3", "TodayColor", "clYellow");
  store.Write("3", "CharStep", "");
  model.PageChange(2);
  prompts.confirmation_answers = {{false, true}};  // No, and never ask again
  EXPECT_TRUE(model.DesignLoadClick());
  EXPECT_EQ(backend.Get("TodayColor"), "clLime") << "answered No";
  const int asked = Confirmations();
  EXPECT_TRUE(model.DesignLoadClick());
  EXPECT_EQ(Confirmations(), asked) << "silenced: the default answer Yes";
  EXPECT_EQ(model.settings().today_color, 0x00FFFFu);
  EXPECT_EQ(backend.Get("CharStep"), "30") << "an empty design value leaves the setting";
  EXPECT_EQ(model.settings().last_modified_page, 0);

  model.SelectDesign(1);
  prompts.input_answers = {"configure2", "Configure2", "Mine"};
  model.DesignNameChangeClick();
  EXPECT_EQ(prompts.shown.back().text, "Same name already exists!");
  model.DesignNameChangeClick();
  EXPECT_EQ(model.design_names()[1], "Configure2");
  model.DesignNameChangeClick();
  EXPECT_EQ(model.design_names()[1], "Mine");
  EXPECT_EQ(backend.Get("DesignName", "2"), "Mine");
  EXPECT_EQ(model.selected_design(), 1);
}

TEST_F(OvalinFormModelTest, TempFolderHelpAndFonts) {
  OvalinFormModel& model = Open();
  const std::filesystem::path folder = temp.path() / "elsewhere";
  dialogs.folder_answer = folder.string();
  model.TempFolderClick();
  EXPECT_EQ(backend.Get("Temp"), folder.string() + "/");
  EXPECT_EQ(form->wallpaper().work_bitmap_path, folder.string() + "/ovalin.bmp");
  shell.opened_topics.clear();
  model.HelpClick(2);
  model.HelpRightClick();
  EXPECT_EQ(shell.opened_topics, (std::vector<int>{12}));
  EXPECT_EQ(shell.contents_opened, 1);
  EXPECT_TRUE(prompts.shown.empty());
  shell.viewer_found = false;  // a desktop without a browser: told where the manual is
  model.HelpRightClick();
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_NE(prompts.shown[0].text.find("/usr/share/orbeline/ovalin.html"), std::string::npos);

  dialogs.font_answer = FontSetting{"Liberation Serif", 11, true, false};
  model.FontClick(FontSlot::kDayOfWeek);
  EXPECT_EQ(model.Font(FontSlot::kDayOfWeek).name, "Liberation Serif");
  EXPECT_EQ(backend.Get("Font2Name"), "Arial") << "saved by the next drawing";
}

TEST_F(OvalinFormModelTest, DrawOnlyRunStoppedByAMessageAsksNothing) {
  OvalinFormModel& model = Open(false, 15);  // design 5 is not saved
  model.CheckClick(CheckControl::kSmallDayName, true);
  EXPECT_EQ(Confirmations(), 0);
}

TEST_F(OvalinFormModelTest, CountryFileHidesTheOptionsItHasNoUseFor) {
  environment.definition_file = temp.path() / "ENU.def";
  std::ofstream(environment.definition_file) << "[Ignore]\nGengo=1\nKokumin=1\n";
  OvalinFormModel& model = Open();
  EXPECT_FALSE(model.IsShown(CheckControl::kEmperorSmall));
  EXPECT_FALSE(model.IsShown(CheckControl::kNoKokumin));
  EXPECT_TRUE(model.IsShown(CheckControl::kAutoCalcEquinox));
}

}  // namespace
}  // namespace orbeline
