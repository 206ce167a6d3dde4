#pragma once

#include <filesystem>
#include <string>

#include "app/main_form.h"
#include "base/prompts.h"
#include "base/shell.h"
#include "settings/settings_store.h"
#include "shell/shortcut_link.h"

namespace orbeline {

// The desktop entry on the user's desktop.
inline constexpr std::string_view kDesktopShortcutName = "Orbeline.desktop";

// The launchers of the program: the login entry that draws today's calendar ("-OnlyDraw"),
// the desktop entry that opens the settings window, and the offer of the login entry when
// an interactive start finds it missing. A launcher that cannot be written raises
// EShortcutError for the window's general error report.
class ShortcutCommands {
 public:
  ShortcutCommands(MainForm& form, SettingsStore& store, Prompts& prompts, Shell& shell);

  // The Misc. page's Startup button: the login entry named by StartupFileName.
  void StartUpButtonClick();
  // The Misc. page's Desktop button: an entry on the desktop, executable and trusted, so the
  // file manager starts it.
  void DesktopButtonClick();
  // The show handler of an interactive run: when the login entry of the fixed name is
  // missing, the never-show question whether to add it; on Yes it is written, silently.
  void StartupOffer();

 private:
  // A launcher of this program at `file`.
  TShortcutLink ProgramLink(const std::filesystem::path& file, std::string arguments) const;
  bool AskYesNo(const std::string& text);
  void TellCreated();

  MainForm& form_;
  SettingsStore& store_;
  Prompts& prompts_;
  Shell& shell_;
};

}  // namespace orbeline
