#pragma once

#include <ostream>
#include <string_view>

#include "base/prompts.h"
#include "base/shell.h"
#include "calendar/definition.h"
#include "settings/prepare_settings.h"
#include "settings/settings_store.h"

namespace orbeline {

// `orbeline --holidays YEAR`: prints every date of YEAR that the calendar marks as a
// holiday when it is drawn in that year, one YYYY-MM-DD a line in date order, and returns 0.
// The settings are prepared and loaded exactly as a start prepares and loads them (so the
// equinox days are those of YEAR), and `store` should keep its writes to itself (an overlay
// of the user's store). A YEAR that is not an integer in 1..9999 returns 2; a store whose
// holiday lists are broken returns 1 after `prompts` has said so.
int RunHolidaysCommand(std::string_view year_text, SettingsStore& store,
                       const Definition& definition, const PrepareEnvironment& environment,
                       Shell& shell, Prompts& prompts, std::ostream& out, std::ostream& err);

}  // namespace orbeline
