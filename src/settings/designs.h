#pragma once

#include "settings/settings_store.h"

namespace orbeline {

inline constexpr int kDesignCount = 20;

// A design is saved when its subkey holds YearMonthDrawStyle as an integer of 0 or more.
bool IsDesignSaved(const SettingsStore& store, int n);

// Copies design n over the current settings, every design value in design order; a value
// the design lacks is written as the empty text. False when design n is not saved (nothing
// changes then). Applying the copied settings to the window is the caller's.
bool CopyDesignToCurrent(SettingsStore& store, int n);

}  // namespace orbeline
