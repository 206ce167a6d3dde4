#include "app/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orbeline {
namespace {

TEST(AutoDrawCodeTest, FirstArgumentGrammar) {
  std::set<std::string> files = {"/home/u/pic.BMP", "-7.bmp", "/home/u/a.jpg", "/d.x/p.Bmp",
                                 "/d.bmp/p"};
  auto exists = [&](const std::string& path) { return files.count(path) > 0; };
  // clang-format off
  const std::pair<const char*, int> cases[] = {
      {"-OnlyDraw", 1}, {"-ONLYDRAW", 1}, {"-onlydraw", 1}, {"-Random", 3}, {"-3", 13},
      {"-20", 30}, {"-0", 0}, {"-x", 0}, {"-", 0}, {"--3", 0}, {"-3x", 0}, {"-+3", 0},
      {"/home/u/pic.BMP", 2}, {"/home/u/missing.bmp", 0}, {"/home/u/a.jpg", 0}, {"onlydraw", 0},
      {"-99999999999", 0}, {"/d.x/p.Bmp", 2}, {"/d.bmp/p", 0},
      {"-7.bmp", 2}};  // a file named like a design number: the later test wins
  // clang-format on
  for (const auto& [argument, code] : cases)
    EXPECT_EQ(AutoDrawCode(argument, exists), code) << argument;
}

TEST(LongOptionsTest, RecognisedBeforeTheGrammar) {
  using Command = LongOptions::Command;
  EXPECT_EQ(ParseLongOptions({"-OnlyDraw"}).command, Command::kNone);
  EXPECT_EQ(ParseLongOptions({"--version"}).command, Command::kVersion);
  EXPECT_EQ(ParseLongOptions({"--holidays", "2026"}).holidays_year, "2026");
  EXPECT_EQ(ParseLongOptions({"--holidays"}).command, Command::kError);
  LongOptions preview = ParseLongOptions({"--preview", "out.png", "--date", "2026-01-16"});
  EXPECT_EQ(preview.command, Command::kPreview);
  EXPECT_EQ(preview.preview_file + " " + preview.preview_date, "out.png 2026-01-16");
  EXPECT_EQ(ParseLongOptions({"--preview", "out.png", "--bogus"}).command, Command::kError);
  EXPECT_EQ(ParseLongOptions({"--frobnicate"}).command, Command::kError);
}

TEST(ParseIsoDateTest, OnlyRealDatesOfTheFormYyyyMmDd) {
  EXPECT_EQ(ParseIsoDate("2024-02-29"), std::chrono::year{2024} / 2 / 29);
  for (const char* bad :
       {"2025-02-29", "2026-13-01", "10000-01-01", "2026/01/16", "2026-01-16x", "", "2026-1-5",
        " 2026-01-16", "+2026-01-16", "2026-+1-16", "0000-01-01"}) {
    EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace orbeline
