#include "platform/headless_prompts.h"

#include <QCoreApplication>
#include <cstdio>

namespace orbeline {

Prompts::Answer HeadlessPrompts::ShowMessage(const Message& message) {
  std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
  std::fflush(stderr);
  return message.default_answer;
}

Prompts::ConfirmationResult HeadlessPrompts::ShowConfirmation(const std::string& caption,
                                                              const std::string& text,
                                                              ConfirmationMode, bool default_yes) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  return {default_yes, false};
}

std::optional<std::string> HeadlessPrompts::InputBox(const std::string&, const std::string&,
                                                     const std::string&) {
  return std::nullopt;
}

void HeadlessPrompts::ProcessEvents() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

void HeadlessPrompts::SetApplicationTitle(const std::string& title) { title_ = title; }

}  // namespace orbeline
