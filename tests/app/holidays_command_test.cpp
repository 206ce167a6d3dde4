#include "app/holidays_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fakes.h"
#include "settings/overlay_settings_backend.h"

namespace orbeline {
namespace {

class HolidaysCommandTest : public ::testing::Test {
 protected:
  HolidaysCommandTest() {
    definition.national_holiday_text = {"1 201", "11 23", "20",     "29",  "3 4 5", "",
                                        "301",   "11",    "301 23", "201", "3 23",  ""};
    definition.observe_type = 1;
  }
  int Run(std::string_view year) {
    out.str("");
    err.str("");
    // As the program runs it: over a store that keeps its writes to itself.
    OverlaySettingsBackend overlay(backend);
    SettingsStore prepared(overlay);
    return RunHolidaysCommand(year, prepared, definition, {"/bin/orbeline", 15200, "/tmp"}, shell,
                              prompts, out, err);
  }
  void StoreAll(const char* text, int except = 0) {
    store.WriteSetting("CharStep", "30");
    for (int m = 1; m <= 12; ++m) {
      if (m != except) store.WriteSetting("Holiday" + std::to_string(m), text);
    }
    backend.ClearLog();
  }

  Definition definition;
  testing::MemorySettingsBackend backend;
  SettingsStore store{backend};
  testing::FakeShell shell;
  testing::RecordingPrompts prompts;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(HolidaysCommandTest, StoredSettingsWinAndTheEquinoxIsOfTheYearAsked) {
  StoreAll("");
  store.WriteSetting("Holiday3", "20");
  store.WriteSetting("Holiday5", "3 4 5");
  store.WriteSetting("SubstituteType", "0");
  store.WriteSetting("AutoCalcEquinox", "1");
  // Equinox switched off, so the stored 20 stays; no substitute for Sunday 3 May 2026.
  EXPECT_EQ(Run("2026"), 0);
  EXPECT_EQ(out.str(), "2026-03-20\n2026-05-03\n2026-05-04\n2026-05-05\n");
  store.WriteSetting("AutoCalcEquinox", "0");
  store.WriteSetting("NoFurikae", "1");
  EXPECT_EQ(Run("2027"), 0);
  EXPECT_EQ(out.str(), "2027-03-21\n2027-05-03\n2027-05-04\n2027-05-05\n2027-09-23\n");
}

TEST_F(HolidaysCommandTest, YearsOneTo9999Only) {
  for (const char* year : {"", "abc", "0", "10000", "2026x", "$7E2"}) {
    EXPECT_EQ(Run(year), 2) << year;
    EXPECT_NE(err.str().find("not a year"), std::string::npos) << year;
    EXPECT_EQ(out.str(), "") << year;
  }
  EXPECT_EQ(Run("1"), 0);
  EXPECT_EQ(Run("9999"), 0);
}

TEST_F(HolidaysCommandTest, BrokenStoreSaysSoAsAStartDoesAndChangesNothing) {
  StoreAll("1", 7);
  EXPECT_EQ(Run("2026"), 1);
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_NE(prompts.shown[0].text.find("Registory broken"), std::string::npos);
  EXPECT_EQ(out.str(), "");
  EXPECT_TRUE(backend.write_log().empty());
  backend.PutOther("", "Holiday7");
  EXPECT_EQ(Run("2026"), 1);
  EXPECT_NE(err.str().find("Invalid data type for 'Holiday7'"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace orbeline
