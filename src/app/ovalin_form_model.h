#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "app/settings_dialogs.h"
#include "settings/working_settings.h"

namespace orbeline {

// The texts of the settings window's lists, in entry order.
inline constexpr std::array<std::string_view, 18> kCalendarStyleEntries = {
    "One month (Default)",
    "One month from a week ago",
    "One month from 2 weeks ago",
    "One month from 3 weeks ago",
    "One month ago",
    "Half a month before and after",
    "2 Months horizontal (Prev, Current)",
    "2 Months horizontal (Current, Next)",
    "2 Months vertical (Prev, Current)",
    "2 Months vertical (Current, Next)",
    "3 horz. (2 Prev Months, Current)",
    "3 horz. (Prev, Current and Next)",
    "3 horz. (Current, Next 2 Months)",
    "3 vert. (2 Prev Months, Current)",
    "3 vert. (Prev, Current and Next)",
    "3 vert. (Current, Next 2 Months)",
    "2 horz. (Half Month Before/After)",
    "2 vert. (Half Month Before/After)",
};
inline constexpr std::array<std::string_view, 4> kYearDrawStyleEntries = {
    "Center", "Align Left", "Align Right", "Left-align year and right-align month"};
inline constexpr std::array<std::string_view, 4> kYearDrawEntries = {"None", "97,98...",
                                                                     "'97,'98...", "1997,1998..."};
// The window's own month and weekday captions, used where the definition file gives none.
inline constexpr std::array<std::string_view, 6> kMonthDrawEntries = {
    "None", "Jan,Feb...", "January,February...", "1,2,3...", "", ""};
inline constexpr std::array<std::string_view, 6> kDayDrawEntries = {
    "None", "S,M,T,…", "Su,Mo,Tu,…", "Sun,Mon,Tue,…", "Sunday,Monday,…", ""};
inline constexpr std::array<std::string_view, 9> kTodayDrawMethodEntries = {
    "None",
    "Colored Date",
    "Circle",
    "Dot",
    "Box",
    "Outline Box",
    "Underline",
    "Bigger w/normal color",
    "Bigger w/Today's color"};
inline constexpr std::array<std::string_view, 3> kTilePatternEntries = {
    "Normal", "Stagger Holizontally", "Stagger Vertically"};
inline constexpr std::array<std::string_view, 5> kSubstituteTypeEntries = {
    "Don't use auto extension",
    "Japanese Style (Holiday on Monday for Sunday conflict)",
    "USA Style (Holiday on Fri for Sat conflict, Mon for Sun conflict)",
    "UK Style (Holiday on Monday for weekend conflict)",
    "Japanese Style (since 2007: next non-holiday for Sunday conflict)",
};
// The manual's topic of each settings page.
inline constexpr std::array<int, 4> kPageHelpTopics = {10, 11, 12, 32};

// The eight colour buttons, in the order of the Colors box.
enum class ColorSlot {
  kSunday,
  kWeekday,
  kSaturday,
  kHoliday,
  kToday,
  kYearMonth,
  kShadow,
  kDaybox
};
enum class ColorPreset { kBright, kDark };
// The four font sample panels: the common font and the year/month, date and weekday fonts.
enum class FontSlot { kCommon, kYearMonth, kDay, kDayOfWeek };

// The check boxes of the settings window.
enum class CheckControl {
  kShadow,
  kDayBox,
  kSmallDayName,
  kEmperorSmall,
  kMondayStart,
  kMonthReverse,
  kReverseYearMonth,
  kSameFont,
  kAutoCalcEquinox,
  kNoKokumin,
  kNoRestoreWallpaper,
  kTaskbarAdjust,
  kTransparent,
  kDelayedOnlyDraw,
};

// Captions of the controls whose text follows the line-draw type.
struct LineDrawLabels {
  std::string_view pos_x;
  std::string_view pos_y;
  std::string_view char_step;
  std::string_view char_step2;
};
LineDrawLabels LabelsForLineDrawType(CalendarType type);

// The version box's line: "Ver." + version + "(" + the three-letter language code + ")";
// a locale without a code shows the English one.
std::string VersionLine(std::string_view version, const std::optional<std::string>& language);

// The colours of a preset set, in ColorSlot order.
std::array<ColorRef, 8> PresetColors(ColorPreset preset);

// The rules of the settings window, free of any toolkit. The working copy is the main
// form's; the widgets show what this model says and call its handlers.
class OvalinFormModel {
 public:
  struct Ports {
    SettingsStore& store;
    Prompts& prompts;
    Shell& shell;
    SettingsDialogs& dialogs;
  };

  // `japanese_messages`: the window runs with Japanese message texts, the only case in
  // which the format lists remind of Japanese fonts.
  OvalinFormModel(MainForm& form, Ports ports, bool japanese_messages);

  // The window's part of applying the stored settings, after the main form has read them:
  // the colour buttons (the custom colours are written back) and the enabled states.
  void ApplySettingsToWindow();
  // The show handler's design list.
  void FillDesignList();

  const WorkingSettings& settings() const { return form_.settings(); }
  MainForm& form() { return form_; }

  // What the controls show.
  ColorRef Color(ColorSlot slot) const;
  const FontSetting& Font(FontSlot slot) const;
  int ScrollLargeStepX() const;
  int ScrollLargeStepY() const;
  ScrollRange RangeX() const;
  ScrollRange RangeY() const;
  LineDrawLabels Labels() const { return LabelsForLineDrawType(settings().calendar_type); }
  bool IsEnabled(CheckControl control) const;
  bool IsShown(CheckControl control) const;
  bool YearDrawStyleEnabled() const;
  bool MonthStepEnabled() const;  // "Months Space" and its spin editor
  bool ColorButtonEnabled(ColorSlot slot) const;
  bool TextColorButtonEnabled() const { return settings().transparent; }
  bool Checked(CheckControl control) const;
  const std::vector<std::string>& design_names() const { return design_names_; }
  int selected_design() const { return selected_design_; }

  // Handlers.
  void LineDrawClick(CalendarType type);
  void CalendarStyleChange(int index);
  void YearMonthDrawStyleChange(int index);
  void TodayDrawMethodChange(int index);
  void YearDrawChange(int index);
  void MonthDrawChange(int index);
  void DayDrawChange(int index);
  void CheckClick(CheckControl control, bool checked);
  void PositionXChange(int value);
  void PositionYChange(int value);
  void CharStepChange(int value);
  void CharStep2Change(int value);
  void MonthStepChange(int value);
  void SlashLeanChange(int value);
  void DelaySecondsChange(int value);
  void TilePatternClick(int index);
  void SubstituteTypeClick(int index);
  void ColorButtonClick(ColorSlot slot);
  void PresetClick(ColorPreset preset);
  void TextColorButtonClick();
  void FontClick(FontSlot slot);
  void TempFolderClick();
  // The holiday dialog (the button, a double click or a right press on the panel).
  void HolidayButtonClick();
  // The special-day dialog, showing the record of the selected line (-1: none selected,
  // the first record).
  void SpecialButtonClick(int selected_line);
  void HelpClick(int page);
  void HelpRightClick();
  void SelectDesign(int index) { selected_design_ = index; }
  // False when the reloaded settings ended the run (the holiday check reset the store).
  bool DesignLoadClick();
  void DesignSaveClick();
  void DesignNameChangeClick();
  // The page shown changes: a changed tiling rebuilds the base image. False when that
  // ended the run (the work bitmap could not be written).
  bool PageChange(int page);

 private:
  WorkingSettings& working() { return form_.settings(); }
  ColorRef& ColorField(ColorSlot slot);
  FontSetting& FontField(FontSlot slot);
  // Paints the colour buttons (the widgets read the colours); with `save` the eight
  // colours are written, and in every case the 16 custom colours.
  void UpdateColorButtons(bool save);
  void Remind(std::string_view key, std::string_view text);
  bool Ask(std::string_view key, std::string_view text);

  MainForm& form_;
  Ports ports_;
  bool japanese_messages_;
  std::array<std::string, 16> custom_colors_;
  bool day_check_enabled_ = false;
  std::vector<std::string> design_names_;
  int selected_design_ = 0;
};

}  // namespace orbeline
