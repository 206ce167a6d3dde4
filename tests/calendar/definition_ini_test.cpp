#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "base/error.h"
#include "calendar/ini_reader.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

TEST(IniFileTest, SectionsKeysCommentsBlankLinesAndLetterCase) {
  IniFile file = IniFile::Parse(
      "key=before any section\n; comment=1\n[First]\n\n  # hash=2\n"
      "  name  =  value with  inner  blanks  \nno equals sign\n=no key\n"
      "[ Second ]  trailing text\nname=second\nempty=\nk = a=b ; not a comment\nK=later\n"
      "[Third\nname=third\n[Month.English]\nKey=v\n[second]\nk=again\nnew=4\n");
  // Section, key and what reads back ("-" for nothing).
  // clang-format off
  const char* const rows[][3] = {
      {"First", "name", "value with  inner  blanks"}, {"First", "comment", "-"},
      {"First", "; comment", "-"}, {"First", "# hash", "-"}, {"First", "no equals sign", "-"},
      {"First", "", "-"}, {"", "key", "-"},
      {"Second", "name", "second"}, {"Second", "empty", ""}, {"Second", "missing", "-"},
      {"Second", "k", "a=b ; not a comment"},  // the first of duplicates, across sections
      {"Second", "new", "4"}, {"Third", "name", "third"}, {"Missing", "name", "-"},
      {"MONTH.english", "kEY", "v"}};
  // clang-format on
  for (const auto& [section, key, expected] : rows) {
    EXPECT_EQ(file.ReadString(section, key, "-"), expected) << section << "/" << key;
  }
}

TEST(IniFileTest, SurroundingDoubleQuotesAreRemoved) {
  struct Row {
    const char* name;
    const char* line;
    const char* expected;
  };
  const Row rows[] = {
      {"quoted keeps inner blanks", "k= \" a \" ", " a "},
      {"single quote character", "k=\"", "\""},
      {"only an opening quote", "k=\"abc", "\"abc"},
      {"inner quotes stay", "k=\"a\" \"b\"", "a\" \"b"},
      {"apostrophes stay", "k='a'", "'a'"},
  };
  for (const Row& row : rows) {
    IniFile file = IniFile::Parse(std::string("[S]\n") + row.line + "\n");
    EXPECT_EQ(file.ReadString("S", "k", "-"), row.expected) << row.name;
  }
}

TEST(IniFileTest, ByteOrderMarkAndLineEndings) {
  IniFile file = IniFile::Parse("\xEF\xBB\xBF[A]\r\nk=crlf\r\n[B]\rk=cr\r[C]\nk=lf");
  EXPECT_EQ(file.ReadString("A", "k", "-"), "crlf");
  EXPECT_EQ(file.ReadString("B", "k", "-"), "cr");
  EXPECT_EQ(file.ReadString("C", "k", "-"), "lf");
}

TEST(IniFileTest, LongValuesAreCutTo2047BytesWithoutSplittingACharacter) {
  const std::string kana = "\xE3\x81\x82";  // one character, three bytes
  struct Row {
    const char* name;
    std::string value;
    std::string expected;
  };
  const Row rows[] = {
      {"exactly the limit", std::string(2047, 'a'), std::string(2047, 'a')},
      // 2046 + 3 bytes: the character would end at byte 2049, so it goes whole.
      {"three-byte character across the limit", std::string(2046, 'a') + kana,
       std::string(2046, 'a')},
      {"three-byte character ending at the limit", std::string(2044, 'a') + kana + "b",
       std::string(2044, 'a') + kana},
      {"stray continuation bytes cut at the limit", std::string(2049, '\x80'),
       std::string(2047, '\x80')},
  };
  for (const Row& row : rows) {
    IniFile file = IniFile::Parse("[S]\nk=" + row.value + "\n");
    EXPECT_EQ(file.ReadString("S", "k", "-"), row.expected) << row.name;
  }
}

TEST(IniFileTest, IntegersDecimalHexOrFallback) {
  IniFile file = IniFile::Parse(
      "[S]\ndec=42\nneg=-7\nplus=+3\nhex0x=0x2\nhexx=XfF\nhexdollar=$10\nquoted=\"5\"\n"
      "garbage=abc\ntrailing=12abc\nempty=\nsign=-\nhuge=99999999999\n");
  struct Row {
    const char* key;
    std::int64_t expected;
  };
  const Row rows[] = {
      {"neg", -7},   {"plus", 3},     {"hex0x", 2},     {"hexx", 255}, {"hexdollar", 16},
      {"quoted", 5}, {"garbage", 99}, {"trailing", 99}, {"sign", 99},  {"huge", 99},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(file.ReadInteger("S", row.key, 99), row.expected) << row.key;
  }
  EXPECT_EQ(file.ReadInteger("S", "garbage", 0), 0);
}

TEST(IniFileTest, BooleansAreIntegersWithFallbackZeroOrOne) {
  IniFile file = IniFile::Parse("[S]\none=1\nzero=0\ntwo=2\nneg=-1\nempty=\nword=yes\n");
  const std::tuple<const char*, bool, bool> rows[] = {
      // key, fallback, expected
      {"two", false, true},  {"neg", false, true},   {"zero", true, false},
      {"empty", true, true}, {"word", false, false}, {"missing", true, true}};
  for (const auto& [key, fallback, expected] : rows) {
    EXPECT_EQ(file.ReadBool("S", key, fallback), expected) << key << " " << fallback;
  }
}

TEST(IniFileTest, LoadReadsAFileAMissingFileIsEmptyAndAnUnreadableOneIsNamed) {
  testing::TempDir dir;
  std::ofstream(dir.path() / "a.ini", std::ios::binary) << "[S]\r\nk=v\r\n";
  EXPECT_EQ(IniFile::Load(dir.path() / "a.ini").ReadString("S", "k", "-"), "v");
  EXPECT_EQ(IniFile::Load(dir.path() / "missing.ini").ReadString("S", "k", "-"), "-");
  std::filesystem::create_directory(dir.path() / "folder.ini");
  try {
    IniFile::Load(dir.path() / "folder.ini");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("folder.ini"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace orbeline
