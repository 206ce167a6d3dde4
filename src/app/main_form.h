#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/prompts.h"
#include "base/shell.h"
#include "calendar/definition.h"
#include "calendar/holiday_engine.h"
#include "calendar/special_days.h"
#include "image/work_bitmap.h"
#include "render/canvas.h"
#include "settings/prepare_settings.h"
#include "settings/settings_store.h"
#include "settings/working_settings.h"
#include "wallpaper/composition.h"
#include "wallpaper/desktop.h"
#include "wallpaper/draw_pipeline.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {

// Where this installation and this user's desktop are; filled by the platform layer.
struct MainFormEnvironment {
  std::string exe_path;                   // the program's full path
  std::filesystem::path definition_file;  // the definition file chosen for the locale
  std::filesystem::path system_temp;      // stands in for the system temporary path
  std::filesystem::path startup_folder;   // where the login autostart entries live
  std::filesystem::path home_folder;      // relative wallpaper names start here
  std::string first_argument;             // the command line's first argument, if any
  std::string icon_location;              // the Icon of the launchers the program writes
  bool japanese_locale = false;           // era names cut to their first character
  int version_number = 0;
  // A --preview run: it only looks, so it takes over no stored run code (AutoDraw).
  bool preview = false;
  // This run holds the instance lock, so no other run is writing: files that earlier runs
  // left half-written when they died may be removed.
  bool instance_lock_held = false;
};

struct MainFormPorts {
  SettingsStore& store;
  Prompts& prompts;
  Shell& shell;
  Clock& clock;
  // The desktop backend; made once the temp folder is known.
  std::function<std::unique_ptr<Desktop>(const std::string& temp_folder)> make_desktop;
  // A canvas painting on the work bitmap's pixels.
  std::function<std::unique_ptr<Canvas>(WorkBitmap&)> make_canvas;
};

// The state and the start-up logic of the main window, free of any toolkit: the window
// (interactive runs) and the draw-only run both drive it.
class MainForm {
 public:
  enum class CreateResult {
    kInteractive,   // show the settings window
    kDrawOnly,      // a draw-only run: draw, then close
    kAlreadyDrawn,  // a draw-only run that found today's calendar installed: nothing to do
    kTerminate,     // the run ends without drawing because of an error (the user was told)
  };

  MainForm(MainFormPorts ports, MainFormEnvironment environment);

  // The create handler: the run mode taken over from AutoDraw (and AutoDraw reset at once,
  // so that no way this start ends leaves a one-shot code for the next plain start), the
  // definition file, settings defaults and migrations, the screen, the stored settings
  // applied.
  CreateResult FormCreate();

  // Reads the holiday lists (with their integrity check), the equinox days, this month's
  // holiday text and the special days, then every setting the window shows, clamped as the
  // controls clamp them and written back where a control writes its value at once. False
  // when the holiday check ended the run.
  bool ApplySettingsToWindow();

  // The delayed start of a draw-only run, as long as the working copy says: "Suspend -
  // Orbeline" while the wait lets events through.
  void DelayedDrawWait();

  // One drawing (Draw button: kDrawButton; right-click Draw, Enter: kWindow). False when
  // it ended the run (the work bitmap could not be written).
  bool Draw(DrawSender sender, const PipelineHooks& hooks);
  // How long the last drawing that ran to its end took, from the request to the wallpaper
  // installed (for benchmarks).
  std::chrono::steady_clock::duration last_draw_duration() const { return last_draw_duration_; }
  // The Revert button (left: the user's own picture; right: the composed base image).
  void Revert(RevertTarget target);

  // The page change of the settings window after a new tiling: the base image is composed
  // again and its file written. False when that ended the run (the file could not be
  // written).
  bool RebuildBaseImage();
  // The temp-folder button: `folder` (ending in "/") holds the work bitmap from now on.
  void SetTempFolder(const std::string& folder);

  // What the holiday dialog hands back on OK: the lists are stored, and this month's
  // holidays shown again.
  void ReplaceHolidayLists(const HolidayLists& lists);
  // What the special-day dialog hands back on OK: the records are stored, listed and
  // split into their date tables.
  void ReplaceSpecialDays(const SpecialDayRecords& records);

  // The rest of a draw-only run after its creation: the drawing, the close query and the
  // close. The window never appears. False when the drawing failed (the user was told).
  bool RunDrawOnly();

  // The close query and the close handler's steps. The close query only decides whether the
  // work bitmap goes; the close deletes it after the desktop's values no longer name it.
  void FormCloseQuery();
  void FormClose();

  // Writes the calendar of `date` on the composed base image into `png_path` with exactly
  // the pixels a fresh drawing would install (colours reduced as the work bitmap file has
  // them), without installing or storing anything. False, after the same message, when a
  // drawing would refuse the wallpaper.
  bool DrawPreview(
      std::chrono::year_month_day date, const std::filesystem::path& png_path,
      const std::function<void(const WorkBitmap&, const std::filesystem::path&)>& write_png);

  // What the desktop shows behind the program's windows: the work bitmap once it holds a
  // composition of this run, else the base image composed once for this purpose (nothing
  // asked or written). Empty when that composition failed.
  const WorkBitmap& DesktopPicture();

  Desktop& desktop() { return *desktop_; }
  const MainFormEnvironment& environment() const { return environment_; }
  const WallpaperState& wallpaper() const { return run_.wallpaper; }
  WorkBitmap& work_bitmap() { return run_.work; }

  const Definition& definition() const { return definition_; }
  const PreparedSettings& prepared() const { return prepared_; }
  const WorkingSettings& settings() const { return settings_; }
  WorkingSettings& settings() { return settings_; }
  const HolidayLists& holidays() const { return holidays_; }
  const SpecialDays& special_days() const { return special_days_; }
  const std::string& holiday_panel_text() const { return holiday_panel_text_; }
  const std::vector<std::string>& special_day_lines() const { return special_day_lines_; }
  const Rect& screen_rect() const { return run_.screen; }
  std::chrono::year_month_day today() const { return ports_.clock.Today(); }
  const std::string& shortcut_file() const { return shortcut_file_; }
  bool draw_only_run() const { return run_.draw_only_run; }
  bool draw_only_pending() const { return run_.draw_only_pending; }

 private:
  // What a draw-only run draws with: the design, the source or the check whether today's
  // calendar is already installed.
  enum class DrawOnlySource { kDraw, kAlreadyDrawn, kRefused };
  DrawOnlySource ChooseDrawOnlySource();
  // The stored auto-draw code, reset to "0" when it is positive (never in a preview).
  int TakeAutoDrawCode();
  bool ApplyDesign(int n);
  bool TodaysCalendarInstalled() const;
  WallpaperServices Services();
  CalendarInputs Inputs(std::chrono::year_month_day today) const;
  void RunPrepareSettings();

  MainFormPorts ports_;
  MainFormEnvironment environment_;

  Definition definition_;
  PreparedSettings prepared_;
  WorkingSettings settings_;
  HolidayLists holidays_;
  SpecialDays special_days_;
  std::string holiday_panel_text_;
  std::vector<std::string> special_day_lines_;
  std::string shortcut_file_;
  std::mt19937 random_;
  std::unique_ptr<Desktop> desktop_;
  WallpaperRun run_;
  WorkBitmap desktop_picture_;  // DesktopPicture's own composition
  bool desktop_picture_tried_ = false;

  std::chrono::steady_clock::duration last_draw_duration_{};
  int auto_draw_code_ = 0;
  bool delete_work_bitmap_at_close_ = false;
};

}  // namespace orbeline
