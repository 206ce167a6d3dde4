#include "app/main_form.h"

#include <chrono>
#include <utility>

#include "calendar/definition_file.h"
#include "calendar/user_holidays.h"

namespace orbeline {

MainForm::MainForm(MainFormPorts ports, MainFormEnvironment environment)
    : ports_(ports), environment_(std::move(environment)) {}

MainForm::CreateResult MainForm::FormCreate() {
  source_unsupported_ = false;
  ports_.prompts.SetApplicationTitle("Orbeline");
  shortcut_file_ = (environment_.startup_folder / kStartupFileName).string();
  draw_only_run_ = false;
  base_composed_ = false;
  definition_ = LoadDefinitionFile(environment_.definition_file);
  prepared_ = PrepareSettings(ports_.store, definition_,
                              {environment_.exe_path, environment_.version_number,
                               environment_.system_temp},
                              ports_.shell);
  screen_rect_ = environment_.screen;
  // The wallpaper settings are read here, before the settings reach the window.
  if (!ApplySettingsToWindow()) return CreateResult::kTerminate;

  auto_draw_code_ = ParseDecimal(ports_.store.ReadSetting("AutoDraw")).value_or(0);
  random_.seed(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count() ^ ports_.clock.TickCount()));
  draw_only_pending_ = false;
  if (auto_draw_code_ < 1) return CreateResult::kInteractive;
  ports_.store.WriteSetting("AutoDraw", "0");
  DelayedDrawWait();
  draw_only_run_ = true;
  return CreateResult::kDrawOnly;
}

bool MainForm::ApplySettingsToWindow() {
  HolidayLoadResult loaded = LoadHolidayLists(
      ports_.store, ports_.prompts, ports_.store.ReadSetting("AutoCalcEquinox") == "1", holidays_,
      [this] {
        prepared_ = PrepareSettings(ports_.store, definition_,
                                    {environment_.exe_path, environment_.version_number,
                                     environment_.system_temp},
                                    ports_.shell);
      });
  if (loaded != HolidayLoadResult::kLoaded) return false;
  std::chrono::year_month_day today = ports_.clock.Today();
  const int year = static_cast<int>(today.year());
  const int month = static_cast<int>(static_cast<unsigned>(today.month()));
  AddEquinoxDays(holidays_, ports_.store.ReadSetting("AutoCalcEquinox") == "1", year);
  holiday_panel_text_ = ShowMonthHolidays(holidays_, year, month);
  LoadSpecialDays(ports_.store, special_days_);
  special_day_lines_ = FillSpecialDayList(special_days_);
  special_days_.SplitSpecialDates();
  settings_ = LoadWorkingSettings(ports_.store, screen_rect_);
  return true;
}

void MainForm::DelayedDrawWait() {
  if (ports_.store.ReadSetting("DelayedOnlyDraw") != "1") return;
  const int seconds = ParseDecimal(ports_.store.ReadSetting("DelaySeconds")).value_or(0);
  if (seconds <= 0) return;
  // Compared as a signed difference, so that a tick count wrapping past 2^32 during the
  // wait neither cuts it short nor makes it endless.
  const std::uint32_t deadline = ports_.clock.TickCount() + static_cast<std::uint32_t>(seconds) * 1000u;
  ports_.prompts.SetApplicationTitle("Suspend - Orbeline");
  while (static_cast<std::int32_t>(ports_.clock.TickCount() - deadline) <= 0) {
    ports_.prompts.ProcessEvents();
    ports_.clock.Sleep(20);
  }
  ports_.prompts.SetApplicationTitle("Orbeline");
}

}  // namespace orbeline
