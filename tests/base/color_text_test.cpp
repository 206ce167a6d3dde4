#include "base/color_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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
  std::vector<std::string> texts;
  for (ColorRef c : {0x0000FFu, 0x123456u, 0xC0FFEEu, 0x000000u, 0x80000000u + 24, 0x1FFFFFFFu}) {
    texts.push_back(ColorToText(c));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"clRed", "$00123456", "$00C0FFEE", "clBlack",
                                             "clInfoBk", "clNone"}));
}

}  // namespace
}  // namespace orbeline
