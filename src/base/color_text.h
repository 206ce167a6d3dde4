#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbeline {

// A 24-bit colour as the platform's drawing calls take it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr std::uint8_t RedOf(ColorRef c) { return c & 0xFF; }
inline constexpr std::uint8_t GreenOf(ColorRef c) { return (c >> 8) & 0xFF; }
inline constexpr std::uint8_t BlueOf(ColorRef c) { return (c >> 16) & 0xFF; }
inline constexpr ColorRef MakeColorRef(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The stored form of a colour: its name from the colour-name table when the 32-bit value
// has one, otherwise "$" and 8 upper-case hexadecimal digits.
std::string ColorToText(std::uint32_t value);

// A name from the table (letter case ignored), decimal text, or hexadecimal after "$";
// only the low 24 bits are kept. nullopt when the text is none of these.
std::optional<ColorRef> TextToColor(std::string_view text);

// The 32-bit value of a table name (letter case ignored), system colours and clNone included.
std::optional<std::uint32_t> ColorNameValue(std::string_view name);

}  // namespace orbeline
