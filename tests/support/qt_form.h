#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace orbeline::testing {

// A window test on the offscreen platform: one application for the suite, controls found
// by their names.
class QtFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "qt_form_test";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  }

  template <typename T = QWidget>
  static T* Find(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // Near the left edge, where a radio button or check box has its mark.
  static void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
  }
  static void Click(QWidget& window, const char* name) { Click(Find(window, name)); }
};

}  // namespace orbeline::testing
