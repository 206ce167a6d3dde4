#include "ui/ovalin_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "open_form.h"
#include "qt_form.h"
#include "ui/about_box.h"
#include "ui/check_form.h"
#include "ui/color_button.h"
#include "ui/qt_prompts.h"
#include "ui/ui_text.h"

namespace orbeline {
namespace {

class OvalinFormTest : public testing::QtFormTest, protected testing::OpenForm {
 protected:
  TOvalinForm& Show() {
    EXPECT_EQ(Create(), MainForm::CreateResult::kInteractive);
    window_ = std::make_unique<TOvalinForm>(*form,
                                            OvalinFormModel::Ports{store, prompts, shell, dialogs});
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    return *window_;
  }

  template <typename T = QWidget>
  T* Find(const char* name) {
    return QtFormTest::Find<T>(*window_, name);
  }
  void Click(const char* name) { QtFormTest::Click(Find(name)); }

  std::unique_ptr<TOvalinForm> window_;
};

TEST_F(OvalinFormTest, MainPage) {
  Show();
  // The place and the position can be set without a mouse.
  Find("LineDrawTop")->setFocus();
  QTest::keyClick(Find("LineDrawTop"), Qt::Key_Space);
  EXPECT_EQ(backend.Get("CalendarType"), "0");
  for (int tab = 0; tab < 10 && QApplication::focusWidget() != Find("PosXScrollBar"); ++tab) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
  EXPECT_EQ(form->settings().position_x, Find<QScrollBar>("PosXScrollBar")->maximum());
  Click("LineDrawLeft");
  EXPECT_EQ(Find<QLabel>("PosYLabel")->text(), "Distance from Top");
  EXPECT_EQ(Find<QScrollBar>("PosXScrollBar")->maximum(), 320);

  auto* style = Find<QComboBox>("CalendarStyleComboBox");
  style->setCurrentIndex(10);
  QTest::keyClick(style, Qt::Key_Down);
  EXPECT_EQ(form->settings().calendar_style, 11);
  EXPECT_TRUE(Find("MonthReverseCheckBox")->isEnabled() && Find("MonthStepSpin")->isEnabled());
  // Three characters can be typed; the arrows go further, and the whole number shows.
  auto* month_step = Find<QSpinBox>("MonthStepSpin");
  month_step->setValue(-99);
  QTest::keyClick(month_step, Qt::Key_Down);
  EXPECT_EQ(month_step->text(), "-100");
  month_step->selectAll();
  QTest::keyClicks(month_step, "2345");
  EXPECT_EQ(month_step->text(), "234");

  Click("SameFontCheckBox");
  EXPECT_FALSE(Find("FontTestPanel")->isVisible());
  dialogs.font_answer = FontSetting{"Liberation Serif", 12, false, true};
  Click("FontDayPanel");
  EXPECT_EQ(form->settings().font0.name, "Liberation Serif");

  // Enter on a check box: the overwrite drawing, then the default button's fresh one.
  Find("SameFontCheckBox")->setFocus();
  QTest::keyClick(Find("SameFontCheckBox"), Qt::Key_Return);
  EXPECT_EQ(desktop->installs.size(), 2u);
  EXPECT_EQ(backend.Get("Font0Name"), "Liberation Serif") << "the drawing saved the window";

  // Right-button presses: Revert shows the composed base image, Help the contents.
  QTest::mousePress(Find("DefaultReturnButton"), Qt::RightButton);
  EXPECT_EQ(desktop->installs.back().path, form->wallpaper().work_bitmap_path);
  QTest::mousePress(Find("HelpButton"), Qt::RightButton);
  EXPECT_EQ(shell.contents_opened, 1);
  Click("HelpButton");
  EXPECT_EQ(shell.opened_topics.back(), 10);

  // A drawing that fails is reported, and gives the caption and the buttons back.
  desktop->fail_install = true;
  Click("DrawButton");
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_NE(prompts.shown.back().text.find("Cannot install"), std::string::npos);
  EXPECT_EQ(window_->windowTitle(), "Orbeline");
  EXPECT_TRUE(Find("QuitButton")->isEnabled() && Find("PageControl")->isEnabled());
}

TEST_F(OvalinFormTest, OptionsPage) {
  Create();  // the first run's values, then a year format the list does not hold
  store.WriteSetting("YearDraw", "5");
  Show();
  EXPECT_EQ(Find<QComboBox>("YearDrawGroupBox")->currentIndex(), -1);
  Click("DarkDefaultColorButton");
  EXPECT_EQ(Find<ColorButton>("SundayColorButton")->caption_color(), QColor(0x80, 0, 0));
  Click("ShadowCheckBox");
  EXPECT_FALSE(Find("ShadowColorButton")->isEnabled());
  Click("DayboxColorButton");
  EXPECT_TRUE(dialogs.color_initials.empty()) << "the box colour waits for the box";
}

TEST_F(OvalinFormTest, MiscPage) {
  environment.definition_file = temp.path() / "ENU.def";
  std::ofstream(environment.definition_file) << "[Ignore]\nKokumin=1\n";
  Show();
  auto* pages = Find<QTabWidget>("PageControl");
  pages->setCurrentIndex(2);
  EXPECT_TRUE(Find("NoKokuminCheckBox")->isHidden()) << "the country file has no use for it";
  EXPECT_FALSE(Find("EquinoxCheckBox")->isHidden());
  auto radios = Find("TilePatternGroupBox")->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 3);
  QTest::mouseClick(radios[1], Qt::LeftButton);
  EXPECT_EQ(backend.Get("TilePattern"), "0");
  pages->setCurrentIndex(3);
  EXPECT_EQ(backend.Get("TilePattern"), "1") << "the page change applies the tiling";
  pages->setCurrentIndex(2);
  Click("NoRestoreCheckBox");
  EXPECT_EQ(backend.Get("NoRestoreWallpaper"), "1");

  // A launcher that cannot be written reaches the error report.
  prompts.message_answers = {Prompts::Answer::kYes};
  store.WriteSetting("StartupFileName", "no/such/folder.desktop");
  Click("StartUpButton");
  EXPECT_EQ(prompts.shown.back().text, "Unable to create .desktop file");
}

TEST_F(OvalinFormTest, PositioningMarker) {
  Show();
  TMarkerForm* marker = window_->marker();
  ASSERT_NE(marker, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return marker->isVisible(); })) << "shown at the first paint";
  // Left type on the 320 x 200 desktop: the hot spot stands on (PositionX, PositionY).
  Click("LineDrawLeft");
  auto* pos_x = Find<QScrollBar>("PosXScrollBar");
  pos_x->setValue(100);
  EXPECT_EQ(marker->pos().x() + kMarkerHotSpot, 100) << "the scroll bar moves the marker";

  marker->move(200 - kMarkerHotSpot, 60 - kMarkerHotSpot);
  EXPECT_EQ(pos_x->value(), 200) << "the marker moves the scroll bars";
  EXPECT_EQ(Find<QLabel>("PosXValueLabel")->text(), "200");

  Click("DrawButton");
  EXPECT_TRUE(marker->isVisible()) << "shown again after the drawing";
  Click("MarkerPanel");
  EXPECT_FALSE(marker->isVisible());
  QTest::mousePress(Find("MarkerPanel"), Qt::RightButton);
  EXPECT_FALSE(marker->animation().animate());
}

TEST_F(OvalinFormTest, DrawOnlyStartStoppedByAMessageHasNoMarkerAndNoOffer) {
  ASSERT_EQ(Create(13), MainForm::CreateResult::kInteractive) << "design 3 is not saved";
  window_ =
      std::make_unique<TOvalinForm>(*form, OvalinFormModel::Ports{store, prompts, shell, dialogs});
  window_->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(window_->marker(), nullptr);
  EXPECT_FALSE(Find("MarkerPanel")->isEnabled());
  EXPECT_EQ(prompts.shown.size(), 1u) << "the message only, no startup offer";
}

TEST_F(OvalinFormTest, AdvancedPageAndQuit) {
  Show();
  Find<QTabWidget>("PageControl")->setCurrentIndex(3);
  EXPECT_EQ(Find<QComboBox>("DesignListComboBox")->count(), 20);
  Click("DesignLoadButton");
  ASSERT_FALSE(prompts.shown.empty());
  Click("DelayCheckBox");
  QTest::keyClick(Find("DelaySpinEdit"), Qt::Key_Up);
  EXPECT_EQ(backend.Get("DelaySeconds"), "31");
  EXPECT_FALSE(Find("TextColorButton")->isEnabled());

  Click("QuitButton");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(backend.Get("LastModifiedPage"), "3");
}

// A close request (the window manager's close button, Quit) that arrives while a drawing
// lets events through: the close steps wait for the drawing's clean-up, so they put back
// the values of the desktop that the drawing installed.
TEST_F(OvalinFormTest, CloseDuringADrawingRunsAfterIt) {
  TOvalinForm& window = Show();
  const std::string work_bitmap = form->wallpaper().work_bitmap_path;
  bool asked = false;
  prompts.on_process_events = [&] {
    if (!asked) window.close();
    asked = true;
  };
  Click("DrawButton");
  prompts.on_process_events = nullptr;
  EXPECT_TRUE(asked);
  EXPECT_FALSE(window.isVisible());
  ASSERT_EQ(desktop->installs.size(), 1u);
  EXPECT_EQ(desktop->Get("Wallpaper"), "") << "put back after the installation";
  EXPECT_FALSE(std::filesystem::exists(work_bitmap));
}

TEST_F(OvalinFormTest, ConfirmationDialogKeys) {
  TCheckForm question(QStringLiteral("Confirm"), QStringLiteral("Load <b>Mine</b>?"),
                      Prompts::ConfirmationMode::kQuestion);
  question.show();
  // A design name the user typed is shown as typed, here and in every message box.
  EXPECT_EQ(question.findChild<QLabel*>(QStringLiteral("Label1"))->textFormat(), Qt::PlainText);
  EXPECT_EQ(MakeMessageBox({"Error", "<b>Mine</b>"})->textFormat(), Qt::PlainText);
  EXPECT_FALSE(question.findChild<QWidget*>(QStringLiteral("OKButton"))->isVisible());
  QTest::mouseClick(question.findChild<QWidget*>(QStringLiteral("NeverCheckBox")), Qt::LeftButton);
  question.findChild<QWidget*>(QStringLiteral("YesButton"))->setFocus();
  QTest::keyClick(&question, Qt::Key_Return);
  EXPECT_EQ(question.answer(), 1);
  EXPECT_TRUE(question.never_show());

  question.show();
  EXPECT_FALSE(question.never_show()) << "unticked at every showing";
  QTest::keyClick(&question, Qt::Key_Escape);
  EXPECT_EQ(question.answer(), 0);
  question.show();
  QTest::mouseClick(question.findChild<QWidget*>(QStringLiteral("NoButton")), Qt::LeftButton);
  EXPECT_EQ(question.answer(), 0);
}

TEST_F(OvalinFormTest, FontDialogOkKeepsAFontThatFontconfigSubstitutes) {
  const FontSetting arial{"Arial", 18, true, true};  // drawn as Liberation Sans
  QFontDialog dialog(FontDialogPreset(arial));
  EXPECT_EQ(ChosenFont(arial, dialog.currentFont()), arial);
}

TEST_F(OvalinFormTest, VersionBox) {
  TAboutBox about;
  about.show();
  EXPECT_TRUE(
      about.findChild<QLabel*>(QStringLiteral("Version"))->text().startsWith("Ver.1.52.0("));
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace orbeline
