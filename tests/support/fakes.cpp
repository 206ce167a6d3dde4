#include "fakes.h"

#include "base/error.h"

namespace orbeline::testing {

SettingsBackend::Value MemorySettingsBackend::Read(std::string_view group,
                                                   std::string_view name) const {
  auto it = values_.find({std::string(group), std::string(name)});
  if (it == values_.end()) return {};
  return it->second;
}

void MemorySettingsBackend::Write(std::string_view group, std::string_view name,
                                  std::string_view text) {
  values_[{std::string(group), std::string(name)}] = {Kind::kString, std::string(text)};
  write_log_.push_back(std::string(group) + "/" + std::string(name) + "=" + std::string(text));
}

void MemorySettingsBackend::Remove(std::string_view group, std::string_view name) {
  values_.erase({std::string(group), std::string(name)});
}

std::vector<std::string> MemorySettingsBackend::Names(std::string_view group) const {
  std::vector<std::string> names;
  for (const auto& [key, value] : values_) {
    if (key.first == group) names.push_back(key.second);
  }
  return names;
}

void MemorySettingsBackend::Flush() {
  if (fail_flush) throw Error("Cannot write the settings file");
  flushed_ = values_;
}

void MemorySettingsBackend::PutOther(std::string_view group, std::string_view name) {
  values_[{std::string(group), std::string(name)}] = {Kind::kOther, "@Variant(...)"};
}

std::optional<std::string> MemorySettingsBackend::Get(std::string_view name,
                                                      std::string_view group) const {
  auto it = values_.find({std::string(group), std::string(name)});
  if (it == values_.end() || it->second.kind != Kind::kString) return std::nullopt;
  return it->second.text;
}

Prompts::Answer RecordingPrompts::ShowMessage(const Message& message) {
  shown.push_back({"message", message.caption, message.text, message.icon, message.buttons});
  if (message_answers.empty()) return message.default_answer;
  Answer answer = message_answers.front();
  message_answers.erase(message_answers.begin());
  return answer;
}

Prompts::ConfirmationResult RecordingPrompts::ShowConfirmation(const std::string& caption,
                                                               const std::string& text,
                                                               ConfirmationMode mode,
                                                               bool default_yes) {
  shown.push_back({"confirmation", caption, text,
                   mode == ConfirmationMode::kQuestion ? Icon::kQuestion : Icon::kInformation,
                   mode == ConfirmationMode::kQuestion ? Buttons::kYesNo : Buttons::kOk});
  if (confirmation_answers.empty()) return {default_yes, false};
  ConfirmationResult answer = confirmation_answers.front();
  confirmation_answers.erase(confirmation_answers.begin());
  return answer;
}

std::optional<std::string> RecordingPrompts::InputBox(const std::string& caption,
                                                      const std::string& prompt,
                                                      const std::string& initial) {
  shown.push_back({"input", caption, prompt, Icon::kNone, Buttons::kOkCancel});
  if (input_answers.empty()) return initial;
  std::optional<std::string> answer = input_answers.front();
  input_answers.erase(input_answers.begin());
  return answer;
}

}  // namespace orbeline::testing
