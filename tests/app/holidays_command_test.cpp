#include "app/holidays_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fakes.h"
#include "settings/overlay_settings_backend.h"

namespace orbeline {
namespace {

using testing::MemorySettingsBackend;

Definition JapaneseDefinition() {
  Definition definition;
  definition.national_holiday_text = {"1 201", "11 23", "20",     "29",  "3 4 5", "",
                                      "301",   "11",    "301 23", "201", "3 23",  ""};
  definition.observe_type = 1;
  return definition;
}

class HolidaysCommandTest : public ::testing::Test {
 protected:
  int Run(std::string_view year, const Definition& definition) {
    out.str("");
    err.str("");
    // As the program runs it: over a store that keeps its writes to itself.
    OverlaySettingsBackend overlay(backend);
    SettingsStore prepared(overlay);
    return RunHolidaysCommand(year, prepared, definition, {"/bin/orbeline", 15200, "/tmp"}, shell,
                              prompts, out, err);
  }

  MemorySettingsBackend backend;
  SettingsStore store{backend};
  testing::FakeShell shell;
  testing::RecordingPrompts prompts;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(HolidaysCommandTest, StoredSettingsWin) {
  store.WriteSetting("CharStep", "30");
  for (int m = 1; m <= 12; ++m) store.WriteSetting("Holiday" + std::to_string(m), "");
  store.WriteSetting("Holiday3", "20");
  store.WriteSetting("Holiday5", "3 4 5");
  store.WriteSetting("SubstituteType", "0");
  store.WriteSetting("AutoCalcEquinox", "1");
  backend.ClearLog();
  // Equinox switched off, so the stored 20 stays; no substitute for Sunday 3 May 2026.
  EXPECT_EQ(Run("2026", JapaneseDefinition()), 0);
  EXPECT_EQ(out.str(), "2026-03-20\n2026-05-03\n2026-05-04\n2026-05-05\n");
  // The equinox days are those of the year asked, as a drawing in that year marks them.
  store.WriteSetting("AutoCalcEquinox", "0");
  store.WriteSetting("NoFurikae", "1");
  EXPECT_EQ(Run("2027", JapaneseDefinition()), 0);
  EXPECT_EQ(out.str(), "2027-03-21\n2027-05-03\n2027-05-04\n2027-05-05\n2027-09-23\n");
}

TEST_F(HolidaysCommandTest, TheLawSince2007AddsExactlyTheEightMaySubstitutes) {
  Definition law = JapaneseDefinition();
  law.observe_type = 4;
  std::string added;
  for (int year = 2022; year <= 2050; ++year) {
    Run(std::to_string(year), JapaneseDefinition());
    const std::string monday_only = out.str();
    Run(std::to_string(year), law);
    std::string rest = out.str();
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
      if (monday_only.find(line) != std::string::npos) continue;
      added += line + " ";
      rest.erase(rest.find(line + "\n"), line.size() + 1);
    }
    EXPECT_EQ(rest, monday_only) << "nothing else changes";
  }
  EXPECT_EQ(added,
            "2025-05-06 2026-05-06 2031-05-06 2036-05-06 2037-05-06 2042-05-06 2043-05-06 "
            "2048-05-06 ");
}

TEST_F(HolidaysCommandTest, BadYears) {
  for (const char* year : {"", "abc", "0", "10000", "-5", "2026x", "$7E2"}) {
    EXPECT_EQ(Run(year, JapaneseDefinition()), 2) << year;
    EXPECT_NE(err.str().find("not a year"), std::string::npos) << year;
    EXPECT_EQ(out.str(), "") << year;
  }
  EXPECT_EQ(Run("1", JapaneseDefinition()), 0);
  EXPECT_EQ(Run("9999", JapaneseDefinition()), 0);
}

TEST_F(HolidaysCommandTest, BrokenStoreSaysSoAsAStartDoesAndChangesNothing) {
  store.WriteSetting("CharStep", "30");
  for (int m = 1; m <= 12; ++m) {
    if (m != 7) store.WriteSetting("Holiday" + std::to_string(m), "1");
  }
  backend.ClearLog();
  EXPECT_EQ(Run("2026", JapaneseDefinition()), 1);
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_NE(prompts.shown[0].text.find("Registory broken"), std::string::npos);
  EXPECT_EQ(out.str(), "");
  EXPECT_TRUE(backend.write_log().empty());
  EXPECT_FALSE(backend.Get("Holiday7"));

  backend.PutOther("", "Holiday7");
  EXPECT_EQ(Run("2026", JapaneseDefinition()), 1);
  EXPECT_NE(err.str().find("Invalid data type for 'Holiday7'"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace orbeline
