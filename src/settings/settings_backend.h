#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbeline {

// A registry-like key/value store: the main key (group "") and numbered subkeys
// ("1".."20") each hold named values. Values are meant to be plain strings; anything
// else that a user or another tool left there is reported as kOther so that callers can
// refuse it instead of guessing.
class SettingsBackend {
 public:
  enum class Kind { kAbsent, kString, kOther };
  struct Value {
    Kind kind = Kind::kAbsent;
    std::string text;
  };

  virtual ~SettingsBackend() = default;

  virtual Value Read(std::string_view group, std::string_view name) const = 0;
  virtual void Write(std::string_view group, std::string_view name, std::string_view text) = 0;
  // Removing a value that does not exist is not an error.
  virtual void Remove(std::string_view group, std::string_view name) = 0;
  // Names of the values present in a group.
  virtual std::vector<std::string> Names(std::string_view group) const = 0;
  // Pushes pending writes to permanent storage; reports failure by throwing.
  virtual void Flush() = 0;
};

}  // namespace orbeline
