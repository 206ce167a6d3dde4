#include "ui/marker_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace orbeline {
namespace {

// Red pixels of the ring, away from the cross and the marks.
int RedRingPixels(const QImage& image) {
  int red = 0;
  for (int y = 0; y < kMarkerSize; ++y) {
    for (int x = 0; x < kMarkerSize; ++x) {
      if ((x >= 13 && x <= 17) || (y >= 13 && y <= 17)) continue;
      if (image.pixel(x, y) == qRgb(255, 0, 0)) ++red;
    }
  }
  return red;
}

TEST(MarkerFormTest, PaintsItsPhaseOverTheDesktopAndReportsMoves) {
  int argc = 1;
  char name[] = "marker_form_test";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  TMarkerForm marker([](const QRect& rect) {
    QImage behind(rect.size(), QImage::Format_RGB32);
    behind.fill(qRgb(0, 0, 128));
    return behind;
  });
  QSignalSpy moved(&marker, &TMarkerForm::MarkerMoved);
  marker.SetMarkerPos({200, 100});
  marker.SetMarkerShown(true);
  EXPECT_EQ(marker.pos(), QPoint(184, 84));
  EXPECT_EQ(moved.count(), 0) << "its own placement is no move of the user's";

  QImage phase0 = marker.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(phase0.pixel(0, 0), qRgb(0, 0, 128)) << "the desktop shows in the corners";
  EXPECT_EQ(phase0.pixel(2, 15), qRgb(255, 255, 255)) << "the cross";
  EXPECT_EQ(phase0.pixel(14, 15), qRgb(255, 0, 0)) << "the marks start at the centre";
  EXPECT_EQ(RedRingPixels(phase0), 0);
  marker.SetAnimate(true);
  for (int i = 0; i < 4; ++i) marker.TimerTick();
  ASSERT_EQ(marker.animation().phase(), 4);
  QImage phase4 = marker.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(phase4.pixel(14, 15), qRgb(255, 255, 255)) << "the marks moved out";
  EXPECT_EQ(phase4.pixel(5, 15), qRgb(255, 0, 0));
  EXPECT_GT(RedRingPixels(phase4), 20) << "phase 4 rings red";

  // Moved by the window system or by a drag: each new hot spot is reported once.
  marker.move(300, 40);
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.last(), (QList<QVariant>{316, 56}));
  marker.move(300, 40);
  EXPECT_EQ(moved.count(), 1);

  // Without a window system that moves windows, a drag follows the mouse.
  QSignalSpy ended(&marker, &TMarkerForm::DragEnded);
  QTest::mousePress(&marker, Qt::LeftButton, {}, QPoint(16, 16));
  QTest::mouseMove(&marker, QPoint(26, 36));
  QTest::mouseRelease(&marker, Qt::LeftButton, {}, QPoint(16, 16));
  EXPECT_EQ(marker.pos(), QPoint(310, 60));
  EXPECT_EQ(moved.last().at(0).toInt(), 326);
  EXPECT_EQ(ended.count(), 1);
}

TEST(MarkerFormTest, ScaledScreenKeepsTheHotSpotOnTheDevicePoint) {
  // Two device pixels to the logical one: the cross's centre, 16 logical pixels in, stands
  // on the device point asked for.
  setenv("QT_SCALE_FACTOR", "2", 1);
  int argc = 1;
  char name[] = "marker_form_test";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  unsetenv("QT_SCALE_FACTOR");
  TMarkerForm marker(nullptr);
  QSignalSpy moved(&marker, &TMarkerForm::MarkerMoved);
  marker.SetMarkerPos({200, 100});
  marker.SetMarkerShown(true);
  EXPECT_EQ(marker.pos(), QPoint(84, 34));
  marker.move(100, 40);
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.last(), (QList<QVariant>{232, 112}));
}

}  // namespace
}  // namespace orbeline
