#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/shell.h"
#include "settings/settings_store.h"

namespace orbeline {

// What the first-run and migration step needs to know about this installation.
struct PrepareEnvironment {
  std::string exe_path;               // the program's full path
  int version_number = 0;             // major * 10000 + minor * 100 + patch
  std::filesystem::path system_temp;  // stands in for the system temporary path
};

// What the country's definition file gives a fresh store.
struct CountryDefaults {
  std::array<std::string, 12> national_holiday_text;  // Holiday1..Holiday12, index month - 1
  bool reverse_year_month = false;                    // ReverseYearMonth
  int observe_type = 0;                               // SubstituteType
  bool ignore_equinox = false;                        // AutoCalcEquinox
  bool ignore_kokumin = false;                        // NoKokumin
};

struct PreparedSettings {
  // The folder of the work bitmap, always ending in "/". It may not exist yet: it is
  // created when the work bitmap is first written.
  std::string temp_folder;
  // The colour dialog's 16 custom colours as stored ("0" when absent).
  std::array<std::string, 16> custom_colors;
};

// The login entry's file name in the autostart folder.
inline constexpr std::string_view kStartupShortcutName = "Orbeline StartUp.desktop";

// The first-run defaults, the per-value defaults and the migrations of older values,
// in their fixed order. Opens the manual at topic 1 on a version's first run.
PreparedSettings PrepareSettings(SettingsStore& store, const CountryDefaults& country,
                                 const PrepareEnvironment& environment, Shell& shell);

// The temp folder rule: the stored `Temp` folder when it names an existing directory,
// else the system temporary path; always ending in "/".
std::string ResolveTempFolder(const std::string& stored, const std::filesystem::path& system_temp);

}  // namespace orbeline
