#include "settings/prepare_settings.h"

#include <string>
#include <system_error>

#include "base/text_util.h"
#include "settings/designs.h"
#include "settings/setting_names.h"

namespace orbeline {
namespace {

using namespace setting;

std::string HolidayName(int month) { return std::string(kHolidayPrefix) + std::to_string(month); }

// A fresh store, or one reset by a negative CharStep: the look of the calendar from the
// setting table, the holidays and switches from the country's definition.
void ApplyFirstRunSet(SettingsStore& store, const CountryDefaults& country) {
  for (const SettingRow& row : kSettingTable) {
    if (!row.first_run.empty()) store.WriteSetting(row.name, row.first_run);
  }
  for (int month = 1; month <= 12; ++month) {
    store.WriteSetting(HolidayName(month),
                       country.national_holiday_text[static_cast<std::size_t>(month - 1)]);
  }
  store.WriteSetting(kReverseYearMonth, FlagText(country.reverse_year_month));
  store.WriteSetting(kAutoCalcEquinox, FlagText(country.ignore_equinox));
  store.WriteSetting(kNoKokumin, FlagText(country.ignore_kokumin));
}

// Values older versions spelled differently, or stored before a rule changed.
void MigrateOldValues(SettingsStore& store) {
  if (int style = store.ReadInteger(kCalenderStyle, -1); style != -1) {
    store.WriteSetting(kCalendarStyle, std::to_string(style));
  }
  if (int type = store.ReadInteger(kCalenderType, -1); type != -1) {
    store.WriteSetting(kCalendarType, std::to_string(type));
  }
  if (store.ReadInteger(kCharStep2, -1) < 0) {
    store.WriteSetting(kCharStep2, std::to_string(store.ReadInteger(kCharStep, 0)));
  }
  // Holiday texts of versions before 1.50 named the second Monday by its old date.
  if (store.ReadInteger(kVersionInfo, 0) < 15000) {
    if (store.ReadText(HolidayName(1), "") == "1 15") store.WriteSetting(HolidayName(1), "1 201");
    if (store.ReadText(HolidayName(10), "") == "10") store.WriteSetting(HolidayName(10), "201");
  }
}

bool IsAbsentOrEmpty(const SettingsStore& store, std::string_view name) {
  return store.ReadText(name, "").empty();
}

// Values that newer versions added: each gets its default where it is still missing.
void FillMissingValues(SettingsStore& store) {
  if (IsAbsentOrEmpty(store, kStartupFileName)) {
    store.WriteSetting(kStartupFileName, kStartupShortcutName);
  }
  if (store.ReadInteger(kSlashLean, 100) == 100) store.WriteSetting(kSlashLean, "6");
  if (store.ReadInteger(kSameFont, -1) < 0) store.WriteSetting(kSameFont, "1");
  if (store.ReadInteger(kMarkerVisible, -1) < 0) {
    store.WriteSetting(kMarkerVisible, "1");
    store.WriteSetting(kMarkerAnimate, "1");
  }
  if (store.ReadInteger(kDelaySeconds, -1) < 0) store.WriteSetting(kDelaySeconds, "30");
  if (IsAbsentOrEmpty(store, kIconTextColor)) store.WriteSetting(kIconTextColor, "clWhite");
}

void FillSubstituteType(SettingsStore& store, const CountryDefaults& country) {
  if (store.ReadInteger(kSubstituteType, -1) != -1) return;
  const bool no_furikae = store.ReadInteger(kNoFurikae, 0) != 0;
  store.WriteSetting(kSubstituteType, no_furikae ? "0" : std::to_string(country.observe_type));
}

}  // namespace

std::string ResolveTempFolder(const std::string& stored, const std::filesystem::path& system_temp) {
  std::string folder = stored;
  // One trailing slash goes; the root folder keeps its only one.
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
    folder = system_temp.string();
  }
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

PreparedSettings PrepareSettings(SettingsStore& store, const CountryDefaults& country,
                                 const PrepareEnvironment& environment, Shell& shell) {
  if (store.ReadInteger(kCharStep, -1) < 0) ApplyFirstRunSet(store, country);
  MigrateOldValues(store);
  // The manual greets the first run of every newer version, in every run mode.
  if (environment.version_number > store.ReadInteger(kVersionInfo, 0)) {
    store.WriteSetting(kVersionInfo, std::to_string(environment.version_number));
    shell.OpenManual(1);
  }
  FillMissingValues(store);
  store.WriteSetting(kExeFileName, environment.exe_path + " -OnlyDraw");
  FillSubstituteType(store, country);

  PreparedSettings prepared;
  prepared.temp_folder = ResolveTempFolder(store.ReadText(kTemp, ""), environment.system_temp);
  // Only a missing or empty name gets its default: the names the user chose stay.
  FillDesignList(store);
  store.Remove(kCalenderStyle);
  store.Remove(kCalenderType);
  for (int i = 0; i < 16; ++i) {
    prepared.custom_colors[static_cast<std::size_t>(i)] =
        store.ReadSetting(std::string(kCustomColorPrefix) + std::to_string(i));
  }
  return prepared;
}

}  // namespace orbeline
