#include "settings/font_setting.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "settings/settings_store.h"

namespace orbeline {
namespace {

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
