#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text_util.h"
#include "settings/settings_backend.h"

namespace orbeline {

// The program's settings key. Every value is text; see ReadSetting for the one read that
// writes back. Subkeys hold the saved designs.
class SettingsStore {
 public:
  explicit SettingsStore(SettingsBackend& backend) : backend_(backend) {}

  // Absent or empty reads as "0", and "0" is written back so that the store ends up
  // holding every value the program has looked at.
  std::string ReadSetting(std::string_view name);
  void WriteSetting(std::string_view name, std::string_view text);

  // The stored text, or nullopt when the value is absent. Throws Error
  // "Invalid data type for '<name>'" when the value is not a plain string.
  std::optional<std::string> ReadRaw(std::string_view name) const;
  std::optional<std::string> ReadRaw(std::string_view group, std::string_view name) const;

  // The stored text, or `fallback` when the value is absent (an empty value is returned
  // as the empty text). Nothing is written.
  std::string ReadText(std::string_view name, std::string_view fallback) const;
  std::string ReadText(std::string_view group, std::string_view name,
                       std::string_view fallback) const;

  // The stored decimal integer; `fallback` when absent or not a decimal integer.
  int ReadInteger(std::string_view name, int fallback) const;
  int ReadInteger(std::string_view group, std::string_view name, int fallback) const;

  void Write(std::string_view group, std::string_view name, std::string_view text);
  void Remove(std::string_view name);
  void Remove(std::string_view group, std::string_view name);
  bool Exists(std::string_view name) const;

  void Flush() { backend_.Flush(); }
  SettingsBackend& backend() { return backend_; }

 private:
  SettingsBackend& backend_;
};

}  // namespace orbeline
