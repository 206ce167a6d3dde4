#include "app/ovalin_form_model.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/holiday_form_model.h"
#include "app/manual.h"
#include "app/specialday_form_model.h"
#include "base/text_util.h"
#include "settings/ask_confirmation.h"
#include "settings/designs.h"
#include "settings/setting_names.h"

namespace orbeline {
namespace {

using namespace setting;

constexpr std::string_view kConfirmCaption = "Confirm";
constexpr std::string_view kErrorCaption = "Orbeline - Error";

// Where a check box keeps its state, and the setting it writes at once (empty: the next
// drawing saves it).
struct CheckRow {
  bool WorkingSettings::*field;
  std::string_view writes;
};

CheckRow RowOf(CheckControl control) {
  switch (control) {
    case CheckControl::kShadow:
      return {&WorkingSettings::shadow, kShadow};
    case CheckControl::kDayBox:
      return {&WorkingSettings::day_box, kDayBox};
    case CheckControl::kSmallDayName:
      return {&WorkingSettings::small_day_name, kSmallDayName};
    case CheckControl::kEmperorSmall:
      return {&WorkingSettings::emperor_small, kEmperorSmall};
    case CheckControl::kMondayStart:
      return {&WorkingSettings::monday_start, {}};
    case CheckControl::kMonthReverse:
      return {&WorkingSettings::month_reverse, {}};
    case CheckControl::kReverseYearMonth:
      return {&WorkingSettings::reverse_year_month, {}};
    case CheckControl::kSameFont:
      return {&WorkingSettings::same_font, {}};
    case CheckControl::kAutoCalcEquinox:
      return {&WorkingSettings::auto_calc_equinox, kAutoCalcEquinox};
    case CheckControl::kNoKokumin:
      return {&WorkingSettings::no_kokumin, kNoKokumin};
    case CheckControl::kNoRestoreWallpaper:
      return {&WorkingSettings::no_restore_wallpaper, kNoRestoreWallpaper};
    case CheckControl::kTaskbarAdjust:
      return {&WorkingSettings::taskbar_adjust, kTaskbarAdjust};
    case CheckControl::kTransparent:
      return {&WorkingSettings::transparent, kTransparent};
    case CheckControl::kDelayedOnlyDraw:
      return {&WorkingSettings::delayed_only_draw, kDelayedOnlyDraw};
  }
  return {&WorkingSettings::shadow, kShadow};
}

// The colour dialog's custom colours are stored as hexadecimal text; "0" until the dialog
// has been used once.
ColorRef CustomColorValue(const std::string& text) {
  std::optional<std::int64_t> value = ParseIntegerText("$" + text);
  return value ? static_cast<ColorRef>(*value) & 0xFFFFFF : 0;
}

std::string CustomColorText(ColorRef color) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

}  // namespace

LineDrawLabels LabelsForLineDrawType(CalendarType type) {
  if (type == CalendarType::kCenter) {
    return {"X Position", "Y Position", "Horizontal Space", "Vertical Space"};
  }
  const bool horizontal = IsHorizontalLine(type);
  return {"Distance from Edge", horizontal ? "Distance from Left" : "Distance from Top",
          "Character Space", "Space for Year/Month"};
}

std::string VersionLine(std::string_view version, const std::optional<std::string>& language) {
  return "Ver." + std::string(version) + "(" + language.value_or("ENU") + ")";
}

std::array<ColorRef, 8> PresetColors(ColorPreset preset) {
  // Sunday, Weekday, Saturday, Holiday, Today, Year/Month, Shadow, Box.
  if (preset == ColorPreset::kBright) {
    return {0x0000FF, 0x808080, 0xFF0000, 0xFF00FF, 0x00FF00, 0xFFFF00, 0x000000, 0xFFFFFF};
  }
  return {0x000080, 0x000000, 0x800000, 0x800080, 0x008000, 0x808000, 0xC0C0C0, 0x808080};
}

OvalinFormModel::OvalinFormModel(MainForm& form, Ports ports, bool japanese_messages)
    : form_(form), ports_(ports), japanese_messages_(japanese_messages) {
  custom_colors_ = form_.prepared().custom_colors;
}

void OvalinFormModel::ApplySettingsToWindow() {
  UpdateColorButtons(false);
  // The weekday size follows the weekday names, and only one font can make them smaller.
  day_check_enabled_ = settings().same_font && settings().day_draw > DayDraw::kNone;
}

void OvalinFormModel::FillDesignList() {
  design_names_ = orbeline::FillDesignList(ports_.store);
  selected_design_ = 0;
}

ColorRef& OvalinFormModel::ColorField(ColorSlot slot) {
  WorkingSettings& s = working();
  switch (slot) {
    case ColorSlot::kSunday:
      return s.sunday_color;
    case ColorSlot::kWeekday:
      return s.weekday_color;
    case ColorSlot::kSaturday:
      return s.saturday_color;
    case ColorSlot::kHoliday:
      return s.holiday_color;
    case ColorSlot::kToday:
      return s.today_color;
    case ColorSlot::kYearMonth:
      return s.year_month_color;
    case ColorSlot::kShadow:
      return s.shadow_color;
    case ColorSlot::kDaybox:
      return s.daybox_color;
  }
  return s.sunday_color;
}

ColorRef OvalinFormModel::Color(ColorSlot slot) const {
  return const_cast<OvalinFormModel*>(this)->ColorField(slot);
}

FontSetting& OvalinFormModel::FontField(FontSlot slot) {
  WorkingSettings& s = working();
  switch (slot) {
    case FontSlot::kCommon:
      return s.font;
    case FontSlot::kDay:
      return s.font0;
    case FontSlot::kYearMonth:
      return s.font1;
    case FontSlot::kDayOfWeek:
      return s.font2;
  }
  return s.font;
}

const FontSetting& OvalinFormModel::Font(FontSlot slot) const {
  return const_cast<OvalinFormModel*>(this)->FontField(slot);
}

int OvalinFormModel::ScrollLargeStepX() const { return settings().char_step; }

int OvalinFormModel::ScrollLargeStepY() const {
  return settings().calendar_type == CalendarType::kCenter ? settings().char_step2
                                                           : settings().char_step;
}

ScrollRange OvalinFormModel::RangeX() const {
  return PositionXRange(settings().calendar_type, form_.screen_rect());
}

ScrollRange OvalinFormModel::RangeY() const {
  return PositionYRange(settings().calendar_type, form_.screen_rect());
}

bool OvalinFormModel::IsEnabled(CheckControl control) const {
  const WorkingSettings& s = settings();
  switch (control) {
    case CheckControl::kSmallDayName:
      return day_check_enabled_;
    case CheckControl::kEmperorSmall:
      // Only the era formats of the year list can be made smaller.
      return s.year_draw >= 7 && s.year_draw != 16;
    case CheckControl::kMondayStart:
      return s.calendar_type == CalendarType::kCenter;
    case CheckControl::kMonthReverse:
      return s.calendar_style >= 6;
    case CheckControl::kReverseYearMonth:
      return s.year_draw > 0 && s.month_draw > MonthDraw::kNone;
    default:
      return true;
  }
}

bool OvalinFormModel::IsShown(CheckControl control) const {
  // A country file switches off the options that only its own calendar has no use for.
  const Definition& definition = form_.definition();
  switch (control) {
    case CheckControl::kEmperorSmall:
      return !definition.ignore_gengo;
    case CheckControl::kAutoCalcEquinox:
      return !definition.ignore_equinox;
    case CheckControl::kNoKokumin:
      return !definition.ignore_kokumin;
    default:
      return true;
  }
}

bool OvalinFormModel::YearDrawStyleEnabled() const {
  return settings().calendar_type == CalendarType::kCenter;
}

bool OvalinFormModel::MonthStepEnabled() const { return settings().calendar_style >= 6; }

bool OvalinFormModel::ColorButtonEnabled(ColorSlot slot) const {
  if (slot == ColorSlot::kShadow) return settings().shadow;
  if (slot == ColorSlot::kDaybox) return settings().day_box;
  return true;
}

bool OvalinFormModel::Checked(CheckControl control) const {
  return settings().*RowOf(control).field;
}

void OvalinFormModel::Remind(std::string_view key, std::string_view text) {
  AskConfirmation(ports_.store, ports_.prompts, form_.draw_only_run(),
                  {Prompts::ConfirmationMode::kInformation, std::string(key), false,
                   std::string(text), std::string(kConfirmCaption)});
}

bool OvalinFormModel::Ask(std::string_view key, std::string_view text) {
  return AskConfirmation(ports_.store, ports_.prompts, form_.draw_only_run(),
                         {Prompts::ConfirmationMode::kQuestion, std::string(key), true,
                          std::string(text), std::string(kConfirmCaption)});
}

void OvalinFormModel::UpdateColorButtons(bool save) {
  if (save) {
    const WorkingSettings& s = settings();
    ports_.store.WriteSetting(kWeekdayColor, ColorToText(s.weekday_color));
    ports_.store.WriteSetting(kSaturdayColor, ColorToText(s.saturday_color));
    ports_.store.WriteSetting(kSundayColor, ColorToText(s.sunday_color));
    ports_.store.WriteSetting(kTodayColor, ColorToText(s.today_color));
    ports_.store.WriteSetting(kYearMonthColor, ColorToText(s.year_month_color));
    ports_.store.WriteSetting(kHolidayColor, ColorToText(s.holiday_color));
    ports_.store.WriteSetting(kShadowColor, ColorToText(s.shadow_color));
    ports_.store.WriteSetting(kDayboxColor, ColorToText(s.daybox_color));
  }
  for (std::size_t i = 0; i < custom_colors_.size(); ++i) {
    ports_.store.WriteSetting(std::string(kCustomColorPrefix) + std::to_string(i),
                              custom_colors_[i]);
  }
}

void OvalinFormModel::LineDrawClick(CalendarType type) {
  WorkingSettings& s = working();
  s.calendar_type = type;
  ports_.store.WriteSetting(kCalendarType, std::to_string(static_cast<int>(type)));
  s.position_x = ClampToRange(s.position_x, RangeX());
  s.position_y = ClampToRange(s.position_y, RangeY());
}

void OvalinFormModel::CalendarStyleChange(int index) { working().calendar_style = index; }

void OvalinFormModel::YearMonthDrawStyleChange(int index) {
  working().year_month_draw_style = YearMonthDrawStyle{index};
}

void OvalinFormModel::TodayDrawMethodChange(int index) {
  working().today_draw_method = TodayDrawMethod{index};
}

void OvalinFormModel::YearDrawChange(int index) {
  working().year_draw = index;
  if (japanese_messages_ && index >= 4 && index <= 15) {
    Remind(kEmperorCheck, "Use Japanese font for Gengo");
  }
}

void OvalinFormModel::MonthDrawChange(int index) {
  working().month_draw = MonthDraw{index};
  if (japanese_messages_ && index == 4) {
    Remind(kMonthCheck, "Use Japanese font for Japanese months");
  }
}

void OvalinFormModel::DayDrawChange(int index) {
  working().day_draw = DayDraw{index};
  if (japanese_messages_ && index == 5) {
    Remind(kDayDrawCheck, "Use Japanese font for Japanese characters");
  }
  if (settings().same_font) day_check_enabled_ = index >= 1;
}

void OvalinFormModel::CheckClick(CheckControl control, bool checked) {
  const CheckRow row = RowOf(control);
  working().*row.field = checked;
  if (!row.writes.empty()) ports_.store.WriteSetting(row.writes, FlagText(checked));
  if (control == CheckControl::kSmallDayName && checked) {
    Remind(kDayCheck, "Use TrueType font for smaller weekdays");
  } else if (control == CheckControl::kEmperorSmall && checked) {
    Remind(kEmperorSmallCheck, "Use TrueType font for a smaller Gengo");
  } else if (control == CheckControl::kSameFont) {
    if (!checked) {
      day_check_enabled_ = false;
    } else if (settings().day_draw > DayDraw::kNone) {
      day_check_enabled_ = true;
    }
  }
}

void OvalinFormModel::PositionXChange(int value) { working().position_x = value; }
void OvalinFormModel::PositionYChange(int value) { working().position_y = value; }
void OvalinFormModel::CharStepChange(int value) { working().char_step = value; }
void OvalinFormModel::CharStep2Change(int value) { working().char_step2 = value; }
void OvalinFormModel::MonthStepChange(int value) { working().month_step = value; }
void OvalinFormModel::SlashLeanChange(int value) { working().slash_lean = value; }

void OvalinFormModel::DelaySecondsChange(int value) {
  working().delay_seconds = value;
  ports_.store.WriteSetting(kDelaySeconds, std::to_string(value));
}

void OvalinFormModel::TilePatternClick(int index) { working().tile_pattern = TilePattern{index}; }

void OvalinFormModel::SubstituteTypeClick(int index) {
  working().substitute_type = SubstituteType{index};
  ports_.store.WriteSetting(kSubstituteType, std::to_string(index));
}

void OvalinFormModel::ColorButtonClick(ColorSlot slot) {
  std::array<ColorRef, 16> custom{};
  for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = CustomColorValue(custom_colors_[i]);
  if (std::optional<ColorRef> chosen = ports_.dialogs.ChooseColor(ColorField(slot), custom)) {
    ColorField(slot) = *chosen & 0xFFFFFF;
  }
  for (std::size_t i = 0; i < custom.size(); ++i) custom_colors_[i] = CustomColorText(custom[i]);
  // Cancel too: the colours and the custom colours as the dialog left them.
  UpdateColorButtons(true);
}

void OvalinFormModel::PresetClick(ColorPreset preset) {
  const std::array<ColorRef, 8> colors = PresetColors(preset);
  for (std::size_t i = 0; i < colors.size(); ++i) ColorField(static_cast<ColorSlot>(i)) = colors[i];
  UpdateColorButtons(true);
}

void OvalinFormModel::TextColorButtonClick() {
  std::array<ColorRef, 16> custom{};
  for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = CustomColorValue(custom_colors_[i]);
  WorkingSettings& s = working();
  if (std::optional<ColorRef> chosen = ports_.dialogs.ChooseColor(s.icon_text_color, custom)) {
    s.icon_text_color = *chosen & 0xFFFFFF;
  }
  // The custom colours wait for the next colour button to be written.
  for (std::size_t i = 0; i < custom.size(); ++i) custom_colors_[i] = CustomColorText(custom[i]);
  ports_.store.WriteSetting(kIconTextColor, ColorToText(s.icon_text_color));
}

void OvalinFormModel::FontClick(FontSlot slot) {
  if (std::optional<FontSetting> chosen = ports_.dialogs.ChooseFont(FontField(slot))) {
    FontField(slot) = *chosen;
  }
}

void OvalinFormModel::TempFolderClick() {
  std::optional<std::string> folder =
      ports_.dialogs.ChooseFolder("Select Temporary Folder", form_.prepared().temp_folder);
  if (!folder || folder->empty()) return;
  std::string chosen = *folder;
  if (chosen.back() != '/') chosen += '/';
  form_.SetTempFolder(chosen);
  ports_.store.WriteSetting(kTemp, chosen);
}

void OvalinFormModel::HolidayButtonClick() {
  HolidayFormModel dialog(form_.holidays(),
                          static_cast<int>(static_cast<unsigned>(form_.today().month())),
                          ports_.shell, ports_.prompts);
  if (ports_.dialogs.EditHolidays(dialog)) form_.ReplaceHolidayLists(dialog.lists());
}

void OvalinFormModel::SpecialButtonClick(int selected_line) {
  SpecialdayFormModel dialog(form_.special_days().records(), std::max(selected_line, 0),
                             form_.today(), {ports_.prompts, ports_.dialogs, ports_.shell});
  if (ports_.dialogs.EditSpecialDays(dialog)) form_.ReplaceSpecialDays(dialog.records());
}

void OvalinFormModel::HelpClick(int page) {
  if (page < 0 || page >= static_cast<int>(kPageHelpTopics.size())) page = 0;
  OpenManualOrTell(ports_.shell, ports_.prompts, kPageHelpTopics[static_cast<std::size_t>(page)]);
}

void OvalinFormModel::HelpRightClick() {
  OpenManualOrTell(ports_.shell, ports_.prompts, std::nullopt);
}

bool OvalinFormModel::PageChange(int page) {
  working().last_modified_page = page;
  const int selected = static_cast<int>(settings().tile_pattern);
  if (ParseDecimal(ports_.store.ReadSetting(kTilePattern)).value_or(0) == selected) return true;
  ports_.dialogs.SetBusyCursor(true);
  bool written = false;
  try {
    written = form_.RebuildBaseImage();
  } catch (...) {
    ports_.dialogs.SetBusyCursor(false);
    throw;
  }
  ports_.store.WriteSetting(kTilePattern, std::to_string(selected));
  ports_.dialogs.SetBusyCursor(false);
  return written;
}

bool OvalinFormModel::DesignLoadClick() {
  if (selected_design_ < 0 || selected_design_ >= static_cast<int>(design_names_.size())) {
    return true;
  }
  const int n = selected_design_ + 1;
  const std::string& name = design_names_[static_cast<std::size_t>(selected_design_)];
  if (!IsDesignSaved(ports_.store, n)) {
    ports_.prompts.ShowMessage({std::string(kErrorCaption), "Nothing registered on " + name + " !",
                                Prompts::Icon::kExclamation, Prompts::Buttons::kOk,
                                Prompts::Answer::kOk});
    return true;
  }
  if (!Ask(kDesignLoadCheck,
           "Load " + name + ". Current setting will be discarded. Are you sure?")) {
    return true;
  }
  LoadDesignValues(ports_.store, n);
  ports_.store.WriteSetting(kLastModifiedPage, "0");
  if (!form_.ApplySettingsToWindow()) return false;
  ApplySettingsToWindow();
  return true;
}

void OvalinFormModel::DesignSaveClick() {
  if (selected_design_ < 0 || selected_design_ >= static_cast<int>(design_names_.size())) return;
  const int n = selected_design_ + 1;
  const std::string& name = design_names_[static_cast<std::size_t>(selected_design_)];
  if (!Ask(kDesignSaveCheck, "Target (" + name + ") will be replaced. Are you sure?")) return;
  SaveWindowState(ports_.store, settings());
  SaveDesignValues(ports_.store, n);
  working().last_modified_page = 0;
}

void OvalinFormModel::DesignNameChangeClick() {
  const int i = selected_design_;
  if (i < 0 || i >= static_cast<int>(design_names_.size())) return;
  std::optional<std::string> entered =
      ports_.prompts.InputBox("Rename configuration", "Configuration name", "");
  if (!entered) return;
  const auto same =
      std::find_if(design_names_.begin(), design_names_.end(),
                   [&](const std::string& name) { return EqualsIgnoreCaseAscii(name, *entered); });
  if (same != design_names_.end() && *entered != design_names_[static_cast<std::size_t>(i)]) {
    ports_.prompts.ShowMessage({std::string(kErrorCaption), "Same name already exists!",
                                Prompts::Icon::kExclamation, Prompts::Buttons::kOk,
                                Prompts::Answer::kOk});
    return;
  }
  design_names_[static_cast<std::size_t>(i)] = *entered;
  WriteDesignName(ports_.store, i + 1, *entered);
  selected_design_ = i;
}

}  // namespace orbeline
