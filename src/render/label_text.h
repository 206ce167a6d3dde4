#pragma once

#include <string_view>

#include "base/color_text.h"
#include "render/canvas.h"
#include "settings/working_settings.h"

namespace orbeline {

// Whether the part of a label in parentheses (the era) is drawn at 60 % of the font size.
enum class SmallEra { kOff, kOn };

// The one text primitive of the renderer: draws `text` with its top-left corner at (x, y)
// in the canvas's current font, under three shadow copies (one pixel right, down and
// diagonally) in ShadowColor when Shadow is on. With SmallEra::kOn and a text holding "("
// and a later ")", the part from "(" through ")" is drawn at 60 % size, bottom-aligned.
void DrawLabelText(Canvas& canvas, const WorkingSettings& settings, std::string_view text,
                   ColorRef color, SmallEra small_era, int x, int y);

// The width of `text` as DrawLabelText draws it when EmperorSmall is on (the parenthesised
// part at 60 %); the plain width otherwise.
int MeasureLabelText(Canvas& canvas, const WorkingSettings& settings, std::string_view text);

}  // namespace orbeline
