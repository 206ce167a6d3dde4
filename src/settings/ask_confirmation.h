#pragma once

#include <string>

#include "base/prompts.h"
#include "settings/settings_store.h"

namespace orbeline {

// Questions and reminders the user may silence, each under its own never-show key.
// A draw-only run, or one applying the stored settings to the window, gets the default
// answer without anything shown or written; so does a key holding "1".
struct ConfirmationRequest {
  Prompts::ConfirmationMode mode = Prompts::ConfirmationMode::kInformation;
  std::string key;
  bool default_answer = false;
  std::string text;
  std::string caption;
};

bool AskConfirmation(SettingsStore& store, Prompts& prompts, bool suppressed,
                     const ConfirmationRequest& request);

}  // namespace orbeline
