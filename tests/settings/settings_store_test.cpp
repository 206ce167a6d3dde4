#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/error.h"
#include "fakes.h"
#include "settings/ask_confirmation.h"
#include "settings/font_setting.h"
#include "settings/overlay_settings_backend.h"

namespace orbeline {
namespace {

TEST(SettingsStoreTest, AbsentOrEmptyReadsZeroAndWritesItBackAndOtherTypesAreErrors) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  EXPECT_EQ(store.ReadSetting("Missing"), "0");
  EXPECT_EQ(backend.Get("Missing"), "0");
  store.WriteSetting("Empty", "");
  EXPECT_EQ(store.ReadSetting("Empty"), "0");
  EXPECT_EQ(backend.Get("Empty"), "0");
  backend.PutOther("", "CharStep");
  try {
    store.ReadSetting("CharStep");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'CharStep'");
  }
}

TEST(FontSettingTest, ReadDefaultsAndRoundTrip) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  EXPECT_EQ(ReadFontSetting(store, "Font1"), (FontSetting{"Arial", 20, false, false}));
  EXPECT_TRUE(backend.write_log().empty()) << "reading a font writes nothing back";
  WriteFontSetting(store, "Font0", FontSetting{"IPAGothic", 12, true, false});
  EXPECT_EQ(ReadFontSetting(store, "Font0"), (FontSetting{"IPAGothic", 12, true, false}));
  // Any non-zero integer turns a style on; text that is not a number leaves it off.
  store.WriteSetting("FontStyleBold", "7");
  store.WriteSetting("FontStyleItalic", "yes");
  store.WriteSetting("FontSize", "big");
  EXPECT_EQ(ReadFontSetting(store, "Font"), (FontSetting{"Arial", 20, false, true}));
}

TEST(OverlaySettingsBackendTest, WritesStayInMemoryAndShadowTheStore) {
  testing::MemorySettingsBackend base;
  base.Write("", "Kept", "stored");
  base.Write("", "Gone", "stored");
  base.ClearLog();
  OverlaySettingsBackend overlay(base);
  SettingsStore store(overlay);
  EXPECT_EQ(store.ReadSetting("Missing"), "0");
  store.WriteSetting("Kept", "changed");
  store.Remove("Gone");
  EXPECT_EQ(store.ReadSetting("Kept"), "changed");
  EXPECT_FALSE(store.Exists("Gone"));
  auto names = overlay.Names("");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Kept", "Missing"}));
  EXPECT_TRUE(base.write_log().empty()) << "the store underneath is never written";
  EXPECT_EQ(base.Get("Gone"), "stored");
}

TEST(AskConfirmationTest, NeverShowKeysAndSuppression) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  testing::RecordingPrompts prompts;
  ConfirmationRequest load{Prompts::ConfirmationMode::kQuestion, "DesignLoadCheck", true,
                           "Load X. Current setting will be discarded. Are you sure?", "Confirm"};
  // Suppressed (a draw-only run): the default, nothing shown, nothing written.
  EXPECT_TRUE(AskConfirmation(store, prompts, true, load));
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_FALSE(backend.Get("DesignLoadCheck").has_value());
  // No with the never-show box ticked stores the key; then the default comes unasked.
  prompts.confirmation_answers = {{false, true}};
  EXPECT_FALSE(AskConfirmation(store, prompts, false, load));
  EXPECT_EQ(backend.Get("DesignLoadCheck"), "1");
  EXPECT_TRUE(AskConfirmation(store, prompts, false, load));
  EXPECT_EQ(prompts.shown.size(), 1u);
  // Any text other than exactly "1" lets it show; an information box answers No.
  store.WriteSetting("DayCheck", "yes");
  ConfirmationRequest info{Prompts::ConfirmationMode::kInformation, "DayCheck", false,
                           "Use TrueType font for smaller weekdays", "Confirm"};
  prompts.confirmation_answers = {{true, false}};
  EXPECT_FALSE(AskConfirmation(store, prompts, false, info));
  EXPECT_EQ(prompts.shown.size(), 2u);
}

}  // namespace
}  // namespace orbeline
