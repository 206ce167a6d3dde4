#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/error.h"

namespace orbeline {

// How the started program's window comes up.
enum class TShowCmd { scShowMaximized, scShowMinimized, scShowNormal };

// The shortcut component's one error.
class EShortcutError : public Error {
 public:
  EShortcutError() : Error("Unable to create .desktop file") {}
};

// A launcher that starts a program: written as a freedesktop desktop entry, the form every
// Linux desktop reads for its menus, its desktop icons and the programs started at login.
class TShortcutLink {
 public:
  std::string shortcut_file;  // full path of the entry to write
  std::string target;         // the program it starts
  std::string working_dir;
  std::string description;
  std::string arguments;      // blank-separated words
  std::string icon_location;  // an icon name of the theme, or an image file's path
  int icon_number = 0;

  // The hot key's letter (Ctrl+Alt+letter): the first character of `text`, upper-cased;
  // empty text or a control character stores the blank, which means none.
  void SetHotKey(std::string_view text);
  char HotKey() const { return hot_key_; }

  void SetShowCmd(TShowCmd command);
  TShowCmd ShowCmd() const;

  // The entry's text. Desktops have no field for a hot key or a window state, so those
  // travel in X-Orbeline- keys.
  std::string DesktopEntryText() const;

  // Writes the entry to `shortcut_file`, replacing an existing entry whole or not at all.
  // Throws EShortcutError.
  void CreateLink() const;

 private:
  char hot_key_ = ' ';
  int show_cmd_ = 9;  // the platform's code of the window state, kept as it was stored
};

// Quotes one word of a command for an Exec line of a desktop entry.
std::string QuoteExecWord(std::string_view word);

// The folder of the programs started at login ($XDG_CONFIG_HOME/autostart) and the user's
// desktop folder (XDG_DESKTOP_DIR of user-dirs.dirs, else ~/Desktop); each is created when
// missing.
std::filesystem::path GetStartupFolder();
std::filesystem::path GetDesktopFolder();

}  // namespace orbeline
