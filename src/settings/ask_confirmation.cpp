#include "settings/ask_confirmation.h"

namespace orbeline {

bool AskConfirmation(SettingsStore& store, Prompts& prompts, bool suppressed,
                     const ConfirmationRequest& request) {
  if (suppressed) return request.default_answer;
  if (store.ReadSetting(request.key) == "1") return request.default_answer;
  Prompts::ConfirmationResult result =
      prompts.ShowConfirmation(request.caption, request.text, request.mode, request.default_answer);
  if (result.never_show) store.WriteSetting(request.key, "1");
  return request.mode == Prompts::ConfirmationMode::kQuestion && result.yes;
}

}  // namespace orbeline
