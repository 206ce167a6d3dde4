#include "shell/shortcut_link.h"

#include <cctype>
#include <cstdint>
#include <fstream>
#include <span>
#include <sstream>
#include <system_error>

#include "base/durable_file.h"
#include "base/xdg_folders.h"

namespace orbeline {
namespace {

constexpr int kShowMaximized = 3;
constexpr int kShowMinimized = 7;
constexpr int kShowNormal = 9;

// A string value of a desktop entry: the escapes of the format, one line.
std::string EscapeValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  // A leading blank would be lost when the value is read back.
  if (!out.empty() && out.front() == ' ') out.replace(0, 1, "\\s");
  return out;
}

std::string ExecLine(std::string_view target, std::string_view arguments) {
  std::string line = QuoteExecWord(target);
  std::istringstream words{std::string(arguments)};
  for (std::string word; words >> word;) line += ' ' + QuoteExecWord(word);
  return line;
}

}  // namespace

std::string QuoteExecWord(std::string_view word) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string out;
  const bool quote = word.empty() || word.find_first_of(kReserved) != std::string_view::npos;
  for (char c : word) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
    // A lone % would start a field code the launcher replaces.
    if (c == '%') out += '%';
  }
  return quote ? '"' + out + '"' : out;
}

void TShortcutLink::SetHotKey(std::string_view text) {
  const unsigned char first = text.empty() ? ' ' : static_cast<unsigned char>(text.front());
  hot_key_ = first < ' ' ? ' ' : static_cast<char>(std::toupper(first));
}

void TShortcutLink::SetShowCmd(TShowCmd command) {
  switch (command) {
    case TShowCmd::scShowMaximized:
      show_cmd_ = kShowMaximized;
      break;
    case TShowCmd::scShowMinimized:
      show_cmd_ = kShowMinimized;
      break;
    case TShowCmd::scShowNormal:
      show_cmd_ = kShowNormal;
      break;
  }
}

TShowCmd TShortcutLink::ShowCmd() const {
  if (show_cmd_ == kShowMaximized) return TShowCmd::scShowMaximized;
  if (show_cmd_ == kShowMinimized) return TShowCmd::scShowMinimized;
  return TShowCmd::scShowNormal;
}

std::string TShortcutLink::DesktopEntryText() const {
  std::string name = std::filesystem::path(shortcut_file).stem().string();
  if (name.empty()) name = std::filesystem::path(target).filename().string();
  std::string text = "[Desktop Entry]\nType=Application\n";
  text += "Name=" + EscapeValue(name) + '\n';
  if (!description.empty()) text += "Comment=" + EscapeValue(description) + '\n';
  text += "Exec=" + EscapeValue(ExecLine(target, arguments)) + '\n';
  if (!working_dir.empty()) text += "Path=" + EscapeValue(working_dir) + '\n';
  if (!icon_location.empty()) text += "Icon=" + EscapeValue(icon_location) + '\n';
  if (hot_key_ != ' ') text += "X-Orbeline-HotKey=Ctrl+Alt+" + EscapeValue({&hot_key_, 1}) + '\n';
  text += "X-Orbeline-ShowCmd=" + std::to_string(show_cmd_) + '\n';
  if (icon_number != 0) text += "X-Orbeline-IconNumber=" + std::to_string(icon_number) + '\n';
  return text;
}

void TShortcutLink::CreateLink() const {
  const std::string text = DesktopEntryText();
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size());
  try {
    WriteFileAtomically(shortcut_file, std::span(&bytes, 1));
  } catch (const Error&) {
    throw EShortcutError();
  }
}

std::filesystem::path GetStartupFolder() {
  std::filesystem::path folder = ConfigHomeFolder() / "autostart";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

std::filesystem::path GetDesktopFolder() {
  std::filesystem::path folder = HomeFolder() / "Desktop";
  // XDG_DESKTOP_DIR="$HOME/Desktop" or an absolute path, as xdg-user-dir reads it.
  std::ifstream dirs(ConfigHomeFolder() / "user-dirs.dirs");
  for (std::string line; std::getline(dirs, line);) {
    constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
    if (line.rfind(kKey, 0) != 0) continue;
    std::string value = line.substr(kKey.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) {
      folder = HomeFolder() / std::filesystem::path(value.substr(5)).relative_path();
    } else if (!value.empty() && value.front() == '/') {
      folder = value;
    }
  }
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

}  // namespace orbeline
