#pragma once

#include <optional>
#include <string>

namespace orbeline {

// Everything that asks or tells the user something and waits: message boxes, the
// never-show confirmation dialog, the input box, the beep and letting pending window
// events through. A headless implementation answers every question with its default.
class Prompts {
 public:
  enum class Icon { kNone, kInformation, kExclamation, kQuestion, kStop };
  enum class Buttons { kOk, kOkCancel, kYesNo };
  enum class Answer { kOk, kCancel, kYes, kNo };

  struct Message {
    std::string caption;
    std::string text;
    Icon icon = Icon::kNone;
    Buttons buttons = Buttons::kOk;
    // What a run that cannot ask answers.
    Answer default_answer = Answer::kOk;
  };

  enum class ConfirmationMode { kInformation, kQuestion };
  struct ConfirmationResult {
    bool yes = false;
    bool never_show = false;
  };

  virtual ~Prompts() = default;

  virtual Answer ShowMessage(const Message& message) = 0;
  // The small dialog with the "Never Show This Confirmation" check box.
  virtual ConfirmationResult ShowConfirmation(const std::string& caption, const std::string& text,
                                              ConfirmationMode mode, bool default_yes) = 0;
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& initial) = 0;
  virtual void Beep() = 0;
  virtual void ProcessEvents() = 0;
  // The title of the application (the task bar text), e.g. "Suspend - Orbeline".
  virtual void SetApplicationTitle(const std::string& title) = 0;
};

}  // namespace orbeline
