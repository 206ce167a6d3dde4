#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "calendar/user_holidays.h"
#include "fake_desktop.h"
#include "fake_settings_dialogs.h"
#include "fakes.h"
#include "isolated_env.h"
#include "platform/qt_settings_backend.h"
#include "recording_canvas.h"
#include "ui/color_button.h"
#include "ui/holiday_form.h"
#include "ui/ovalin_form.h"
#include "ui/specialday_form.h"

// Failures show texts, not bytes.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace orbeline {
namespace {

// The holiday and special-day dialogs on the offscreen platform, driven through their
// controls' names; messages and input boxes are answered by the recording prompts.
class EditorFormsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "editor_forms_test";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  }
  void SetUp() override { setenv("LC_ALL", "en_US.UTF-8", 1); }
  void TearDown() override { unsetenv("LC_ALL"); }

  template <typename T = QWidget>
  static T* Find(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static void Click(QWidget& window, const char* name) {
    QWidget* widget = Find(window, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
  }
  static QStringList Lines(QWidget& window, const char* name) {
    QStringList lines;
    auto* list = Find<QListWidget>(window, name);
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  static void ClickLine(QWidget& window, const char* name, const QString& text) {
    auto* list = Find<QListWidget>(window, name);
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
  }
  // Picks a list entry as the keyboard does, which reports it like a choice by mouse.
  static void Choose(QWidget& window, const char* name, int index) {
    auto* list = Find<QComboBox>(window, name);
    list->setCurrentIndex(index - 1);
    QTest::keyClick(list, Qt::Key_Down);
  }
  static void ClickRadio(QWidget& window, const char* group, const QString& text) {
    for (QRadioButton* radio : Find(window, group)->findChildren<QRadioButton*>()) {
      if (radio->text() != text) continue;
      QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
      return;
    }
    ADD_FAILURE() << text.toStdString();
  }

  testing::RecordingPrompts prompts;
  testing::FakeSettingsDialogs dialogs;
  testing::FakeShell shell;
};

TEST_F(EditorFormsTest, HolidayDialog) {
  HolidayLists lists;
  lists.month(5) = ParseHolidayText("29 5 3 4");
  HolidayFormModel model(lists, 5, shell);
  THolidayForm dialog(model);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.windowTitle(), "Holidays Setting");
  EXPECT_EQ(Find<QComboBox>(dialog, "MonthComboBox")->currentText(), "May");
  EXPECT_EQ(Lines(dialog, "HolidayList"), (QStringList{"3", "4", "5", "29"}));
  EXPECT_TRUE(Find(dialog, "OKButton")->hasFocus());
  EXPECT_FALSE(Find(dialog, "ReplaceButton")->isEnabled());

  ClickLine(dialog, "HolidayList", "29");
  EXPECT_EQ(Find<QSpinBox>(dialog, "DayEdit")->value(), 29);
  EXPECT_TRUE(Find(dialog, "DeleteButton")->isEnabled());
  Click(dialog, "WeekdayRadio");
  EXPECT_FALSE(Find(dialog, "DayEdit")->isEnabled());
  Choose(dialog, "NumberOfWeekCombo", 1);
  Choose(dialog, "DayOfWeekCombo", 1);
  Click(dialog, "AddButton");
  EXPECT_EQ(Lines(dialog, "HolidayList"), (QStringList{"3", "4", "5", "29", "2ndMonday"}));
  EXPECT_EQ(Find<QListWidget>(dialog, "HolidayList")->currentRow(), 4);
  ClickLine(dialog, "HolidayList", "4");
  EXPECT_TRUE(Find<QRadioButton>(dialog, "SamedayRadio")->isChecked());
  Click(dialog, "DeleteButton");
  EXPECT_EQ(Find<QListWidget>(dialog, "HolidayList")->currentItem()->text(), "2ndMonday");
  EXPECT_EQ(Find<QComboBox>(dialog, "NumberOfWeekCombo")->currentText(), "2nd");

  Choose(dialog, "MonthComboBox", 0);
  EXPECT_TRUE(Lines(dialog, "HolidayList").isEmpty());
  Click(dialog, "HelpButton");
  EXPECT_EQ(shell.opened_topics, (std::vector<int>{16}));
  // Enter on any control is OK, even on the day editor.
  Find(dialog, "DayEdit")->setFocus();
  QTest::keyClick(Find(dialog, "DayEdit"), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(FormatHolidayText(model.lists().month(5)), "3 5 29 201");

  THolidayForm cancelled(model);
  cancelled.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&cancelled));
  QTest::keyClick(&cancelled, Qt::Key_Escape);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(EditorFormsTest, SpecialDayDialog) {
  SpecialDayRecords records{};
  records[0] = {"Party", "13/601,5/3", "1", "clRed", "Party.", "1", "2"};
  SpecialdayFormModel model(records, 0, std::chrono::year{2026} / 5 / 16,
                            {prompts, dialogs, shell});
  TSpecialdayForm dialog(model);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.windowTitle(), "Special Date Setting");
  EXPECT_EQ(Find<QComboBox>(dialog, "SpecialComboBox")->currentText(), "Party");
  EXPECT_EQ(Lines(dialog, "DayListBox"), (QStringList{"Every Month/EveryMonday", "5/3"}))
      << "as stored until a date is added";
  EXPECT_EQ(Find<QComboBox>(dialog, "MonthCombo")->currentText(), "Every Month");
  EXPECT_TRUE(Find<QRadioButton>(dialog, "WeekdayRadio")->isChecked());
  EXPECT_EQ(Find<QComboBox>(dialog, "NumberOfWeekCombo")->currentText(), "Every");
  EXPECT_EQ(Find<QSpinBox>(dialog, "CountDaySpin")->value(), 2);
  auto* color = Find<ColorButton>(dialog, "SpecialColorButton");
  EXPECT_EQ(color->caption_color(), QColor(Qt::red));
  ClickRadio(dialog, "ColorRadioGroup", "Weekday");
  EXPECT_FALSE(color->isEnabled());
  ClickRadio(dialog, "ColorRadioGroup", "Apply");
  dialogs.color_answer = 0x00FF00;
  Click(dialog, "SpecialColorButton");
  EXPECT_EQ(color->caption_color(), QColor(Qt::green));

  // A new record: the input box answered with a name holding "\".
  prompts.input_answers = {"a\\b"};
  Click(dialog, "AddButton");
  EXPECT_EQ(Find<QComboBox>(dialog, "SpecialComboBox")->currentText(), "ab");
  EXPECT_EQ(prompts.shown.back().text, "Character \\ cannot use. This character removed.");
  EXPECT_TRUE(Lines(dialog, "DayListBox").isEmpty());
  EXPECT_EQ(Find<QComboBox>(dialog, "MonthCombo")->currentText(), "May");
  EXPECT_EQ(Find<QLineEdit>(dialog, "CommentEdit")->text(), "ab.");
  Choose(dialog, "MonthCombo", 3);
  Click(dialog, "SamedayRadio");
  auto* day = Find<QSpinBox>(dialog, "DayEdit");
  day->selectAll();
  prompts.shown.clear();
  QTest::keyClicks(day, "31");
  EXPECT_EQ(day->value(), 1);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text, "That date is not available!");
  Click(dialog, "DayAddButton");
  EXPECT_EQ(Lines(dialog, "DayListBox"), (QStringList{"4/1"}));
  Click(dialog, "DialogCheckBox");
  EXPECT_FALSE(Find(dialog, "CountDaySpin")->isEnabled());
  EXPECT_FALSE(Find(dialog, "DialogTestButton")->isEnabled());
  EXPECT_FALSE(Find(dialog, "CountDayLabel")->isEnabled());
  Click(dialog, "HelpButton");
  EXPECT_EQ(shell.opened_topics, (std::vector<int>{14}));

  Click(dialog, "OKButton");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.records()[0].color, "clLime");
  const SpecialDay& added = model.records()[1];
  EXPECT_EQ(added.name + "|" + added.dates + "|" + added.dialog, "ab|4/1|0");

  TSpecialdayForm cancelled(model);
  cancelled.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&cancelled));
  QTest::keyClick(&cancelled, Qt::Key_Escape);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

// The settings window on a real INI file: the dialogs are opened from the Options page, run
// without a blocking exec(), and what reaches the file is read back byte for byte.
class RoundTripTest : public EditorFormsTest {
 protected:
  RoundTripTest() : clock(std::chrono::year{2026} / 5 / 16) {}

  void Open() {
    MainFormEnvironment environment;
    environment.exe_path = "/usr/bin/orbeline";
    environment.definition_file = temp.path() / "missing.def";
    environment.system_temp = temp.path() / "cache";
    environment.startup_folder = temp.path() / "autostart";
    environment.home_folder = temp.path();
    environment.version_number = 15200;
    MainFormPorts ports{store,
                        prompts,
                        shell,
                        clock,
                        [](const std::string&) {
                          auto desktop = std::make_unique<testing::FakeDesktop>();
                          desktop->screen = {0, 0, 320, 200};
                          desktop->values = {{"Wallpaper", ""}};
                          return desktop;
                        },
                        [](WorkBitmap&) { return std::make_unique<testing::RecordingCanvas>(); }};
    form = std::make_unique<MainForm>(ports, environment);
    ASSERT_EQ(form->FormCreate(), MainForm::CreateResult::kInteractive);
    window = std::make_unique<TOvalinForm>(*form,
                                           OvalinFormModel::Ports{store, prompts, shell, dialogs});
    window->show();
    Find<QTabWidget>(*window, "PageControl")->setCurrentIndex(1);
  }
  QByteArray FileBytes() {
    backend.Flush();
    QFile file(backend.FileName());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }
  // A value as any INI reader of the format sees it.
  std::string Stored(const char* name) {
    backend.Flush();
    return QSettings(backend.FileName(), QSettings::IniFormat).value(name).toString().toStdString();
  }

  testing::TempDir temp;
  QtSettingsBackend backend{temp.path() / "Ovalin.conf"};
  SettingsStore store{backend};
  testing::FakeClock clock;
  std::unique_ptr<MainForm> form;
  std::unique_ptr<TOvalinForm> window;
};

TEST_F(RoundTripTest, OkStoresThePrescribedTextsAndCancelChangesNoByte) {
  Open();  // the first run's values, then the lists the dialogs edit
  store.WriteSetting("Holiday5", "5 3 4");
  store.WriteSetting("Special0", "Birthday\\5/3\\1\\clYellow\\Birthday.\\1\\3");
  Open();
  const QByteArray before = FileBytes();

  dialogs.edit_holidays = [](HolidayFormModel& model) {
    THolidayForm dialog(model);
    dialog.show();
    Find<QSpinBox>(dialog, "DayEdit")->setValue(6);
    Click(dialog, "AddButton");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    return dialog.result() == QDialog::Accepted;
  };
  dialogs.edit_special_days = [](SpecialdayFormModel& model) {
    TSpecialdayForm dialog(model);
    dialog.show();
    Click(dialog, "DayDeleteButton");
    dialog.close();
    return dialog.result() == QDialog::Accepted;
  };
  Click(*window, "HolidayButton");
  QTest::mouseDClick(Find<QListWidget>(*window, "SpecialDayListBox")->viewport(), Qt::LeftButton);
  EXPECT_EQ(FileBytes(), before) << "cancelled: not a byte changed";

  dialogs.edit_holidays = [](HolidayFormModel& model) {
    THolidayForm dialog(model);
    dialog.show();
    Find<QSpinBox>(dialog, "DayEdit")->setValue(6);
    Click(dialog, "AddButton");
    QTest::keyClick(Find(dialog, "HolidayList"), Qt::Key_Enter);
    return dialog.result() == QDialog::Accepted;
  };
  prompts.input_answers = {"Payday"};
  dialogs.edit_special_days = [](SpecialdayFormModel& model) {
    TSpecialdayForm dialog(model);
    dialog.show();
    Click(dialog, "AddButton");
    Choose(dialog, "MonthCombo", 12);
    Click(dialog, "WeekdayRadio");
    Choose(dialog, "NumberOfWeekCombo", 4);
    Choose(dialog, "DayOfWeekCombo", 5);
    Click(dialog, "DayAddButton");
    ClickRadio(dialog, "ColorRadioGroup", "Holidays");
    QTest::keyClicks(Find(dialog, "CommentEdit"), " Pay the rent.");
    Find<QSpinBox>(dialog, "CountDaySpin")->setValue(1);
    Click(dialog, "OKButton");
    return dialog.result() == QDialog::Accepted;
  };
  Click(*window, "HolidayButton");
  QTest::mousePress(Find<QListWidget>(*window, "SpecialDayListBox")->viewport(), Qt::RightButton);
  EXPECT_EQ(Stored("Holiday5"), "3 4 5 6");
  EXPECT_EQ(Stored("Holiday4"), "") << "the other months as they were";
  EXPECT_EQ(Stored("Special0"), "Birthday\\5/3\\1\\clYellow\\Birthday.\\1\\3");
  EXPECT_EQ(Stored("Special1"), "Payday\\13/505\\5\\clYellow\\Payday. Pay the rent.\\1\\1");
  EXPECT_TRUE(FileBytes().contains("Holiday5=3 4 5 6\n"));
  EXPECT_EQ(Find<QLabel>(*window, "HolidayPanel")->text(), "3,4,5,6");
  EXPECT_EQ(Lines(*window, "SpecialDayListBox"),
            (QStringList{"Birthday:5/3", "Payday:Every MonthLastFriday"}));
}

}  // namespace
}  // namespace orbeline
