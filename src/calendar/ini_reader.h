#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace orbeline {

// A read-only profile (INI) file, read the way the Windows profile reader reads one, so that
// definition files written for it keep their meaning:
// - "[name]" opens a section; "key=value" lines belong to the section above them; lines
//   before the first section, lines without "=" and lines whose first visible character is
//   ";" or "#" are ignored (there are no comments after a value);
// - section and key names compare without regard to ASCII letter case; blanks around names
//   and values are dropped; a value wrapped in double quotes loses them;
// - the first occurrence of a key wins, also across repeated sections of the same name;
// - a value is at most kMaxValueBytes bytes long (the reader's buffer), cut before a UTF-8
//   character that would not fit whole;
// - a UTF-8 byte order mark is skipped; lines may end in LF, CRLF or CR.
class IniFile {
 public:
  // The platform reader's 2048-byte buffer, less its terminating zero.
  static constexpr std::size_t kMaxValueBytes = 2047;

  IniFile() = default;

  // Reads a file. A file that does not exist reads as an empty file; one that exists but
  // cannot be read throws orbeline::Error naming it.
  static IniFile Load(const std::filesystem::path& path);
  static IniFile Parse(std::string_view text);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Integer syntax of ParseIntegerText; an absent value or one that is not such a number
  // gives the fallback.
  std::int64_t ReadInteger(std::string_view section, std::string_view key,
                           std::int64_t fallback) const;
  // An integer read with the fallback 0 or 1; any non-zero number is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

 private:
  const std::string* Find(std::string_view section, std::string_view key) const;

  // Section name (lower case) -> key name (lower case) -> value.
  std::map<std::string, std::map<std::string, std::string>, std::less<>> sections_;
};

}  // namespace orbeline
