#pragma once

#include <ostream>
#include <string_view>

#include "app/settings_store.h"
#include "calendar/definition.h"

namespace orbeline {

// `orbeline --holidays YEAR`: prints every date of YEAR that the calendar marks as a
// holiday with the current settings, one YYYY-MM-DD a line in date order, and returns 0.
// The store is only read. A store that has no holiday lists yet uses the definition's
// national holidays and first-run switches; the equinox days are those of `system_year`,
// as in the running program. A YEAR that is not an integer in 1..9999 returns 2; a store
// whose lists are broken or unreadable returns 1; both say why on `err`.
int RunHolidaysCommand(std::string_view year_text, const SettingsStore& store,
                       const Definition& definition, int system_year, std::ostream& out,
                       std::ostream& err);

}  // namespace orbeline
