#include "base/clock.h"

#include <ctime>
#include <thread>

namespace orbeline {

std::chrono::year_month_day SystemClock::Today() const {
  // localtime_r rather than std::chrono::current_zone: it follows TZ exactly as the rest
  // of the desktop does and needs no time zone database.
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::uint32_t SystemClock::TickCount() const {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace orbeline

namespace orbeline {

void SystemClock::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace orbeline
