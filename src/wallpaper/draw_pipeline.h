#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "app/prompts.h"
#include "app/settings_store.h"
#include "app/working_settings.h"
#include "calendar/definition.h"
#include "calendar/holiday_engine.h"
#include "calendar/special_days.h"
#include "image/work_bitmap.h"
#include "render/canvas.h"
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

struct PipelineServices {
  WallpaperServices& wallpaper;
  const WallpaperState& state;
  // Paints on the work bitmap's pixels.
  std::function<std::unique_ptr<Canvas>(WorkBitmap&)> make_canvas;
};

// The calendar data and the working copy the renderer reads.
struct CalendarInputs {
  const WorkingSettings& settings;
  const Definition& definition;
  const HolidayLists& holidays;
  const SpecialDays& special_days;
  ScreenRect screen;
  std::chrono::year_month_day today;
  bool japanese_locale = false;
};

// The state of the run that the pipeline reads and changes.
struct PipelineRunState {
  WorkBitmap& work;
  bool& base_composed;  // set as soon as a composition starts, even one that fails
  bool draw_only_run = false;
  bool draw_only_pending = false;
  bool terminate_requested = false;  // set when a composition ends the run
};

// One drawing: the base image when needed, the calendar blocks, the work bitmap file and
// its installation. The clean-up (caption, buttons, marker, cursor) runs even when a step
// fails; the error then goes on to the caller's general error report. False when the
// composition ended the run (nothing was drawn or installed).
bool DrawPipeline(DrawSender sender, const PipelineServices& services, const CalendarInputs& inputs,
                  PipelineRunState& run, const PipelineHooks& hooks);

// Draws the calendar as a drawing would, without writing or installing anything; each block
// saves the drawing settings to `store` first unless it is null (a preview stores nothing).
void DrawCalendarOn(Canvas& canvas, SettingsStore* store, const CalendarInputs& inputs);

}  // namespace orbeline
