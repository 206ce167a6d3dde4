#include "render/day_color.h"

#include <optional>

namespace orbeline {

ColorRef SpecialRoleColor(const WorkingSettings& settings, int role, ColorRef own_color,
                          ColorRef current) {
  switch (role) {
    case 1:
      return own_color;
    case 2:
      return settings.sunday_color;
    case 3:
      return settings.weekday_color;
    case 4:
      return settings.saturday_color;
    case 5:
      return settings.holiday_color;
    case 6:
      return settings.today_color;
    case 7:
      return settings.year_month_color;
    case 8:
      return settings.shadow_color;
    case 9:
      return settings.daybox_color;
    default:
      return current;
  }
}

ColorRef GetDayColor(const RenderContext& context, int year, int month, int day, int today_day) {
  const WorkingSettings& settings = context.settings;
  const HolidayOptions options{settings.substitute_type, settings.no_kokumin};
  ColorRef color = settings.weekday_color;
  switch (GetDayKind(context.holidays, options, year, month, day)) {
    case DayKind::kHoliday:
      color = settings.holiday_color;
      break;
    case DayKind::kSunday:
      color = settings.sunday_color;
      break;
    case DayKind::kSaturday:
      color = settings.saturday_color;
      break;
    case DayKind::kWeekday:
      color = settings.weekday_color;
      break;
  }
  if (const std::optional<SpecialDayColor> special =
          context.special_days.FindSpecialDayColor(year, month, day)) {
    color = SpecialRoleColor(settings, special->role, special->color, color);
  }
  if (day == today_day && ColorsToday(settings.today_draw_method)) {
    color = settings.today_color;
  }
  return color;
}

}  // namespace orbeline
