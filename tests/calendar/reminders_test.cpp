#include "calendar/reminders.h"

#include <gtest/gtest.h>
#include <unicode/timezone.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "fakes.h"

namespace orbeline {
namespace {

using namespace std::chrono;
using testing::MemorySettingsBackend;
using testing::RecordingPrompts;

class RemindersTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("LC_ALL", "en_US.UTF-8", 1); }
  void TearDown() override { unsetenv("LC_ALL"); }

  void Load(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      store.WriteSetting("Special" + std::to_string(i), texts[i]);
    }
    LoadSpecialDays(store, days);
    days.SplitSpecialDates();
  }
  std::vector<std::string> TextsOn(year_month_day today) {
    RecordingPrompts prompts;
    ShowSpecialDayReminders(days, prompts, today);
    std::vector<std::string> texts;
    for (const auto& shown : prompts.shown) {
      EXPECT_EQ(shown.caption, "What day today?");
      EXPECT_EQ(shown.icon, Prompts::Icon::kInformation);
      EXPECT_EQ(shown.buttons, Prompts::Buttons::kOk);
      texts.push_back(shown.text);
    }
    return texts;
  }

  MemorySettingsBackend backend;
  SettingsStore store{backend};
  SpecialDays days;
};

using Texts = std::vector<std::string>;

TEST_F(RemindersTest, CountDownToChristmas) {
  Load({"Xmas\\12/25\\0\\0\\Christmas.\\1\\3"});
  EXPECT_EQ(TextsOn(2026y / 12 / 21), Texts{});
  EXPECT_EQ(TextsOn(2026y / 12 / 22), Texts{"After 3 days,\nChristmas."});
  EXPECT_EQ(TextsOn(2026y / 12 / 25), Texts{"Today 12/25/26 is:\nChristmas."});
  EXPECT_EQ(TextsOn(2026y / 12 / 26), Texts{});
}

TEST_F(RemindersTest, WhoIsReminded) {
  Load({"Quiet\\5/3\\0\\0\\quiet\\0\\9", "NoCount\\5/3\\0\\0\\bad count\\1\\x", "Missing\\5/3",
        "Party\\13/25,5/3\\2\\clRed\\Party.\\1\\0", "Mondays\\13/601\\0\\0\\Monday.\\1\\2"});
  // 3 May 2026 is a Sunday: Monday is one day away and within the count-down of 2.
  EXPECT_EQ(TextsOn(2026y / 5 / 3), (Texts{"Today 5/3/26 is:\nParty.", "After 1 days,\nMonday."}));
  // Two due entries of one record give two boxes.
  Load({"Twice\\5/3,5/4\\0\\0\\Both.\\1\\1", ""});
  EXPECT_EQ(TextsOn(2026y / 5 / 3), (Texts{"Today 5/3/26 is:\nBoth.", "After 1 days,\nBoth."}));
}

TEST_F(RemindersTest, ShortDateFollowsTheLocaleNotTheTimeZone) {
  unsetenv("LC_ALL");
  setenv("LC_TIME", "ja_JP.UTF-8", 1);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(FormatShortDate(2026y / 12 / 25), "2026/12/25");
  unsetenv("LC_TIME");
  EXPECT_EQ(FormatShortDate(2026y / 12 / 25), "12/25/26");
  // A zone far from UTC on either side must not move the date.
  for (const char* zone : {"Pacific/Kiritimati", "Pacific/Pago_Pago"}) {
    std::unique_ptr<icu::TimeZone> saved(icu::TimeZone::createDefault());
    icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(zone));
    EXPECT_EQ(FormatShortDate(2026y / 1 / 1), "1/1/26") << zone;
    icu::TimeZone::adoptDefault(saved.release());
  }
  unsetenv("LANG");
}

}  // namespace
}  // namespace orbeline
