#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/clock.h"
#include "base/prompts.h"
#include "base/shell.h"
#include "settings/settings_backend.h"

namespace orbeline::testing {

// An in-memory settings store. Values put with PutOther stand for values of another type.
class MemorySettingsBackend : public SettingsBackend {
 public:
  Value Read(std::string_view group, std::string_view name) const override;
  void Write(std::string_view group, std::string_view name, std::string_view text) override;
  void Remove(std::string_view group, std::string_view name) override;
  std::vector<std::string> Names(std::string_view group) const override;
  // Keeps what is flushed, as a file on disk would; throws Error with `fail_flush`.
  void Flush() override;
  // What a killed process leaves: the values of the last Flush.
  void DropUnflushed() { values_ = flushed_; }
  bool fail_flush = false;

  void PutOther(std::string_view group, std::string_view name);
  // Value text or nullopt; "" group is the main key.
  std::optional<std::string> Get(std::string_view name, std::string_view group = "") const;
  // Every write in order, as "group/name=text".
  const std::vector<std::string>& write_log() const { return write_log_; }
  void ClearLog() { write_log_.clear(); }

 private:
  std::map<std::pair<std::string, std::string>, Value> values_;
  std::map<std::pair<std::string, std::string>, Value> flushed_;
  std::vector<std::string> write_log_;
};

// Records every prompt and answers from a queue, or with the default answer.
class RecordingPrompts : public Prompts {
 public:
  struct Shown {
    std::string kind;  // "message", "confirmation", "input"
    std::string caption;
    std::string text;
    Icon icon = Icon::kNone;
    Buttons buttons = Buttons::kOk;
  };

  Answer ShowMessage(const Message& message) override;
  ConfirmationResult ShowConfirmation(const std::string& caption, const std::string& text,
                                      ConfirmationMode mode, bool default_yes) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& initial) override;
  void Beep() override { ++beeps; }
  void ProcessEvents() override {
    ++events_processed;
    if (on_process_events) on_process_events();
  }
  void SetApplicationTitle(const std::string& title) override { titles.push_back(title); }

  std::vector<Shown> shown;
  std::vector<Answer> message_answers;                   // consumed front first
  std::vector<ConfirmationResult> confirmation_answers;  // consumed front first
  std::vector<std::optional<std::string>> input_answers;
  std::vector<std::string> titles;
  int beeps = 0;
  int events_processed = 0;
  // What arrives while events are let through (a click, a close request).
  std::function<void()> on_process_events;
};

class FakeClock : public Clock {
 public:
  explicit FakeClock(std::chrono::year_month_day today) : today_(today) {}
  std::chrono::year_month_day Today() const override { return today_; }
  std::uint32_t TickCount() const override { return ticks_ += tick_step; }
  void Sleep(std::uint32_t milliseconds) override {
    ticks_ += milliseconds;
    slept += milliseconds;
  }
  void set_ticks(std::uint32_t ticks) { ticks_ = ticks; }
  std::uint64_t slept = 0;
  void set_today(std::chrono::year_month_day today) { today_ = today; }
  std::uint32_t tick_step = 100;

 private:
  std::chrono::year_month_day today_;
  mutable std::uint32_t ticks_ = 0;
};

class FakeShell : public Shell {
 public:
  bool OpenManual(int topic) override {
    opened_topics.push_back(topic);
    return viewer_found;
  }
  bool OpenManualContents() override {
    ++contents_opened;
    return viewer_found;
  }
  std::string ManualLocation() const override { return "/usr/share/orbeline/ovalin.html"; }
  bool viewer_found = true;
  void CloseManual() override { ++closed; }
  void TrustLauncher(const std::string& path) override { trusted.push_back(path); }
  std::vector<int> opened_topics;
  std::vector<std::string> trusted;
  int contents_opened = 0;
  int closed = 0;
};

}  // namespace orbeline::testing
