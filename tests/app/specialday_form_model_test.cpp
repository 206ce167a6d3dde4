#include "app/specialday_form_model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "fake_settings_dialogs.h"
#include "fakes.h"

namespace orbeline {
namespace {

using Lines = std::vector<std::string>;

std::string Stored(const SpecialDay& r) {
  return r.name + "\\" + r.dates + "\\" + r.color_mode + "\\" + r.color + "\\" + r.comment + "\\" +
         r.dialog + "\\" + r.count_day;
}

class SpecialdayFormModelTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("LC_ALL", "en_US.UTF-8", 1); }
  void TearDown() override { unsetenv("LC_ALL"); }

  SpecialdayFormModel Open(const Lines& texts) {
    SpecialDayRecords records{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
      std::string text = texts[i];
      SpecialDay& r = records[i];
      for (std::string* field :
           {&r.name, &r.dates, &r.color_mode, &r.color, &r.comment, &r.dialog, &r.count_day}) {
        *field = TakeField(text);
      }
    }
    return SpecialdayFormModel(records, 0, std::chrono::year{2026} / 5 / 16,
                               {prompts, dialogs, shell});
  }
  // "caption: text" of the prompts shown since the last call.
  Lines Shown() {
    Lines texts;
    for (const auto& shown : prompts.shown) texts.push_back(shown.caption + ": " + shown.text);
    prompts.shown.clear();
    return texts;
  }
  static void AddDate(SpecialdayFormModel& model, int month_index, int day_rule) {
    model.MonthChange(month_index);
    model.ByDateClick(day_rule <= 31);
    if (day_rule <= 31) model.DayChange(day_rule);
    model.NumberOfWeekChange(day_rule / 100 - 1);
    model.DayOfWeekChange(day_rule % 100);
    model.DayAddClick();
  }

  testing::RecordingPrompts prompts;
  testing::FakeSettingsDialogs dialogs;
  testing::FakeShell shell;
};

TEST_F(SpecialdayFormModelTest, NewRecordStartsYellowWithReminderAndDiesWithoutDates) {
  SpecialdayFormModel model = Open({});
  EXPECT_FALSE(model.RecordControlsEnabled());
  model.NameListOpenedEmpty();  // answered Yes, the proposed name taken
  EXPECT_EQ(Shown(), (Lines{"Confirm: Create a new special date?", "Add special date: Name"}));
  EXPECT_EQ(model.Names(), (Lines{"New1"}));
  // Apply in yellow, the name as comment, the reminder on, today's month and day shown.
  EXPECT_EQ(std::tuple(model.color_mode(), model.own_color(), model.comment(), model.month_index(),
                       model.controls().day),
            std::tuple(1, ColorRef{0x00FFFF}, "New1.", 4, 16));
  EXPECT_TRUE(model.dialog() && model.ApplyColorEnabled() && model.CountDownEnabled());
  model.OkClick();
  EXPECT_EQ(Shown(), (Lines{"Confirm: No dates registered.\nConfiguration deleted."}));
  EXPECT_TRUE(model.records()[0].name.empty());
  EXPECT_EQ(model.selected(), -1);
  model.HelpClick();
  EXPECT_EQ(shell.opened_topics, (std::vector<int>{14}));
}

TEST_F(SpecialdayFormModelTest, DatesAreListedSortedEditedAndStoredOnOk) {
  SpecialdayFormModel model = Open({"Party\\\\1\\clYellow\\Party.\\1\\2"});
  AddDate(model, 11, 25);
  AddDate(model, 4, 3);
  AddDate(model, 12, 601);
  EXPECT_EQ(model.DateLines(), (Lines{"5/3", "12/25", "Every Month/EveryMonday"}));
  EXPECT_EQ(model.selected_date(), 2) << "the last line, shown in the controls";
  AddDate(model, 4, 3);
  EXPECT_EQ(Shown(), (Lines{"Orbeline - Error: Same date already configured"}));
  model.DateLineClick(1);
  EXPECT_EQ(model.month_index(), 11);
  model.DayChange(24);
  model.DayEditClick();
  model.DayDeleteClick();  // the controls still show 12/24: it goes
  EXPECT_EQ(model.DateLines(), (Lines{"5/3", "Every Month/EveryMonday"}));
  model.DayChange(4);
  model.DayDeleteClick();  // 5/4 is not the line's 5/3: nothing goes, 5/3 shown again
  EXPECT_EQ(model.DateLines().size(), 2u);
  EXPECT_EQ(model.controls().day, 3);
  model.OkClick();
  EXPECT_EQ(Stored(model.records()[0]), "Party\\5/3,13/601\\1\\clYellow\\Party.\\1\\2");
}

TEST_F(SpecialdayFormModelTest, TwentyDatesAtMostAndOneDeletedLeavesNineteen) {
  std::string dates = "1/1";
  for (int day = 2; day <= 20; ++day) dates += ",1/" + std::to_string(day);
  SpecialdayFormModel model = Open({"Full\\" + dates});
  AddDate(model, 0, 21);
  EXPECT_EQ(Shown(), (Lines{"Confirm: This function supports up to 20 days"}));
  model.DateLineClick(5);
  model.DayDeleteClick();
  const Lines lines = model.DateLines();
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 19u);
}

TEST_F(SpecialdayFormModelTest, DaysTheMonthLacksAreRefused) {
  SpecialdayFormModel model = Open({"Day\\1/31\\0\\clRed\\x\\0\\0"});
  model.MonthChange(3);  // April: changing the month checks nothing
  model.DayChange(30);
  model.DayChange(31);
  EXPECT_EQ(model.controls().day, 1);
  model.MonthChange(1);
  model.DayChange(29);
  EXPECT_EQ(model.controls().day, 29) << "February has a 29th in a leap year";
  model.PreviewClick();  // but not in 2026
  model.MonthChange(0);
  model.DayChange(31);
  model.MonthChange(10);  // November 31
  model.CommentChange("changed");
  model.OkClick();
  EXPECT_EQ(Shown(), Lines(3, "Orbeline - Error: That date is not available!"));
  EXPECT_EQ(model.records()[0].comment, "x") << "nothing stored";
  model.MonthChange(0);
  model.PreviewClick();
  EXPECT_EQ(Shown(), (Lines{"What day today?: Today 1/31/26 is:\nchanged"}));
}

TEST_F(SpecialdayFormModelTest, DeletingTheFirstOfThreeKeepsTheOthersWhole) {
  const Lines texts = {"A\\1/1\\2\\clRed\\a.\\1\\3", "B\\2/2\\1\\$00123456\\b.\\1\\5",
                       "C\\13/601\\0\\clBlue\\c.\\0\\9"};
  SpecialdayFormModel model = Open(texts);
  prompts.message_answers = {Prompts::Answer::kNo, Prompts::Answer::kYes};
  model.DeleteClick();
  EXPECT_EQ(Shown(), (Lines{"Confirm: Delete \"A\"\nAre you sure?"}));
  model.DeleteClick();
  EXPECT_EQ(model.selected(), -1);
  EXPECT_FALSE(model.RecordControlsEnabled());
  model.OkClick();
  EXPECT_EQ((Lines{Stored(model.records()[0]), Stored(model.records()[1])}),
            (Lines{texts[1], texts[2]}));
  EXPECT_TRUE(model.records()[2].name.empty());
}

TEST_F(SpecialdayFormModelTest, BackslashesAreRemovedFromNamesAndCommentsAndNamesStayUnique) {
  SpecialdayFormModel model = Open({"Old\\5/3\\1\\clRed\\o.\\1\\0"});
  prompts.input_answers = {"a\\b", "Old", "c\\\\d"};
  model.AddNewClick();
  EXPECT_EQ(model.Names(), (Lines{"Old", "ab"}));
  EXPECT_EQ(Shown(), (Lines{"Add special date: Name",
                            "Confirm: Character \\ cannot use. This character removed."}));
  AddDate(model, 0, 1);
  model.RenameClick();
  EXPECT_EQ(Shown().back(), "Orbeline - Error: Same name already registered!");
  model.RenameClick();
  EXPECT_EQ(model.Names(), (Lines{"Old", "cd"}));
  model.CommentChange("x\\y");
  model.NameListEnter();
  EXPECT_EQ(model.records()[1].comment, "xy");
  // A new name without dates is deleted by the rename's commit: the one shown keeps its name.
  prompts.input_answers = {"Empty", "Other"};
  model.AddNewClick();
  model.RenameClick();
  EXPECT_EQ(model.Names(), (Lines{"Old", "cd"}));
}

TEST_F(SpecialdayFormModelTest, OwnColourOnlyWithApplyAndAtMostAHundredRecords) {
  SpecialdayFormModel model = Open({"Red\\5/3\\1\\clRed\\r.\\0\\0"});
  EXPECT_FALSE(model.CountDownEnabled());
  model.ColorModeClick(3);
  model.ApplyColorClick();
  EXPECT_TRUE(dialogs.color_initials.empty()) << "disabled on Weekday";
  model.OkClick();
  EXPECT_EQ(Stored(model.records()[0]), "Red\\5/3\\3\\clRed\\r.\\0\\0");
  Lines hundred;
  for (int i = 0; i < kMaxSpecialDays; ++i) hundred.push_back("D" + std::to_string(i) + "\\5/3");
  SpecialdayFormModel full = Open(hundred);
  full.AddNewClick();
  EXPECT_EQ(Shown(), (Lines{"Orbeline - Error: Maximum number for the special date is 100."}));
}

}  // namespace
}  // namespace orbeline
