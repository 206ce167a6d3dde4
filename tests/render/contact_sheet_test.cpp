// Runs the contact-sheet program and checks the PNG it writes.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>
#include <cstdlib>
#include <string>

#include "isolated_env.h"

namespace orbeline {
namespace {

TEST(ContactSheetTest, WritesEveryLayoutAndTypeToOnePng) {
  testing::TempDir folder;
  const std::string png = (folder.path() / "sheet.png").string();
  const std::string command =
      std::string("'") + ORBELINE_CONTACT_SHEET + "' '" + png + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);

  const QImage image(QString::fromStdString(png));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 2400);
  EXPECT_GT(image.height(), 2000);

  // Antialiased text on grey gives many shades; the role colours appear exactly.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFFu);
  }
  EXPECT_GT(colours.size(), 200);
  EXPECT_TRUE(colours.contains(qRgb(200, 40, 160) & 0xFFFFFFu));   // today's circle
  EXPECT_TRUE(colours.contains(qRgb(255, 170, 40) & 0xFFFFFFu));   // holidays
  EXPECT_TRUE(colours.contains(qRgb(120, 180, 255) & 0xFFFFFFu));  // Saturdays
  EXPECT_TRUE(colours.contains(qRgb(255, 100, 100) & 0xFFFFFFu));  // Sundays
}

}  // namespace
}  // namespace orbeline
