#include "base/color_text.h"

#include <array>
#include <cstdio>
#include <utility>

#include "base/text_util.h"

namespace orbeline {
namespace {

struct NamedColor {
  std::string_view name;
  std::uint32_t value;
};

constexpr std::uint32_t kSystemColorBase = 0x80000000u;

constexpr std::array<NamedColor, 42> kColorNames = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", kSystemColorBase + 0},
    {"clBackground", kSystemColorBase + 1},
    {"clActiveCaption", kSystemColorBase + 2},
    {"clInactiveCaption", kSystemColorBase + 3},
    {"clMenu", kSystemColorBase + 4},
    {"clWindow", kSystemColorBase + 5},
    {"clWindowFrame", kSystemColorBase + 6},
    {"clMenuText", kSystemColorBase + 7},
    {"clWindowText", kSystemColorBase + 8},
    {"clCaptionText", kSystemColorBase + 9},
    {"clActiveBorder", kSystemColorBase + 10},
    {"clInactiveBorder", kSystemColorBase + 11},
    {"clAppWorkSpace", kSystemColorBase + 12},
    {"clHighlight", kSystemColorBase + 13},
    {"clHighlightText", kSystemColorBase + 14},
    {"clBtnFace", kSystemColorBase + 15},
    {"clBtnShadow", kSystemColorBase + 16},
    {"clGrayText", kSystemColorBase + 17},
    {"clBtnText", kSystemColorBase + 18},
    {"clInactiveCaptionText", kSystemColorBase + 19},
    {"clBtnHighlight", kSystemColorBase + 20},
    {"cl3DDkShadow", kSystemColorBase + 21},
    {"cl3DLight", kSystemColorBase + 22},
    {"clInfoText", kSystemColorBase + 23},
    {"clInfoBk", kSystemColorBase + 24},
    {"clNone", 0x1FFFFFFF},
}};

}  // namespace

std::string ColorToText(std::uint32_t value) {
  for (const NamedColor& named : kColorNames) {
    if (named.value == value) return std::string(named.name);
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", value);
  return buffer;
}

std::optional<std::uint32_t> ColorNameValue(std::string_view name) {
  for (const NamedColor& named : kColorNames) {
    if (EqualsIgnoreCaseAscii(named.name, name)) return named.value;
  }
  return std::nullopt;
}

std::optional<ColorRef> TextToColor(std::string_view text) {
  if (std::optional<std::uint32_t> named = ColorNameValue(text)) return *named & 0xFFFFFF;
  std::optional<std::int64_t> number = ParseIntegerText(text);
  if (!number) return std::nullopt;
  return static_cast<ColorRef>(static_cast<std::uint64_t>(*number) & 0xFFFFFF);
}

}  // namespace orbeline
