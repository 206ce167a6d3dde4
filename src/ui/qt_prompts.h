#pragma once

#include <QMessageBox>
#include <memory>

#include "base/prompts.h"

namespace orbeline {

// The box ShowMessage shows, with its buttons and the default one.
std::unique_ptr<QMessageBox> MakeMessageBox(const Prompts::Message& message);

// Message boxes, the never-show confirmation and the input box as Qt dialogs.
class QtPrompts : public Prompts {
 public:
  Answer ShowMessage(const Message& message) override;
  ConfirmationResult ShowConfirmation(const std::string& caption, const std::string& text,
                                      ConfirmationMode mode, bool default_yes) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& initial) override;
  void Beep() override;
  void ProcessEvents() override;
  void SetApplicationTitle(const std::string& title) override;
};

}  // namespace orbeline
