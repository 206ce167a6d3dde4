#include "render/year_month_label.h"

#include <cstddef>

#include "base/text_util.h"

namespace orbeline {
namespace {

enum class Picture { kTwoDigit, kFourDigit };

// "yy" or "yyyy".
std::string GregorianYear(Picture picture, std::chrono::year_month_day date) {
  return FormatDatePicture(picture == Picture::kTwoDigit ? "yy" : "yyyy", date,
                           EraNameCut::kWholeName);
}

// "yy(H9)" / "yyyy(H9)": the year, then the era letter and era year in parentheses.
std::string YearWithEraLetter(Picture picture, std::chrono::year_month_day date, EraNameCut g_cut) {
  return GregorianYear(picture, date) + "(" + EraLetter(date, g_cut) +
         FormatDatePicture("e", date, g_cut) + ")";
}

std::string MonthText(MonthDraw month_draw, const Definition& definition, int month) {
  const std::size_t index = static_cast<std::size_t>(month - 1);
  switch (month_draw) {
    case MonthDraw::kShortName:
      return definition.month_short_names[index];
    case MonthDraw::kLongName:
      return definition.month_long_names[index];
    case MonthDraw::kNumber:
      return std::to_string(month);
    case MonthDraw::kLocalName:
      return definition.month_local_names[index];
    case MonthDraw::kJapaneseName:
      return definition.month_japanese_names[index];
    default:
      return "";
  }
}

}  // namespace

std::string FormatYear(int year_draw, std::chrono::year_month_day date, EraNameCut g_cut) {
  auto picture = [&](const char* text) { return FormatDatePicture(text, date, g_cut); };
  switch (year_draw) {
    case 1:
      return picture("yy");
    case 2:
      return "'" + picture("yy");
    case 3:
      return picture("yyyy");
    case 4:
      return picture(R"p(ggge"年")p");
    case 5:
      return picture(R"p(yy"年")p");
    case 6:
      return picture(R"p(yyyy"年")p");
    case 7:
      return picture(R"p(yy"年("ggge")")p");
    case 8:
      return "'" + picture(R"p(yy"年("ggge")")p");
    case 9:
      return picture(R"p(yyyy"年("ggge")")p");
    case 10:
      return picture(R"p(yy"("ggge"年)")p");
    case 11:
      return "'" + picture(R"p(yy"("ggge"年)")p");
    case 12:
      return picture(R"p(yyyy"("ggge"年)")p");
    case 13:
      return picture(R"p(yy"年("ggge"年)")p");
    case 14:
      return "'" + picture(R"p(yy"年("ggge"年)")p");
    case 15:
      return picture(R"p(yyyy"年("ggge"年)")p");
    case 16:
      return EraLetter(date, g_cut) + picture("e");
    case 17:
      return YearWithEraLetter(Picture::kTwoDigit, date, g_cut);
    case 18:
      return "'" + YearWithEraLetter(Picture::kTwoDigit, date, g_cut);
    case 19:
      return YearWithEraLetter(Picture::kFourDigit, date, g_cut);
    default:
      return "";
  }
}

std::string FormatYearMonth(const WorkingSettings& settings, const Definition& definition,
                            std::chrono::year_month_day date, EraNameCut g_cut) {
  const std::string year = FormatYear(settings.year_draw, date, g_cut);
  const std::string month =
      MonthText(settings.month_draw, definition, static_cast<int>(unsigned{date.month()}));
  const char* separator = settings.month_draw == MonthDraw::kNumber ? "/" : " ";
  return settings.reverse_year_month ? month + separator + year : year + separator + month;
}

bool IsEraPartInForce(const WorkingSettings& settings) {
  const int format = settings.year_draw;
  return settings.emperor_small &&
         ((format >= 7 && format <= 15) || (format >= 17 && format <= 19));
}

std::string GetWeekdayLabel(const WorkingSettings& settings, const Definition& definition,
                            int column) {
  int i = settings.monday_start ? column + 1 : column;
  if (i >= 7) i -= 7;
  if (i < 0 || i > 6) return "";
  const std::size_t index = static_cast<std::size_t>(i);
  switch (settings.day_draw) {
    case DayDraw::kOneLetter:
    case DayDraw::kTwoLetters:
    case DayDraw::kThreeLetters:
      return Utf8PrefixColumns(definition.day_names[index],
                               static_cast<std::size_t>(settings.day_draw));
    case DayDraw::kFullName:
      return Utf8PrefixColumns(definition.day_names[index], 20);
    case DayDraw::kLocalName:
      return Utf8PrefixColumns(definition.day_names[index + 7], 10);
    default:
      return "";
  }
}

}  // namespace orbeline
