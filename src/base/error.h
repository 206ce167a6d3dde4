#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace orbeline {

// An error that stops the operation in progress; its message is shown to the user as is
// by the one general error report (a message box, or stderr in a headless run).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the user is told when memory ran out: std::bad_alloc's own text names nothing a user
// could act on.
inline constexpr char kOutOfMemoryText[] =
    "The computer ran out of memory. Close other programs and retry.";

// The text a user is shown for an error that stopped an operation.
inline std::string ErrorText(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return kOutOfMemoryText;
  return error.what();
}

}  // namespace orbeline
