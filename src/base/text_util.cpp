#include "base/text_util.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace orbeline {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the UTF-8 sequence that starts at text[i]; 1 for a byte that starts none.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
  auto byte = static_cast<unsigned char>(text[i]);
  std::size_t length = byte < 0x80           ? 1
                       : (byte >> 5) == 0x6  ? 2
                       : (byte >> 4) == 0xE  ? 3
                       : (byte >> 3) == 0x1E ? 4
                                             : 1;
  if (i + length > text.size()) return 1;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// Two columns for an East Asian wide or fullwidth character, one for anything else (an
// ill-formed sequence, c < 0, included).
std::size_t DisplayColumns(UChar32 c) {
  if (c < 0) return 1;
  const int width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
  return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

}  // namespace

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string ToLowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

std::optional<int> ParseDecimal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::string_view digits = text;
  bool negative = false;
  if (digits.front() == '+' || digits.front() == '-') {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<std::int64_t> ParseIntegerText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = HexDigit(text[i]);
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFLL) return std::nullopt;
  }
  if (base == 10 && value > 2147483648LL) return std::nullopt;
  if (base == 10 && !negative && value > 2147483647LL) return std::nullopt;
  // Hexadecimal text is a 32-bit pattern: $FFFFFFFF is -1, as the platform reads it.
  if (base == 16 && value > 0x7FFFFFFFLL) value -= 0x100000000LL;
  return negative ? -value : value;
}

std::string Utf8Prefix(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < count && i < text.size(); ++n) i += SequenceLength(text, i);
  return std::string(text.substr(0, i));
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); i += SequenceLength(text, i)) ++n;
  return n;
}

std::string Utf8PrefixColumns(std::string_view text, std::size_t columns) {
  std::size_t used = 0;
  std::size_t end = 0;
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U8_NEXT(text.data(), i, length, c);
    const std::size_t width = DisplayColumns(c);
    if (used + width > columns && end > 0) break;
    used += width;
    end = static_cast<std::size_t>(i);
    if (used >= columns) break;
  }
  return std::string(text.substr(0, end));
}

std::string LowerExtension(std::string_view path) {
  std::size_t slash = path.find_last_of('/');
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return "";
  return ToLowerAscii(path.substr(dot));
}

std::string_view TrimControlAndBlank(std::string_view text) {
  auto is_trim = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && is_trim(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_trim(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace orbeline
