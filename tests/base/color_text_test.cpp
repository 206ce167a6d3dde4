#include "base/color_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace orbeline {
namespace {

TEST(ColorTextTest, NamesNumbersAndTheLow24Bits) {
  struct Case {
    const char* text;
    std::optional<ColorRef> expected;
  } cases[] = {
      {"clRed", 0x0000FF},    {"clblue", 0xFF0000},    {"CLWHITE", 0xFFFFFF},
      {"clSilver", 0xC0C0C0}, {"$0080FF00", 0x80FF00}, {"$00123456", 0x123456},
      {"255", 0x0000FF},      {"clBtnFace", 0x00000F}, {"clNone", 0xFFFFFF},
      {"clInfoBk", 0x000018}, {"$FFFFFFFF", 0xFFFFFF}, {"nonsense", std::nullopt},
      {"", std::nullopt},     {"$", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToColor(c.text), c.expected) << c.text;
}

TEST(ColorTextTest, StoredFormIsTheNameOrEightHexDigits) {
  EXPECT_EQ(ColorToText(0x0000FF), "clRed");
  EXPECT_EQ(ColorToText(0x123456), "$00123456");
  EXPECT_EQ(ColorToText(0xC0FFEE), "$00C0FFEE");
  EXPECT_EQ(ColorToText(0x000000), "clBlack");
  EXPECT_EQ(ColorToText(0xFFFF00), "clAqua");
  EXPECT_EQ(ColorToText(0x80000000u + 24), "clInfoBk");
  EXPECT_EQ(ColorToText(0x1FFFFFFF), "clNone");
}

}  // namespace
}  // namespace orbeline
