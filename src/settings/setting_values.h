#pragma once

namespace orbeline {

// The entries of the settings that are list indexes or radio groups. A stored index the
// list does not hold is kept as it is (the list then shows no selection), so every enum
// has int as its type and may carry values beyond its names.

// CalendarType: where the days run.
enum class CalendarType : int { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3, kCenter = 4 };

inline constexpr bool IsKnownCalendarType(CalendarType type) {
  return static_cast<int>(type) >= 0 && static_cast<int>(type) <= 4;
}
// The four types that draw the days as one line (Center draws a month grid).
inline constexpr bool IsLineType(CalendarType type) { return type != CalendarType::kCenter; }
// Top and Bottom keep the distance from their edge in PositionX.
inline constexpr bool IsHorizontalLine(CalendarType type) {
  return type == CalendarType::kTop || type == CalendarType::kBottom;
}

// TodayDrawMethod: how today stands out.
enum class TodayDrawMethod : int {
  kNone = 0,
  kColoredDate = 1,
  kCircle = 2,
  kDot = 3,
  kBox = 4,
  kOutlineBox = 5,
  kUnderline = 6,
  kBigger = 7,
  kBiggerTodayColor = 8,
};

// The marks drawn around today's number (circle to underline).
inline constexpr bool DrawsTodayShape(TodayDrawMethod method) {
  return method >= TodayDrawMethod::kCircle && method <= TodayDrawMethod::kUnderline;
}
inline constexpr bool EnlargesToday(TodayDrawMethod method) {
  return method == TodayDrawMethod::kBigger || method == TodayDrawMethod::kBiggerTodayColor;
}
inline constexpr bool ColorsToday(TodayDrawMethod method) {
  return method == TodayDrawMethod::kColoredDate || method == TodayDrawMethod::kBiggerTodayColor;
}

// MonthDraw: the month in the year/month label.
enum class MonthDraw : int {
  kNone = 0,
  kShortName = 1,
  kLongName = 2,
  kNumber = 3,
  kLocalName = 4,
  kJapaneseName = 5,
};

// DayDraw: the weekday names.
enum class DayDraw : int {
  kNone = 0,
  kOneLetter = 1,
  kTwoLetters = 2,
  kThreeLetters = 3,
  kFullName = 4,
  kLocalName = 5,
};

// YearMonthDrawStyle: the label's place above a month grid.
enum class YearMonthDrawStyle : int {
  kCentred = 0,
  kLeft = 1,
  kRight = 2,
  kYearLeftMonthRight = 3,
};

// TilePattern (a radio group; -1 is nothing chosen): how a tiled wallpaper repeats.
enum class TilePattern : int { kNormal = 0, kStaggeredHorizontally = 1, kStaggeredVertically = 2 };

// SubstituteType (a radio group): the day off after a holiday on a weekend. kJapanese only
// ever moves a Sunday holiday to the Monday; kJapaneseSince2007 moves it to the first
// following day that is not a holiday, as Japan's law has it since 2007.
enum class SubstituteType : int {
  kNone = 0,
  kJapanese = 1,
  kUsa = 2,
  kUk = 3,
  kJapaneseSince2007 = 4,
};
inline constexpr SubstituteType kLastSubstituteType = SubstituteType::kJapaneseSince2007;

}  // namespace orbeline
