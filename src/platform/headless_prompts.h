#pragma once

#include "base/prompts.h"

namespace orbeline {

// For runs nobody can answer (no display, or a draw-only run): every message goes to
// stderr as "caption: text" and every question gets its default answer at once.
class HeadlessPrompts : public Prompts {
 public:
  Answer ShowMessage(const Message& message) override;
  ConfirmationResult ShowConfirmation(const std::string& caption, const std::string& text,
                                      ConfirmationMode mode, bool default_yes) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& initial) override;
  void Beep() override {}
  void ProcessEvents() override;
  void SetApplicationTitle(const std::string& title) override;
  const std::string& title() const { return title_; }

 private:
  std::string title_;
};

}  // namespace orbeline
