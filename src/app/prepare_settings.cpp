#include "app/prepare_settings.h"

#include <string>
#include <system_error>

#include "app/font_setting.h"

namespace orbeline {
namespace {

const char* Flag(bool value) { return value ? "1" : "0"; }

void WriteFirstRunSet(SettingsStore& store, const Definition& definition) {
  store.WriteSetting("CalendarType", "4");
  for (const char* prefix : {"Font", "Font0", "Font1", "Font2"}) {
    WriteFontSetting(store, prefix, FontSetting{"Arial", 18, true, true});
  }
  store.WriteSetting("CharStep", "30");
  store.WriteSetting("PositionX", "0");
  store.WriteSetting("PositionY", "0");
  store.WriteSetting("SundayColor", "clRed");
  store.WriteSetting("SaturdayColor", "clBlue");
  store.WriteSetting("WeekdayColor", "clGray");
  store.WriteSetting("TodayColor", "clLime");
  store.WriteSetting("YearMonthColor", "clAqua");
  store.WriteSetting("HolidayColor", "clFuchsia");
  store.WriteSetting("ShadowColor", "clBlack");
  store.WriteSetting("Shadow", "1");
  store.WriteSetting("YearDraw", "0");
  store.WriteSetting("MonthDraw", "0");
  store.WriteSetting("DayDraw", "0");
  store.WriteSetting("TilePattern", "0");
  store.WriteSetting("TodayDrawMethod", "1");
  store.WriteSetting("SmallDayName", "0");
  for (int month = 1; month <= 12; ++month) {
    store.WriteSetting("Holiday" + std::to_string(month),
                       definition.national_holiday_text[static_cast<std::size_t>(month - 1)]);
  }
  store.WriteSetting("ReverseYearMonth", Flag(definition.reverse_year_month));
  store.WriteSetting("AutoCalcEquinox", Flag(definition.ignore_equinox));
  store.WriteSetting("NoKokumin", Flag(definition.ignore_kokumin));
  store.WriteSetting("NoRestoreWallpaper", "0");
}

bool IsAbsentOrEmpty(const SettingsStore& store, std::string_view name) {
  return store.ReadText(name, "").empty();
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

PreparedSettings PrepareSettings(SettingsStore& store, const Definition& definition,
                                 const PrepareEnvironment& environment, Shell& shell) {
  // 1. First run, or a reset forced by a negative CharStep.
  if (store.ReadInteger("CharStep", -1) < 0) WriteFirstRunSet(store, definition);
  // 2-3. Values of older versions, spelled differently.
  if (int style = store.ReadInteger("CalenderStyle", -1); style != -1) {
    store.WriteSetting("CalendarStyle", std::to_string(style));
  }
  if (int type = store.ReadInteger("CalenderType", -1); type != -1) {
    store.WriteSetting("CalendarType", std::to_string(type));
  }
  // 4.
  if (store.ReadInteger("CharStep2", -1) < 0) {
    store.WriteSetting("CharStep2", std::to_string(store.ReadInteger("CharStep", 0)));
  }
  // 5-6. Holiday texts of versions before 1.50 named the second Monday by its old date.
  const int version = environment.version_number;
  if (store.ReadInteger("VersionInfo", 0) < 15000) {
    if (store.ReadText("Holiday1", "") == "1 15") store.WriteSetting("Holiday1", "1 201");
    if (store.ReadText("Holiday10", "") == "10") store.WriteSetting("Holiday10", "201");
  }
  // 7.
  if (version > store.ReadInteger("VersionInfo", 0)) {
    store.WriteSetting("VersionInfo", std::to_string(version));
    shell.OpenManual(1);
  }
  // 8-13.
  if (IsAbsentOrEmpty(store, "StartupFileName")) {
    store.WriteSetting("StartupFileName", kStartupFileName);
  }
  if (store.ReadInteger("SlashLean", 100) == 100) store.WriteSetting("SlashLean", "6");
  if (store.ReadInteger("SameFont", -1) < 0) store.WriteSetting("SameFont", "1");
  if (store.ReadInteger("MarkerVisible", -1) < 0) {
    store.WriteSetting("MarkerVisible", "1");
    store.WriteSetting("MarkerAnimate", "1");
  }
  if (store.ReadInteger("DelaySeconds", -1) < 0) store.WriteSetting("DelaySeconds", "30");
  if (IsAbsentOrEmpty(store, "IconTextColor")) store.WriteSetting("IconTextColor", "clWhite");
  // 14.
  store.WriteSetting("ExeFileName", environment.exe_path + " -OnlyDraw");
  // 15.
  if (store.ReadInteger("SubstituteType", -1) == -1) {
    bool no_furikae = store.ReadInteger("NoFurikae", 0) != 0;
    store.WriteSetting("SubstituteType",
                       no_furikae ? "0" : std::to_string(definition.observe_type));
  }
  // 16.
  PreparedSettings prepared;
  prepared.temp_folder = ResolveTempFolder(store.ReadText("Temp", ""), environment.system_temp);
  // 17.
  if (store.ReadText("1", "DesignName", "").empty()) {
    for (int n = 1; n <= 20; ++n) {
      store.Write(std::to_string(n), "DesignName", "Configure" + std::to_string(n));
    }
  }
  // 18.
  store.Remove("CalenderStyle");
  store.Remove("CalenderType");
  // 19.
  for (int i = 0; i < 16; ++i) {
    prepared.custom_colors[static_cast<std::size_t>(i)] =
        store.ReadSetting("CustomColor" + std::to_string(i));
  }
  return prepared;
}

}  // namespace orbeline
