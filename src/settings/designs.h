#pragma once

#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace orbeline {

inline constexpr int kDesignCount = 20;

// A design is saved when its subkey holds YearMonthDrawStyle as an integer of 0 or more.
bool IsDesignSaved(const SettingsStore& store, int n);

// Copies design n over the current settings, every design value in design order; a value
// the design lacks is written as the empty text. False when design n is not saved (nothing
// changes then). Applying the copied settings to the window is the caller's.
bool CopyDesignToCurrent(SettingsStore& store, int n);

// The names of the 20 designs for the design list; a design without a name gets
// "Configure" and its number, which is written to its subkey.
std::vector<std::string> FillDesignList(SettingsStore& store);

// The Load button's copy: every design value that design n holds as a non-empty text is
// written over the current setting; a value the design lacks leaves the setting as it is.
void LoadDesignValues(SettingsStore& store, int n);

// The Save button's copy: every design value of the current settings into design n (a
// missing or empty value is saved as "0"), which makes design n saved.
void SaveDesignValues(SettingsStore& store, int n);

// Renames design n.
void WriteDesignName(SettingsStore& store, int n, const std::string& name);

}  // namespace orbeline
