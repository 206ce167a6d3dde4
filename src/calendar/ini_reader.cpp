#include "calendar/ini_reader.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/error.h"
#include "base/text_util.h"

namespace orbeline {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The longest prefix of at most `limit` bytes that does not end inside a UTF-8 character.
// Bytes that are not part of a well-formed character may be cut anywhere.
std::string_view CutUtf8(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  // A character is at most 4 bytes: step back over at most 3 continuation bytes to the
  // lead byte of the character that straddles the limit.
  for (int steps = 0; steps < 3 && end > 0; ++steps) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) break;
    --end;
  }
  if ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) end = limit;  // not UTF-8
  return text.substr(0, end);
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value.remove_prefix(1);
    value.remove_suffix(1);
  }
  return value;
}

}  // namespace

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::error_code error;
  auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return IniFile();
  if (error || status.type() != std::filesystem::file_type::regular) {
    throw Error("Cannot read '" + path.string() + "': not a readable file");
  }
  std::ifstream stream(path, std::ios::binary);
  std::string text;
  if (stream) text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  if (!stream || stream.bad()) throw Error("Cannot read '" + path.string() + "'");
  return Parse(text);
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::map<std::string, std::string>* section = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');  // without a "]" the name runs to the line's end
      std::string_view name = line.substr(1, close == std::string_view::npos ? close : close - 1);
      section = &file.sections_[ToLowerAscii(TrimBlanks(name))];
      continue;
    }
    std::size_t equals = line.find('=');
    if (section == nullptr || equals == std::string_view::npos) continue;
    std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) continue;
    std::string_view value = Unquote(TrimBlanks(line.substr(equals + 1)));
    // try_emplace keeps the first value of a key.
    section->try_emplace(ToLowerAscii(key), CutUtf8(value, kMaxValueBytes));
  }
  return file;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
  auto found_section = sections_.find(ToLowerAscii(section));
  if (found_section == sections_.end()) return nullptr;
  auto found_key = found_section->second.find(ToLowerAscii(key));
  return found_key == found_section->second.end() ? nullptr : &found_key->second;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  const std::string* value = Find(section, key);
  return value != nullptr ? *value : std::string(fallback);
}

std::int64_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int64_t fallback) const {
  const std::string* value = Find(section, key);
  if (value == nullptr) return fallback;
  return ParseIntegerText(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

}  // namespace orbeline
