#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/color_text.h"
#include "base/error.h"
#include "fakes.h"
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

}  // namespace
}  // namespace orbeline
