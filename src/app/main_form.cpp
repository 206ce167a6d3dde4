#include "app/main_form.h"

#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "app/window_settings.h"
#include "base/durable_file.h"
#include "base/error.h"
#include "calendar/definition_file.h"
#include "calendar/reminders.h"
#include "calendar/user_holidays.h"
#include "settings/designs.h"
#include "settings/setting_names.h"
#include "wallpaper/composition.h"
#include "wallpaper/draw_pipeline.h"

namespace orbeline {
namespace {

// The local calendar date of a file's last change.
std::optional<std::chrono::year_month_day> LastWriteDate(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  std::tm local{};
  localtime_r(&info.st_mtime, &local);
  return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

}  // namespace

MainForm::MainForm(MainFormPorts ports, MainFormEnvironment environment)
    : ports_(std::move(ports)), environment_(std::move(environment)) {}

void MainForm::RunPrepareSettings() {
  prepared_ = PrepareSettings(
      ports_.store, definition_,
      {environment_.exe_path, environment_.version_number, environment_.system_temp}, ports_.shell);
}

CalendarInputs MainForm::Inputs(std::chrono::year_month_day today) const {
  return {settings_,
          definition_,
          holidays_,
          special_days_,
          run_.screen,
          today,
          environment_.japanese_locale};
}

WallpaperServices MainForm::Services() {
  return {*desktop_, ports_.store, ports_.prompts, ports_.clock};
}

int MainForm::TakeAutoDrawCode() {
  if (environment_.preview) return 0;
  const int code = ParseDecimal(ports_.store.ReadSetting(setting::kAutoDraw)).value_or(0);
  if (code > 0) ports_.store.WriteSetting(setting::kAutoDraw, "0");
  return code;
}

MainForm::CreateResult MainForm::FormCreate() {
  auto_draw_code_ = TakeAutoDrawCode();
  ports_.prompts.SetApplicationTitle("Orbeline");
  shortcut_file_ = (environment_.startup_folder / kStartupShortcutName).string();
  run_.draw_only_run = false;
  run_.base_composed = false;
  // A run with a window draws again and again on the same wallpaper; a draw-only run and a
  // preview compose once.
  run_.keep_base_copy = auto_draw_code_ < 1 && !environment_.preview;
  definition_ = LoadDefinitionFile(environment_.definition_file);
  RunPrepareSettings();
  if (environment_.instance_lock_held) {
    RemoveInterruptedWrites(prepared_.temp_folder, kWorkBitmapFileName);
  }
  desktop_ = ports_.make_desktop(prepared_.temp_folder);
  run_.screen = desktop_->ScreenRectangle();
  WallpaperServices services = Services();
  WallpaperSettingsResult wallpaper =
      ReadWallpaperSettings(services, environment_.home_folder.string(), prepared_.temp_folder);
  run_.wallpaper = wallpaper.state;
  if (!ApplySettingsToWindow()) return CreateResult::kTerminate;

  // A different draw of designs in every run: start the generator from the clock.
  random_ = std::mt19937(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count() ^ ports_.clock.TickCount()));
  run_.draw_only_pending = false;
  if (auto_draw_code_ < 1) {
    return wallpaper.terminate ? CreateResult::kTerminate : CreateResult::kInteractive;
  }
  // Without the desktop's wallpaper values there is nothing to draw on: the user has been
  // told, and the run ends before anything is composed.
  if (wallpaper.terminate) return CreateResult::kTerminate;
  DelayedDrawWait();
  run_.draw_only_run = true;
  switch (ChooseDrawOnlySource()) {
    case DrawOnlySource::kDraw:
      break;
    case DrawOnlySource::kAlreadyDrawn:
      return CreateResult::kAlreadyDrawn;
    case DrawOnlySource::kRefused:
      // After a message the settings window opens, in a run that stays draw-only.
      run_.keep_base_copy = true;
      return CreateResult::kInteractive;
  }
  run_.draw_only_pending = true;
  // The drawing follows at once and writes the work bitmap file with the calendar on it; a
  // run ended before that has changed nothing on the desktop.
  const ComposeResult composed =
      ComposeBaseImage(services, run_, settings_, ComposeOutput::kMemoryOnly);
  // A picture the program cannot draw on leaves nothing to draw (the user has been told).
  if (composed == ComposeResult::kSourceUnsupported) run_.draw_only_pending = false;
  if (composed != ComposeResult::kWritten) return CreateResult::kTerminate;
  return CreateResult::kDrawOnly;
}

MainForm::DrawOnlySource MainForm::ChooseDrawOnlySource() {
  const int code = auto_draw_code_;
  if (code == 2) {
    // The source of this run only: the close puts the desktop's own values back, and a
    // relative name is taken in the folder the program was started in.
    std::error_code ignored;
    run_.wallpaper.source_wallpaper_path =
        std::filesystem::absolute(environment_.first_argument, ignored).lexically_normal().string();
    // The bitmap named on the command line exists (the grammar checked it): draw on it even
    // when the desktop itself had no picture.
    run_.wallpaper.no_source_wallpaper = false;
    return DrawOnlySource::kDraw;
  }
  if (code > 10) {
    const int n = code - 10;
    if (!ApplyDesign(n)) {
      ports_.prompts.ShowMessage(
          {"Orbeline - Error",
           "On the Configuration " + std::to_string(n) + ", Nothing registered!",
           Prompts::Icon::kExclamation, Prompts::Buttons::kOk, Prompts::Answer::kOk});
      return DrawOnlySource::kRefused;
    }
    return DrawOnlySource::kDraw;
  }
  if (code == 3) {
    int chosen = 0;
    std::uniform_int_distribution<int> pick(1, kDesignCount);
    for (int attempt = 0; attempt < 100 && chosen == 0; ++attempt) {
      int n = pick(random_);
      if (IsDesignSaved(ports_.store, n)) chosen = n;
    }
    for (int n = 1; n <= kDesignCount && chosen == 0; ++n) {
      if (IsDesignSaved(ports_.store, n)) chosen = n;
    }
    if (chosen == 0) {
      ports_.prompts.ShowMessage({"Orbeline - Error", "Nothing registered!",
                                  Prompts::Icon::kExclamation, Prompts::Buttons::kOk,
                                  Prompts::Answer::kOk});
      return DrawOnlySource::kRefused;
    }
    return ApplyDesign(chosen) ? DrawOnlySource::kDraw : DrawOnlySource::kRefused;
  }
  if (TodaysCalendarInstalled()) {
    if (settings_.transparent) {
      WallpaperServices services = Services();
      orbeline::ApplyIconTextColor(services, settings_.icon_text_color);
    }
    return DrawOnlySource::kAlreadyDrawn;
  }
  return DrawOnlySource::kDraw;
}

bool MainForm::TodaysCalendarInstalled() const {
  if (!run_.wallpaper.work_bitmap_installed) return false;
  std::optional<std::chrono::year_month_day> written =
      LastWriteDate(run_.wallpaper.work_bitmap_path);
  return written && *written == ports_.clock.Today();
}

bool MainForm::ApplyDesign(int n) {
  if (!CopyDesignToCurrent(ports_.store, n)) return false;
  return ApplySettingsToWindow();
}

bool MainForm::ApplySettingsToWindow() {
  std::optional<WindowSettings> loaded = LoadWindowSettings(
      ports_.store, ports_.prompts, [this] { RunPrepareSettings(); }, ports_.clock.Today(),
      run_.screen);
  if (!loaded) return false;
  holidays_ = loaded->holidays;
  holiday_panel_text_ = std::move(loaded->holiday_panel_text);
  special_days_ = std::move(loaded->special_days);
  special_day_lines_ = std::move(loaded->special_day_lines);
  settings_ = std::move(loaded->settings);
  return true;
}

void MainForm::DelayedDrawWait() {
  if (!settings_.delayed_only_draw) return;
  const int seconds = settings_.delay_seconds;
  if (seconds <= 0) return;
  // Compared as a signed difference, so that a tick count wrapping past 2^32 during the
  // wait neither cuts it short nor makes it endless.
  const std::uint32_t deadline =
      ports_.clock.TickCount() + static_cast<std::uint32_t>(seconds) * 1000u;
  ports_.prompts.SetApplicationTitle("Suspend - Orbeline");
  while (static_cast<std::int32_t>(ports_.clock.TickCount() - deadline) <= 0) {
    ports_.prompts.ProcessEvents();
    ports_.clock.Sleep(20);
  }
  ports_.prompts.SetApplicationTitle("Orbeline");
}

bool MainForm::Draw(DrawSender sender, const PipelineHooks& hooks) {
  WallpaperServices services = Services();
  const auto start = std::chrono::steady_clock::now();
  const bool running =
      DrawPipeline(sender, services, run_, Inputs(ports_.clock.Today()), ports_.make_canvas, hooks);
  last_draw_duration_ = std::chrono::steady_clock::now() - start;
  return running;
}

void MainForm::Revert(RevertTarget target) {
  WallpaperServices services = Services();
  RevertWallpaper(services, run_.wallpaper, settings_, target,
                  [this] { return RebuildBaseImage(); });
}

bool MainForm::RebuildBaseImage() {
  WallpaperServices services = Services();
  return ComposeBaseImage(services, run_, settings_) == ComposeResult::kWritten;
}

void MainForm::SetTempFolder(const std::string& folder) {
  prepared_.temp_folder = folder;
  run_.wallpaper.work_bitmap_path = WorkBitmapPath(folder);
}

const WorkBitmap& MainForm::DesktopPicture() {
  if (run_.base_composed && run_.work.Width() > 0) {
    desktop_picture_ = WorkBitmap();
    return run_.work;
  }
  if (!desktop_picture_tried_) {
    desktop_picture_tried_ = true;
    WallpaperRun picture;
    picture.wallpaper = run_.wallpaper;
    picture.screen = run_.screen;
    // Like a draw-only run it asks nothing: the user hears of a picture the program cannot
    // draw on at the first drawing.
    picture.draw_only_run = true;
    picture.keep_base_copy = run_.keep_base_copy;
    WallpaperServices services = Services();
    try {
      if (ComposeBaseImage(services, picture, settings_, ComposeOutput::kMemoryOnly) ==
          ComposeResult::kWritten) {
        desktop_picture_ = std::move(picture.work);
        // The first drawing starts from this composition instead of decoding again.
        run_.base_copy = std::move(picture.base_copy);
        run_.base_copy_source = std::move(picture.base_copy_source);
      }
    } catch (const std::exception&) {
      // An unreadable picture: the caller falls back to the desktop's colour.
    }
  }
  return desktop_picture_;
}

void MainForm::ReplaceHolidayLists(const HolidayLists& lists) {
  SaveHolidayLists(ports_.store, lists);
  holidays_ = lists;
  const std::chrono::year_month_day now = today();
  holiday_panel_text_ = ShowMonthHolidays(holidays_, static_cast<int>(now.year()),
                                          static_cast<int>(static_cast<unsigned>(now.month())));
}

void MainForm::ReplaceSpecialDays(const SpecialDayRecords& records) {
  // Stored before the table changes: a refused record leaves the run as it was.
  SpecialDays days;
  days.records() = records;
  SaveSpecialDays(ports_.store, days);
  special_days_ = std::move(days);
  special_day_lines_ = FillSpecialDayList(special_days_);
  special_days_.SplitSpecialDates();
}

bool MainForm::RunDrawOnly() {
  if (!run_.draw_only_pending) return true;
  // The hidden window shows its first page, and the close stores the page shown.
  settings_.last_modified_page = 0;
  PipelineHooks hooks;
  hooks.set_caption = [this](const std::string& caption) {
    ports_.prompts.SetApplicationTitle(caption);
  };
  // The close steps run even when the drawing failed, so that the desktop's values are
  // put back; the error then reaches the caller's report.
  bool drawn = true;
  std::exception_ptr failure;
  try {
    drawn = Draw(DrawSender::kWindow, hooks);
  } catch (...) {
    failure = std::current_exception();
  }
  run_.draw_only_pending = false;
  FormCloseQuery();
  FormClose();
  if (failure) std::rethrow_exception(failure);
  return drawn;
}

void MainForm::FormCloseQuery() {
  // A desktop that shows whatever its setting names would lose the picture on screen.
  delete_work_bitmap_at_close_ =
      !settings_.no_restore_wallpaper && !desktop_->ShowsStoredValueLive();
}

void MainForm::FormClose() {
  ports_.shell.CloseManual();
  ShowSpecialDayReminders(special_days_, ports_.prompts, ports_.clock.Today());
  WallpaperServices services = Services();
  RestoreWallpaperAtClose(services, run_.wallpaper,
                          settings_.no_restore_wallpaper ? WallpaperAtClose::kKeepWorkBitmap
                                                         : WallpaperAtClose::kRestore);
  // Only now that the desktop's value no longer names it: the desktop never names a file
  // that does not exist.
  if (delete_work_bitmap_at_close_) {
    std::error_code ignored;
    std::filesystem::remove(run_.wallpaper.work_bitmap_path, ignored);
  }
  ports_.store.WriteSetting(setting::kLastModifiedPage,
                            std::to_string(settings_.last_modified_page));
  run_.work = WorkBitmap();
}

bool MainForm::DrawPreview(
    std::chrono::year_month_day date, const std::filesystem::path& png_path,
    const std::function<void(const WorkBitmap&, const std::filesystem::path&)>& write_png) {
  // Asks nothing and writes no file, and refuses what a draw-only drawing refuses.
  run_.draw_only_run = true;
  run_.draw_only_pending = true;
  WallpaperServices services = Services();
  const ComposeResult composed =
      ComposeBaseImage(services, run_, settings_, ComposeOutput::kMemoryOnly);
  run_.draw_only_pending = false;
  if (composed == ComposeResult::kSourceUnsupported) return false;
  if (composed != ComposeResult::kWritten) {
    throw Error("Cannot compose the base image for the preview");
  }
  DrawCalendarOn(*MakeWorkCanvas(ports_.make_canvas, run_.work), nullptr, Inputs(date));
  // The work bitmap file holds every pixel in the nearest colour of its palette.
  run_.work.ReduceToPalette();
  write_png(run_.work, png_path);
  return true;
}

}  // namespace orbeline
