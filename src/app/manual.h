#pragma once

#include <optional>

#include "base/prompts.h"
#include "base/shell.h"

namespace orbeline {

// Opens the manual at a topic, or its contents without one; a desktop with no program to show
// it gets a message naming the file rather than a Help button that does nothing.
void OpenManualOrTell(Shell& shell, Prompts& prompts, std::optional<int> topic);

}  // namespace orbeline
