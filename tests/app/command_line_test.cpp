#include "app/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orbeline {
namespace {

TEST(AutoDrawCodeTest, FirstArgumentGrammar) {
  std::set<std::string> files = {"/home/u/pic.BMP", "/home/u/pic.bmp", "-7.bmp", "/home/u/a.jpg"};
  auto exists = [&](const std::string& path) { return files.count(path) > 0; };
  struct Case {
    const char* argument;
    int code;
  };
  // clang-format off
  const Case cases[] = {
      {"-OnlyDraw", 1}, {"-ONLYDRAW", 1}, {"-onlydraw", 1}, {"-Random", 3}, {"-RANDOM", 3},
      {"-3", 13}, {"-20", 30}, {"-0", 0}, {"-x", 0}, {"-", 0}, {"--3", 0}, {"-3x", 0},
      {"-+3", 0}, {"/home/u/pic.BMP", 2}, {"/home/u/pic.bmp", 2}, {"/home/u/missing.bmp", 0},
      {"/home/u/a.jpg", 0}, {"onlydraw", 0}, {"-99999999999", 0},
      {"-7.bmp", 2}};  // a file named like a design number: the later test wins
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(AutoDrawCode(c.argument, exists), c.code) << c.argument;
}

TEST(AutoDrawCodeTest, ExtensionIsTakenAfterTheLastSlash) {
  auto exists = [](const std::string&) { return true; };
  EXPECT_EQ(AutoDrawCode("/dir.bmp/picture", exists), 0);
  EXPECT_EQ(AutoDrawCode("/dir.x/picture.Bmp", exists), 2);
}

TEST(LongOptionsTest, RecognisedBeforeTheGrammar) {
  using Command = LongOptions::Command;
  EXPECT_EQ(ParseLongOptions({}).command, Command::kNone);
  EXPECT_EQ(ParseLongOptions({"-OnlyDraw"}).command, Command::kNone);
  EXPECT_EQ(ParseLongOptions({"--help"}).command, Command::kHelp);
  EXPECT_EQ(ParseLongOptions({"--version"}).command, Command::kVersion);
  LongOptions holidays = ParseLongOptions({"--holidays", "2026"});
  EXPECT_EQ(holidays.command, Command::kHolidays);
  EXPECT_EQ(holidays.holidays_year, "2026");
  EXPECT_EQ(ParseLongOptions({"--holidays"}).command, Command::kError);
  LongOptions preview = ParseLongOptions({"--preview", "out.png", "--date", "2026-01-16"});
  EXPECT_EQ(preview.command, Command::kPreview);
  EXPECT_EQ(preview.preview_file, "out.png");
  EXPECT_EQ(preview.preview_date, "2026-01-16");
  EXPECT_EQ(ParseLongOptions({"--preview", "out.png", "--bogus"}).command, Command::kError);
  EXPECT_EQ(ParseLongOptions({"--frobnicate"}).command, Command::kError);
}

TEST(ParseIsoDateTest, OnlyRealDatesOfTheFormYyyyMmDd) {
  using std::chrono::day;
  using std::chrono::month;
  using std::chrono::year;
  EXPECT_EQ(ParseIsoDate("2026-01-16"), year{2026} / month{1} / day{16});
  EXPECT_EQ(ParseIsoDate("2024-02-29"), year{2024} / month{2} / day{29});
  for (const char* bad : {"2026-02-30", "2025-02-29", "2026-13-01", "0-01-01", "10000-01-01",
                          "2026/01/16", "2026-01-16x", "", "tomorrow", "2026-1-5", " 2026-01-16",
                          "+2026-01-16", "2026-+1-16", "0000-01-01"}) {
    EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace orbeline
