#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "image/work_bitmap.h"
#include "render/canvas.h"
#include "render/render_context.h"
#include "settings/settings_store.h"
#include "wallpaper/composition.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {

// Who asked for the drawing: the Draw button composes the base image afresh; the window
// itself (right-click Draw, Enter, the draw-only run) draws over what the work bitmap holds.
enum class DrawSender { kDrawButton, kWindow };

// What the window does around a drawing; every member may be empty.
struct PipelineHooks {
  std::function<void(bool)> set_busy;                  // hourglass cursor, hints off
  std::function<void(bool)> set_main_buttons_enabled;  // SetMainButtonsEnabled
  std::function<void(bool)> show_marker;               // the positioning marker
  std::function<void(const std::string&)> set_caption;
};

// Makes a canvas that paints on the work bitmap's pixels.
using CanvasFactory = std::function<std::unique_ptr<Canvas>(WorkBitmap&)>;

// A canvas on the work bitmap, its text drawn without antialiasing when the bitmap has 8
// bits: the palette holds no shades for the fringes, which would come out in odd colours.
std::unique_ptr<Canvas> MakeWorkCanvas(const CanvasFactory& make_canvas, WorkBitmap& work);

// One drawing: the base image when needed, the calendar blocks, the work bitmap file and
// its installation. The clean-up (caption, buttons, marker, cursor) runs even when a step
// fails; the error then goes on to the caller's general error report. False when the
// composition ended the run (nothing was drawn or installed).
bool DrawPipeline(DrawSender sender, WallpaperServices& services, WallpaperRun& run,
                  const CalendarInputs& inputs, const CanvasFactory& make_canvas,
                  const PipelineHooks& hooks);

// Draws the calendar as a drawing would, without writing or installing anything; each block
// saves the drawing settings to `store` first unless it is null (a preview stores nothing).
void DrawCalendarOn(Canvas& canvas, SettingsStore* store, const CalendarInputs& inputs);

}  // namespace orbeline
