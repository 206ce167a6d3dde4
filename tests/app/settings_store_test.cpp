#include "app/settings_store.h"

#include <gtest/gtest.h>

#include "app/color_text.h"
#include "app/error.h"
#include "fakes.h"

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

}  // namespace
}  // namespace orbeline
