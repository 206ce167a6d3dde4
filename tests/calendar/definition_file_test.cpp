#include "calendar/definition_file.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "isolated_env.h"

namespace orbeline {
namespace {

namespace fs = std::filesystem;

// A program folder and a data folder, each holding the named (empty) files.
class DefinitionFoldersTest : public ::testing::Test {
 protected:
  fs::path exe_dir() const { return root_.path() / "bin"; }
  fs::path data_dir() const { return root_.path() / "share"; }

  void SetUp() override {
    fs::create_directories(exe_dir());
    fs::create_directories(data_dir());
  }
  void Put(const fs::path& dir, const char* name) { std::ofstream(dir / name) << "[S]\n"; }

  testing::TempDir root_;
};

TEST_F(DefinitionFoldersTest, OnlyOvalinBesideTheProgramIsReadForEnu) {
  Put(exe_dir(), "ovalin.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "ENU"), exe_dir() / "ovalin.def");
}

TEST_F(DefinitionFoldersTest, LanguageFileBeatsOvalin) {
  Put(exe_dir(), "ovalin.def");
  Put(exe_dir(), "ENU.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "ENU"), exe_dir() / "ENU.def");
}

TEST_F(DefinitionFoldersTest, CandidateOrder) {
  Put(data_dir(), "ENU.def");
  Put(data_dir(), "ovalin.def");
  Put(exe_dir(), "ovalin.def");
  // The data folder's language file still beats the program folder's ovalin.def.
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "ENU"), data_dir() / "ENU.def");
  Put(exe_dir(), "ENU.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "ENU"), exe_dir() / "ENU.def");
  // Without a language file for the code, the program folder's ovalin.def.
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "JPN"), exe_dir() / "ovalin.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), ""), exe_dir() / "ovalin.def");
}

TEST_F(DefinitionFoldersTest, DataFolderOvalinWhetherItExistsOrNot) {
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "ENU"), data_dir() / "ovalin.def");
  fs::create_directory(exe_dir() / "ovalin.def");  // a folder is not a definition file
  fs::create_directory(exe_dir() / "ENU.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "ENU"), data_dir() / "ovalin.def");
}

TEST_F(DefinitionFoldersTest, CodeThatIsNoPlainWordNeverBecomesAPath) {
  fs::create_directories(root_.path() / "elsewhere");
  Put(root_.path() / "elsewhere", "X.def");
  Put(exe_dir(), "ovalin.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "../elsewhere/X"), exe_dir() / "ovalin.def");
  EXPECT_EQ(FindDefinitionFile(exe_dir(), data_dir(), "/tmp/X"), exe_dir() / "ovalin.def");
}

TEST(DefinitionTest, MissingFileGivesEmptyTablesAndDefaults) {
  testing::TempDir dir;
  Definition definition = LoadDefinitionFile(dir.path() / "missing.def");
  for (const auto& name : definition.month_long_names) EXPECT_EQ(name, "");
  for (const auto& name : definition.day_names) EXPECT_EQ(name, "");
  for (const auto& text : definition.national_holiday_text) EXPECT_EQ(text, "");
  EXPECT_FALSE(definition.reverse_year_month);
  EXPECT_EQ(definition.observe_type, 0);
  EXPECT_FALSE(definition.ignore_gengo);
  EXPECT_FALSE(definition.ignore_equinox);
  EXPECT_FALSE(definition.ignore_kokumin);
  EXPECT_EQ(definition.month_draw_captions[1], ",,...");
  EXPECT_EQ(definition.month_draw_captions[2], ",...");
  EXPECT_EQ(definition.day_draw_captions[4], ",...");
}

TEST(DefinitionTest, ShortMonthNamesAreTheFirstThreeColumns) {
  Definition definition = ReadDefinition(IniFile::Parse(
      "[Month.English]\n1=May\n2=Sept\n3=\n4=Ma\n5=M\xC3\xA4rz\n6=\xE7\x9D\xA6\xE6\x9C\x88\n"));
  const char* expected[] = {"May", "Sep", "", "Ma", "M\xC3\xA4r", "\xE7\x9D\xA6",
                            "",    "",    "", "",   "",           ""};
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(definition.month_short_names[k], expected[k]) << "month " << k + 1;
  }
  EXPECT_EQ(definition.month_long_names[1], "Sept");
}

TEST(DefinitionTest, TablesComeFromTheirSections) {
  Definition definition = ReadDefinition(IniFile::Parse(
      "[Month.English]\n12=December\n[Month.Local]\n12=L12\n[Month.Traditional]\n12=T12\n"
      "[DayOfWeek.English]\n1=Sunday\n7=Saturday\n[DayOfWeek.Local]\n1=L1\n7=L7\n"
      "[NationalHoliday]\n1=1 201\n12=25\n13=99\n0=98\n"));
  EXPECT_EQ(definition.month_long_names[11], "December");
  EXPECT_EQ(definition.month_local_names[11], "L12");
  EXPECT_EQ(definition.month_japanese_names[11], "T12");
  EXPECT_EQ(definition.day_names[0], "Sunday");
  EXPECT_EQ(definition.day_names[6], "Saturday");
  EXPECT_EQ(definition.day_names[7], "L1");
  EXPECT_EQ(definition.day_names[13], "L7");
  EXPECT_EQ(definition.national_holiday_text[0], "1 201");
  EXPECT_EQ(definition.national_holiday_text[11], "25");
  for (int k = 1; k < 11; ++k) EXPECT_EQ(definition.national_holiday_text[k], "") << k;
}

TEST(DefinitionTest, DefaultsAndSwitches) {
  struct Row {
    const char* name;
    const char* text;
    int observe_type;
    bool reverse, gengo, equinox, kokumin;
  };
  const Row rows[] = {
      {"hexadecimal ObserveType", "[Default]\nObserveType=0x2\n", 2, false, false, false, false},
      {"non-numeric ObserveType", "[Default]\nObserveType=abc\n", 0, false, false, false, false},
      {"Equinox only", "[Ignore]\nEquinox=1\n", 0, false, false, true, false},
      {"all switches",
       "[Default]\nReverseYearMonth=1\nObserveType=3\n[Ignore]\nGengo=1\n"
       "Kokumin=5\nEquinox=0\n",
       3, true, true, false, true},
      {"switches in the wrong section", "[Default]\nEquinox=1\n[Ignore]\nObserveType=2\n", 0, false,
       false, false, false},
  };
  for (const Row& row : rows) {
    Definition definition = ReadDefinition(IniFile::Parse(row.text));
    EXPECT_EQ(definition.observe_type, row.observe_type) << row.name;
    EXPECT_EQ(definition.reverse_year_month, row.reverse) << row.name;
    EXPECT_EQ(definition.ignore_gengo, row.gengo) << row.name;
    EXPECT_EQ(definition.ignore_equinox, row.equinox) << row.name;
    EXPECT_EQ(definition.ignore_kokumin, row.kokumin) << row.name;
  }
}

TEST(DefinitionTest, SampleCaptions) {
  Definition definition = ReadDefinition(IniFile::Parse(
      "[Month.English]\n1=January\n2=February\n3=March\n4=April\n"
      "[Month.Local]\n1=1\xE6\x9C\x88\n2=2\xE6\x9C\x88\n3=3\xE6\x9C\x88\n4=4\xE6\x9C\x88\n"
      "[Month.Traditional]\n1=T1\n2=T2\n3=T3\n4=T4\n"
      "[DayOfWeek.English]\n1=Sunday\n2=Monday\n3=Tuesday\n4=Wednesday\n"
      "[DayOfWeek.Local]\n1=\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5\n2=\xE6\x9C\x88\n3=\xE7\x81\xAB\n"
      "4=\xE6\xB0\xB4\n"));
  EXPECT_EQ(
      definition.month_draw_captions,
      (std::array<std::string, 6>{"None", "Jan,Feb,Mar...", "January,February...", "1,2,3...",
                                  "1\xE6\x9C\x88,2\xE6\x9C\x88,3\xE6\x9C\x88...", "T1,T2,T3..."}));
  EXPECT_EQ(definition.day_draw_captions,
            (std::array<std::string, 6>{"None", "S,M,T...", "Su,Mo,Tu...", "Sun,Mon,Tue...",
                                        "Sunday,Monday...",
                                        "\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5,\xE6\x9C\x88,"
                                        "\xE7\x81\xAB..."}));
}

TEST(DefinitionTest, WeekdayCaptionCutsCountColumnsNotBytes) {
  Definition definition = ReadDefinition(
      IniFile::Parse("[DayOfWeek.English]\n1=\xC3\x84pfel\n2=\xE6\x97\xA5\xE6\x9B\x9C\n3=ab\n"));
  EXPECT_EQ(definition.day_draw_captions[1], "\xC3\x84,\xE6\x97\xA5,a...");
  EXPECT_EQ(definition.day_draw_captions[2], "\xC3\x84p,\xE6\x97\xA5,ab...");
  EXPECT_EQ(definition.day_draw_captions[3], "\xC3\x84pf,\xE6\x97\xA5,ab...");
}

}  // namespace
}  // namespace orbeline
