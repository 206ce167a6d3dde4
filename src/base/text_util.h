#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbeline {

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);

// Integer text as the definition file and the stored colours write it: leading blanks
// skipped, then an optional sign and decimal digits, or hexadecimal digits after "$",
// "x", "X", "0x" or "0X". Nothing may follow. Values outside 32 bits are not numbers.
std::optional<std::int64_t> ParseIntegerText(std::string_view text);

// Decimal integer text as the store writes it: optional sign, digits, nothing else.
// Values that do not fit an int are not numbers.
std::optional<int> ParseDecimal(std::string_view text);

// A flag as the store writes it.
constexpr const char* FlagText(bool value) { return value ? "1" : "0"; }

// The first `count` characters of UTF-8 text; never cuts inside a character. Bytes that
// are not valid UTF-8 count as one character each.
std::string Utf8Prefix(std::string_view text, std::size_t count);
std::size_t Utf8Length(std::string_view text);

// The longest start of UTF-8 text that takes at most `columns` display columns: an East
// Asian wide or fullwidth character takes two, every other character one. This is how a cut
// counted in bytes of a single- or double-byte code page reads in UTF-8. Never less than the
// first whole character of non-empty text; bytes that are not valid UTF-8 take one column.
std::string Utf8PrefixColumns(std::string_view text, std::size_t columns);

// The extension of a path, lower-cased: the text from the last "." that comes after the
// last "/" (".bmp"); empty when there is none.
std::string LowerExtension(std::string_view path);

// Blanks and control characters removed at both ends.
std::string_view TrimControlAndBlank(std::string_view text);

}  // namespace orbeline
