#include "settings/prepare_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes.h"
#include "isolated_env.h"
#include "settings/settings_store.h"

namespace orbeline {
namespace {

using Values = std::vector<std::optional<std::string>>;

class PrepareSettingsTest : public ::testing::Test {
 protected:
  PrepareSettingsTest() : store_(backend_) {
    definition_.national_holiday_text[0] = "1 201";
    definition_.national_holiday_text[8] = "301 23";
    definition_.observe_type = 2;
    definition_.ignore_equinox = true;
    environment_ = {"/opt/orbeline/bin/orbeline", 15200, temp_.path() / "system-temp"};
  }

  PreparedSettings Prepare() { return PrepareSettings(store_, definition_, environment_, shell_); }
  std::optional<std::string> Get(const char* name, const char* group = "") {
    return backend_.Get(name, group);
  }
  std::vector<std::optional<std::string>> Get(std::initializer_list<const char*> names) {
    std::vector<std::optional<std::string>> values;
    for (const char* name : names) values.push_back(backend_.Get(name));
    return values;
  }

  testing::TempDir temp_;
  testing::MemorySettingsBackend backend_;
  SettingsStore store_;
  testing::FakeShell shell_;
  CountryDefaults definition_;
  PrepareEnvironment environment_;
};

// The values that come from the definition file and the program's place.
TEST_F(PrepareSettingsTest, FirstStartWritesTheFirstRunSet) {
  PreparedSettings prepared = Prepare();
  const std::pair<const char*, const char*> expected[] = {
      {"CharStep", "30"},       {"Holiday1", "1 201"},
      {"Holiday2", ""},         {"Holiday9", "301 23"},
      {"AutoCalcEquinox", "1"}, {"SubstituteType", "2"},
      {"VersionInfo", "15200"}, {"ExeFileName", "/opt/orbeline/bin/orbeline -OnlyDraw"},
      {"CustomColor15", "0"}};
  for (const auto& [name, value] : expected) EXPECT_EQ(Get(name), value) << name;
  EXPECT_FALSE(Get("DayboxColor").has_value());
  EXPECT_EQ(shell_.opened_topics, std::vector<int>{1});
  EXPECT_EQ(prepared.temp_folder, (temp_.path() / "system-temp").string() + "/");
  EXPECT_EQ(prepared.custom_colors[3], "0");
}

TEST_F(PrepareSettingsTest, LaterStartsOnlyFillGapsAndRewriteTheExecutable) {
  Prepare();
  shell_.opened_topics.clear();
  store_.WriteSetting("SundayColor", "clMaroon");
  store_.WriteSetting("SlashLean", "100");
  backend_.Remove("", "DelaySeconds");
  environment_.exe_path = "/usr/bin/orbeline";
  Prepare();
  EXPECT_EQ(Get({"SundayColor", "SlashLean", "DelaySeconds", "ExeFileName"}),
            (Values{"clMaroon", "6", "30", "/usr/bin/orbeline -OnlyDraw"}));
  EXPECT_TRUE(shell_.opened_topics.empty()) << "the manual opens once per version";
  environment_.version_number = 15300;
  Prepare();
  EXPECT_EQ(Get("VersionInfo"), "15300");
  EXPECT_EQ(shell_.opened_topics, std::vector<int>{1});
}

TEST_F(PrepareSettingsTest, MigratesValuesOfOlderVersions) {
  store_.WriteSetting("CharStep", "20");
  store_.WriteSetting("CalenderStyle", "7");
  store_.WriteSetting("CalenderType", "2");
  store_.WriteSetting("NoFurikae", "1");
  store_.WriteSetting("Holiday1", "1 15");
  store_.WriteSetting("Holiday10", "10");
  Prepare();
  // SundayColor stays absent: this is no first run.
  EXPECT_EQ(
      Get({"CalendarStyle", "CalendarType", "CalenderStyle", "CalenderType", "SubstituteType",
           "Holiday1", "Holiday10", "CharStep2", "SundayColor"}),
      (Values{"7", "2", std::nullopt, std::nullopt, "0", "1 201", "201", "20", std::nullopt}));
}

TEST_F(PrepareSettingsTest, HolidayMigrationOnlyBeforeVersion150) {
  store_.WriteSetting("CharStep", "20");
  store_.WriteSetting("VersionInfo", "15000");
  store_.WriteSetting("Holiday1", "1 15");
  Prepare();
  EXPECT_EQ(Get("Holiday1"), "1 15");
}

TEST_F(PrepareSettingsTest, NegativeCharStepForcesTheFirstRunSetAgain) {
  Prepare();
  store_.WriteSetting("Holiday3", "5");
  store_.WriteSetting("CharStep", "-1");
  Prepare();
  EXPECT_EQ(Get({"Holiday3", "CharStep"}), (Values{"", "30"}));
}

TEST_F(PrepareSettingsTest, DefaultDesignNamesOnlyWhereANameIsMissing) {
  store_.Write("1", "DesignName", "");
  store_.Write("2", "DesignName", "Mine");
  Prepare();
  EXPECT_EQ(backend_.Get("DesignName", "1"), "Configure1");
  EXPECT_EQ(backend_.Get("DesignName", "2"), "Mine");
  EXPECT_EQ(backend_.Get("DesignName", "20"), "Configure20");
}

TEST(ResolveTempFolderTest, StoredFolderOrTheSystemTemporaryPath) {
  testing::TempDir dir;
  std::string existing = dir.path().string();
  EXPECT_EQ(ResolveTempFolder(existing, "/sys-temp"), existing + "/");
  EXPECT_EQ(ResolveTempFolder(existing + "/", "/sys-temp"), existing + "/");
  EXPECT_EQ(ResolveTempFolder(existing + "/missing", "/sys-temp"), "/sys-temp/");
  EXPECT_EQ(ResolveTempFolder("", "/sys-temp/"), "/sys-temp/");
  EXPECT_EQ(ResolveTempFolder("/", "/sys-temp"), "/");
}

}  // namespace
}  // namespace orbeline
