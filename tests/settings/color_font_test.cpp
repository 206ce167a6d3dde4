#include <gtest/gtest.h>

#include "base/color_text.h"
#include "fakes.h"
#include "settings/font_setting.h"
#include "settings/settings_store.h"

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

TEST(FontSettingTest, ReadDefaultsAndRoundTrip) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  FontSetting missing = ReadFontSetting(store, "Font1");
  EXPECT_EQ(missing, (FontSetting{"Arial", 20, false, false}));
  EXPECT_TRUE(backend.write_log().empty()) << "reading a font writes nothing back";

  WriteFontSetting(store, "Font0", FontSetting{"IPAGothic", 12, true, false});
  EXPECT_EQ(backend.Get("Font0StyleItalic"), "1");
  EXPECT_EQ(ReadFontSetting(store, "Font0"), (FontSetting{"IPAGothic", 12, true, false}));

  // Any non-zero integer turns a style on; text that is not a number leaves it off.
  store.WriteSetting("FontStyleBold", "7");
  store.WriteSetting("FontStyleItalic", "yes");
  store.WriteSetting("FontSize", "big");
  FontSetting odd = ReadFontSetting(store, "Font");
  EXPECT_TRUE(odd.bold);
  EXPECT_FALSE(odd.italic);
  EXPECT_EQ(odd.size, 20);
}

}  // namespace
}  // namespace orbeline
