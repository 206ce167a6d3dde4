#pragma once

#include <array>
#include <optional>
#include <string>

#include "base/color_text.h"
#include "settings/font_setting.h"

namespace orbeline {

class HolidayFormModel;
class SpecialdayFormModel;

// The system dialogs the settings window opens, and its busy cursor. The window's Qt side
// shows the real dialogs; a test answers them.
class SettingsDialogs {
 public:
  virtual ~SettingsDialogs() = default;

  // The colour dialog preset with `initial` (solid colours, any colour allowed). The 16
  // custom colours are shown and come back as the user left them, OK or Cancel.
  virtual std::optional<ColorRef> ChooseColor(ColorRef initial,
                                              std::array<ColorRef, 16>& custom_colors) = 0;
  // The colour dialog preset with `initial`, solid colours only and without the part for
  // defining custom colours.
  virtual std::optional<ColorRef> ChooseSolidColor(ColorRef initial) = 0;
  // The font dialog (existing fonts only, no size limits) preset with `initial`.
  virtual std::optional<FontSetting> ChooseFont(const FontSetting& initial) = 0;
  // The folder dialog, preset with `initial` when it exists.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& initial) = 0;
  // The holiday and special-day dialogs, modal, bound to a model that holds their working
  // copy. True when the dialog closed with OK.
  virtual bool EditHolidays(HolidayFormModel& model) = 0;
  virtual bool EditSpecialDays(SpecialdayFormModel& model) = 0;
  // The hourglass over the whole application.
  virtual void SetBusyCursor(bool busy) = 0;
};

}  // namespace orbeline
