#include "render_fixture.h"

#include "render/calendar_block.h"
#include "render/calendar_drawing.h"

namespace orbeline::testing {

RenderFixture::RenderFixture() {
  settings.weekday_color = kWeekday;
  settings.saturday_color = kSaturday;
  settings.sunday_color = kSunday;
  settings.holiday_color = kHoliday;
  settings.today_color = kToday;
  settings.year_month_color = kYearMonth;
  settings.shadow_color = kShadow;
  settings.daybox_color = kDaybox;
  settings.char_step = 30;
  settings.char_step2 = 20;
  settings.year_draw = 3;
  settings.month_draw = MonthDraw{3};
  const FontSetting font{"Arial", 10, false, false};
  settings.font = settings.font0 = settings.font1 = settings.font2 = font;

  static constexpr const char* kMonths[12] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
  static constexpr const char* kLocalMonths[12] = {"一月", "二月", "三月",   "四月",
                                                   "五月", "六月", "七月",   "八月",
                                                   "九月", "十月", "十一月", "十二月"};
  static constexpr const char* kTraditional[12] = {"睦月", "如月",   "弥生", "卯月",
                                                   "皐月", "水無月", "文月", "葉月",
                                                   "長月", "神無月", "霜月", "師走"};
  static constexpr const char* kDays[14] = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
      "日曜日", "月曜日", "火曜日",  "水曜日",    "木曜日",   "金曜日", "土曜日"};
  for (std::size_t i = 0; i < 12; ++i) {
    definition.month_long_names[i] = kMonths[i];
    definition.month_short_names[i] = std::string(kMonths[i]).substr(0, 3);
    definition.month_local_names[i] = kLocalMonths[i];
    definition.month_japanese_names[i] = kTraditional[i];
  }
  for (std::size_t i = 0; i < 14; ++i) definition.day_names[i] = kDays[i];
}

RenderContext RenderFixture::Context(std::chrono::year_month_day today) {
  return RenderContext{
      {settings, definition, holidays, special_days, Rect{0, 0, 1000, 800}, today, false},
      [this] { ++saved_count; }};
}

void RenderFixture::DrawToday(std::chrono::year_month_day today) {
  RenderContext context = Context(today);
  DrawCalendarBlock(canvas, context, TodayBlock::kYes, 0, today);
  block_width = context.block_width;
  block_height = context.block_height;
}

void RenderFixture::DrawAll(std::chrono::year_month_day today) {
  RenderContext context = Context(today);
  DrawCalendar(canvas, context);
  block_width = context.block_width;
  block_height = context.block_height;
}

std::chrono::year_month_day Date(int year, int month, int day) {
  return std::chrono::year_month_day{std::chrono::year{year},
                                     std::chrono::month{static_cast<unsigned>(month)},
                                     std::chrono::day{static_cast<unsigned>(day)}};
}

}  // namespace orbeline::testing
