#pragma once

#include <stdexcept>
#include <string>

namespace orbeline {

// An error that stops the operation in progress; its message is shown to the user as is
// by the one general error report (a message box, or stderr in a headless run).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orbeline
