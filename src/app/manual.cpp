#include "app/manual.h"

namespace orbeline {

void OpenManualOrTell(Shell& shell, Prompts& prompts, std::optional<int> topic) {
  const bool opened = topic ? shell.OpenManual(*topic) : shell.OpenManualContents();
  if (opened) return;
  prompts.ShowMessage(
      {"Orbeline - Error",
       "No program could be started to show the manual.\nIt is the file " + shell.ManualLocation(),
       Prompts::Icon::kExclamation});
}

}  // namespace orbeline
