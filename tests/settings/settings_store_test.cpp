#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/color_text.h"
#include "base/error.h"
#include "fakes.h"
#include "settings/ask_confirmation.h"
#include "settings/overlay_settings_backend.h"

namespace orbeline {
namespace {

TEST(SettingsStoreTest, AbsentOrEmptyReadsZeroAndWritesItBack) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  EXPECT_EQ(store.ReadSetting("Missing"), "0");
  EXPECT_EQ(backend.Get("Missing"), "0");
  store.WriteSetting("Empty", "");
  EXPECT_EQ(store.ReadSetting("Empty"), "0");
  EXPECT_EQ(backend.Get("Empty"), "0");
  store.WriteSetting("Text", "abc");
  EXPECT_EQ(store.ReadSetting("Text"), "abc");
}

TEST(SettingsStoreTest, ValueOfAnotherTypeIsAnError) {
  testing::MemorySettingsBackend backend;
  backend.PutOther("", "CharStep");
  SettingsStore store(backend);
  try {
    store.ReadSetting("CharStep");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'CharStep'");
  }
}

TEST(OverlaySettingsBackendTest, WritesStayInMemoryAndShadowTheStore) {
  testing::MemorySettingsBackend base;
  base.Write("", "Kept", "stored");
  base.Write("", "Gone", "stored");
  base.ClearLog();
  OverlaySettingsBackend overlay(base);
  SettingsStore store(overlay);
  EXPECT_EQ(store.ReadSetting("Kept"), "stored");
  EXPECT_EQ(store.ReadSetting("Missing"), "0");
  store.WriteSetting("Kept", "changed");
  store.Remove("Gone");
  EXPECT_EQ(store.ReadSetting("Kept"), "changed");
  EXPECT_FALSE(store.Exists("Gone"));
  auto names = overlay.Names("");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Kept", "Missing"}));
  EXPECT_TRUE(base.write_log().empty()) << "the store underneath is never written";
  EXPECT_EQ(base.Get("Kept"), "stored");
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
  // Asked: No with the never-show box ticked stores the key...
  prompts.confirmation_answers = {{false, true}};
  EXPECT_FALSE(AskConfirmation(store, prompts, false, load));
  EXPECT_EQ(backend.Get("DesignLoadCheck"), "1");
  // ...and from then on the default answer comes without a question.
  EXPECT_TRUE(AskConfirmation(store, prompts, false, load));
  EXPECT_EQ(prompts.shown.size(), 1u);
  // Any text other than exactly "1" lets it show; an information box answers No.
  store.WriteSetting("DayCheck", "yes");
  ConfirmationRequest info{Prompts::ConfirmationMode::kInformation, "DayCheck", false,
                           "Use TrueType font for smaller weekdays", "Confirm"};
  prompts.confirmation_answers = {{true, false}};
  EXPECT_FALSE(AskConfirmation(store, prompts, false, info));
  EXPECT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(backend.Get("DayCheck"), "yes");
}

}  // namespace
}  // namespace orbeline
