#pragma once

#include <chrono>
#include <cstdint>

namespace orbeline {

// Today's date and a millisecond tick count; replaceable so that tests and the preview
// can fix "today".
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::year_month_day Today() const = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32 like the platform's tick count.
  virtual std::uint32_t TickCount() const = 0;
  // Lets time pass; waits that let events through call it between rounds.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

// The local calendar date of the system clock and a steady tick count.
class SystemClock : public Clock {
 public:
  std::chrono::year_month_day Today() const override;
  std::uint32_t TickCount() const override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace orbeline
