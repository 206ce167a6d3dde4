#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "calendar/user_holidays.h"
#include "open_form.h"
#include "platform/qt_settings_backend.h"
#include "qt_form.h"
#include "ui/color_button.h"
#include "ui/holiday_form.h"
#include "ui/ovalin_form.h"
#include "ui/specialday_form.h"

// Failures show texts, not bytes.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace orbeline {
namespace {

// The holiday and special-day dialogs on the offscreen platform, driven through their
// controls' names; messages, input boxes and the colour dialog are answered by fakes.
class EditorFormsTest : public testing::QtFormTest, protected testing::OpenForm {
 protected:
  static void ClickRadio(QWidget& window, const QString& text) {
    for (QRadioButton* radio : window.findChildren<QRadioButton*>()) {
      if (radio->text() == text) Click(radio);
    }
  }
  static QStringList Lines(QWidget& window, const char* name) {
    QStringList lines;
    auto* list = Find<QListWidget>(window, name);
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  static void ClickLine(QWidget& window, const char* name, int row) {
    auto* list = Find<QListWidget>(window, name);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  // An entry chosen with the keyboard, which reports it as a choice like the mouse does.
  static void Choose(QWidget& window, const char* name, int index) {
    auto* list = Find<QComboBox>(window, name);
    list->setCurrentIndex(index - 1);
    QTest::keyClick(list, Qt::Key_Down);
  }
};

TEST_F(EditorFormsTest, HolidayDialog) {
  HolidayLists lists;
  lists.month(5) = ParseHolidayText("29 5 3");
  HolidayFormModel model(lists, 5, shell, prompts);
  THolidayForm dialog(model);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(Find<QComboBox>(dialog, "MonthComboBox")->currentText(), "May");
  EXPECT_EQ(Lines(dialog, "HolidayList"), (QStringList{"3", "5", "29"}));
  ClickLine(dialog, "HolidayList", 2);
  EXPECT_EQ(Find<QSpinBox>(dialog, "DayEdit")->value(), 29);
  Click(dialog, "WeekdayRadio");
  EXPECT_FALSE(Find(dialog, "DayEdit")->isEnabled());
  Choose(dialog, "NumberOfWeekCombo", 1);
  Choose(dialog, "DayOfWeekCombo", 1);
  Click(dialog, "AddButton");
  EXPECT_EQ(Find<QListWidget>(dialog, "HolidayList")->currentItem()->text(), "2ndMonday");
  Click(dialog, "HelpButton");
  EXPECT_EQ(shell.opened_topics, (std::vector<int>{16}));
  // Enter is OK wherever the focus is, even on the day editor.
  Find(dialog, "DayEdit")->setFocus();
  QTest::keyClick(Find(dialog, "DayEdit"), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(EditorFormsTest, SpecialDayDialog) {
  SpecialDayRecords records{};
  records[0] = {"Party", "13/601,5/3", "1", "clRed", "Party.", "1", "2"};
  SpecialdayFormModel model(records, 0, std::chrono::year{2026} / 5 / 16,
                            {prompts, dialogs, shell});
  TSpecialdayForm dialog(model);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(Lines(dialog, "DayListBox"), (QStringList{"Every Month/EveryMonday", "5/3"}));
  auto* color = Find<ColorButton>(dialog, "SpecialColorButton");
  EXPECT_EQ(color->caption_color(), QColor(Qt::red));
  ClickRadio(dialog, "Weekday");
  EXPECT_FALSE(color->isEnabled());
  ClickRadio(dialog, "Apply");
  dialogs.color_answer = 0x00FF00;
  Click(color);
  EXPECT_EQ(color->caption_color(), QColor(Qt::green));

  prompts.input_answers = {"a\\b"};
  Click(dialog, "AddButton");
  EXPECT_EQ(Find<QComboBox>(dialog, "SpecialComboBox")->currentText(), "ab");
  Choose(dialog, "MonthCombo", 3);
  Click(dialog, "SamedayRadio");
  auto* day = Find<QSpinBox>(dialog, "DayEdit");
  day->selectAll();
  QTest::keyClicks(day, "31");
  EXPECT_EQ(day->value(), 1) << "April has no 31st";
  EXPECT_EQ(prompts.shown.back().text, "That date is not available!");
  Click(dialog, "DayAddButton");
  EXPECT_EQ(Lines(dialog, "DayListBox"), (QStringList{"4/1"}));
  Click(dialog, "DialogCheckBox");
  EXPECT_FALSE(Find(dialog, "CountDaySpin")->isEnabled());
  Click(dialog, "OKButton");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.records()[0].color, "clLime");
  EXPECT_EQ(model.records()[1].dates + model.records()[1].dialog, "4/10");
}

// The settings window on a real INI file: the dialogs open from the Options page and run
// without a blocking exec(); the file is read back afterwards.
class RoundTripTest : public EditorFormsTest {
 protected:
  RoundTripTest() { run_store = &file_store; }
  void Open() {
    clock.set_today(std::chrono::year{2026} / 5 / 16);
    ASSERT_EQ(Create(), MainForm::CreateResult::kInteractive);
    window = std::make_unique<TOvalinForm>(
        *form, OvalinFormModel::Ports{file_store, prompts, shell, dialogs});
    window->show();
    Find<QTabWidget>(*window, "PageControl")->setCurrentIndex(1);
  }
  QByteArray FileBytes() {
    file_backend.Flush();
    QFile file(file_backend.FileName());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }
  // A value as any reader of the INI format sees it.
  std::string Stored(const char* name) {
    file_backend.Flush();
    return QSettings(file_backend.FileName(), QSettings::IniFormat)
        .value(name)
        .toString()
        .toStdString();
  }
  template <typename Form, typename Model, typename Edit>
  static auto Run(Edit edit) {
    return [edit](Model& model) {
      Form dialog(model);
      dialog.show();
      edit(dialog);
      return dialog.result() == QDialog::Accepted;
    };
  }

  QtSettingsBackend file_backend{temp.path() / "Ovalin.conf"};
  SettingsStore file_store{file_backend};
  std::unique_ptr<TOvalinForm> window;
};

TEST_F(RoundTripTest, OkStoresThePrescribedTextsAndCancelChangesNoByte) {
  Open();  // the first run's values, then the lists the dialogs edit
  file_store.WriteSetting("Holiday5", "5 3 4");
  file_store.WriteSetting("Special0", "Birthday\\5/3\\1\\clYellow\\Birthday.\\1\\3");
  Open();
  auto add_sixth = [](THolidayForm& dialog) {
    Find<QSpinBox>(dialog, "DayEdit")->setValue(6);
    Click(dialog, "AddButton");
  };
  dialogs.edit_holidays = Run<THolidayForm, HolidayFormModel>([&](THolidayForm& dialog) {
    add_sixth(dialog);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  dialogs.edit_special_days =
      Run<TSpecialdayForm, SpecialdayFormModel>([](TSpecialdayForm& dialog) {
        EXPECT_EQ(Find<QComboBox>(dialog, "SpecialComboBox")->currentText(), "Birthday")
            << "no line selected: the first";
        Click(dialog, "DayDeleteButton");
        dialog.close();
      });
  const QByteArray before = FileBytes();
  Click(*window, "HolidayButton");
  QTest::mouseDClick(Find<QListWidget>(*window, "SpecialDayListBox")->viewport(), Qt::LeftButton);
  EXPECT_EQ(FileBytes(), before) << "cancelled: not a byte changed";

  dialogs.edit_holidays = Run<THolidayForm, HolidayFormModel>([&](THolidayForm& dialog) {
    add_sixth(dialog);
    QTest::keyClick(Find(dialog, "HolidayList"), Qt::Key_Enter);
  });
  prompts.input_answers = {"Payday"};
  dialogs.edit_special_days =
      Run<TSpecialdayForm, SpecialdayFormModel>([](TSpecialdayForm& dialog) {
        Click(dialog, "AddButton");
        Choose(dialog, "MonthCombo", 12);
        Click(dialog, "WeekdayRadio");
        Choose(dialog, "NumberOfWeekCombo", 4);
        Choose(dialog, "DayOfWeekCombo", 5);
        Click(dialog, "DayAddButton");
        ClickRadio(dialog, "Holidays");
        Find<QSpinBox>(dialog, "CountDaySpin")->setValue(1);
        Click(dialog, "OKButton");
      });
  Click(*window, "HolidayButton");
  QTest::mousePress(Find<QListWidget>(*window, "SpecialDayListBox")->viewport(), Qt::RightButton);
  EXPECT_TRUE(FileBytes().contains("\nHoliday5=3 4 5 6\n"));
  EXPECT_EQ(Stored("Special0"), "Birthday\\5/3\\1\\clYellow\\Birthday.\\1\\3");
  EXPECT_EQ(Stored("Special1"), "Payday\\13/505\\5\\clYellow\\Payday.\\1\\1");
  EXPECT_EQ(Find<QLabel>(*window, "HolidayPanel")->text(), "3,4,5,6");
  EXPECT_EQ(Lines(*window, "SpecialDayListBox"),
            (QStringList{"Birthday:5/3", "Payday:Every MonthLastFriday"}));
}

}  // namespace
}  // namespace orbeline
