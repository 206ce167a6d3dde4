// Renders every layout (CalendarStyle 0..17) with every line-draw type (CalendarType 0..4)
// for 16 January 2026 through the Qt canvas and the real fonts, and writes them to one PNG
// contact sheet, each cell captioned with its style and type. Used to look at the
// renderer's output by eye; the image test checks that it runs.
//
//   orbeline_contact_sheet OUTPUT.png
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/definition_file.h"
#include "calendar/user_holidays.h"
#include "platform/qt_canvas.h"
#include "render/calendar_drawing.h"

namespace orbeline {
namespace {

constexpr std::uint32_t kBackground = 0xFF606060;  // neutral grey
constexpr int kScreenWidth = 2300;
constexpr int kScreenHeight = 1800;
constexpr int kSheetWidth = 2400;
constexpr int kMargin = 8;
constexpr int kCaptionHeight = 18;
constexpr const char* kTypeNames[5] = {"Top", "Left", "Right", "Bottom", "Center"};

WorkingSettings SheetSettings() {
  WorkingSettings s;
  s.weekday_color = MakeColorRef(255, 255, 255);
  s.saturday_color = MakeColorRef(120, 180, 255);
  s.sunday_color = MakeColorRef(255, 100, 100);
  s.holiday_color = MakeColorRef(255, 170, 40);
  s.today_color = MakeColorRef(200, 40, 160);
  s.year_month_color = MakeColorRef(170, 255, 170);
  s.shadow_color = MakeColorRef(0, 0, 0);
  s.daybox_color = MakeColorRef(200, 200, 200);
  s.today_draw_method = TodayDrawMethod{2};  // circle
  s.shadow = true;
  s.char_step = 20;
  s.char_step2 = 18;
  s.month_step = 12;
  s.year_draw = 19;  // 2026(R8), the era part small
  s.emperor_small = true;
  s.month_draw = MonthDraw{1};
  s.day_draw = DayDraw{1};
  s.slash_lean = 3;
  s.substitute_type = SubstituteType{1};
  s.font0 = {"Arial", 10, false, true};
  s.font1 = {"Arial", 10, false, true};
  s.font2 = {"Arial", 7, false, false};
  return s;
}

// Positions that keep every block of the type on the scratch screen.
void PlaceForType(WorkingSettings& s, int type) {
  s.calendar_type = CalendarType{type};
  s.position_x = type == 2 || type == 3 ? 40 : 10;
  s.position_y = 10;
}

struct Cell {
  std::string caption;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
};

// Draws one layout on a grey scratch screen and keeps the part that was drawn on.
Cell RenderCell(RenderContext& context, std::vector<std::uint32_t>& screen) {
  std::fill(screen.begin(), screen.end(), kBackground);
  {
    QtCanvas canvas(screen.data(), kScreenWidth, kScreenHeight, kScreenWidth * 4);
    DrawCalendar(canvas, context);
  }
  int left = kScreenWidth, top = kScreenHeight, right = 0, bottom = 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      if (screen[static_cast<std::size_t>(y * kScreenWidth + x)] == kBackground) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  }
  Cell cell;
  if (right <= left) return cell;
  left = std::max(left - kMargin, 0);
  top = std::max(top - kMargin, 0);
  right = std::min(right + kMargin, kScreenWidth);
  bottom = std::min(bottom + kMargin, kScreenHeight);
  cell.width = right - left;
  cell.height = bottom - top;
  for (int y = top; y < bottom; ++y) {
    const auto row = screen.begin() + y * kScreenWidth;
    cell.pixels.insert(cell.pixels.end(), row + left, row + right);
  }
  return cell;
}

struct Placed {
  const Cell* cell;
  int x;
  int y;
};

int Run(const char* output) {
  const Definition definition = LoadDefinitionFile(ORBELINE_SOURCE_DIR "/data/JPN.def");
  HolidayLists holidays;
  for (int m = 1; m <= 12; ++m) {
    holidays.month(m) = ParseHolidayText(definition.national_holiday_text[m - 1]);
  }
  const SpecialDays special_days;
  WorkingSettings settings = SheetSettings();
  RenderContext context{{settings, definition, holidays, special_days,
                         Rect{0, 0, kScreenWidth, kScreenHeight},
                         std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::January,
                                                     std::chrono::day{16}},
                         true}};

  std::vector<std::uint32_t> screen(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
  std::vector<Cell> cells;
  for (int type = 0; type <= 4; ++type) {
    for (int style = 0; style <= 17; ++style) {
      PlaceForType(settings, type);
      settings.calendar_style = style;
      Cell cell = RenderCell(context, screen);
      if (cell.width == 0) {
        std::fprintf(stderr, "style %d, type %s drew nothing\n", style, kTypeNames[type]);
        return 1;
      }
      cell.caption = "style " + std::to_string(style) + ", " + kTypeNames[type];
      cells.push_back(std::move(cell));
    }
  }

  // Shelves left to right; each type starts a new shelf.
  std::vector<Placed> placed;
  int x = 0, y = 0, shelf_height = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Cell& cell = cells[i];
    const int w = std::max(cell.width, 120) + kMargin;
    const int h = cell.height + kCaptionHeight + kMargin;
    if (x > 0 && (x + w > kSheetWidth || i % 18 == 0)) {
      x = 0;
      y += shelf_height;
      shelf_height = 0;
    }
    placed.push_back({&cell, x, y});
    x += w;
    shelf_height = std::max(shelf_height, h);
  }
  const int sheet_height = y + shelf_height;

  std::vector<std::uint32_t> sheet(static_cast<std::size_t>(kSheetWidth) * sheet_height,
                                   0xFF808080);
  {
    QtCanvas canvas(sheet.data(), kSheetWidth, sheet_height, kSheetWidth * 4);
    canvas.SetFont({"Arial", 9, false, true});
    for (const Placed& p : placed) {
      const int caption_width = std::max(p.cell->width, 120);
      canvas.SetPen(0x303030, 1);
      canvas.SetBrush(0x303030, BrushStyle::kSolid);
      canvas.Rectangle(p.x, p.y, p.x + caption_width, p.y + kCaptionHeight);
      canvas.DrawText(p.x + 4, p.y + 2, p.cell->caption, 0xFFFFFF);
      for (int row = 0; row < p.cell->height; ++row) {
        std::copy_n(p.cell->pixels.begin() + row * p.cell->width, p.cell->width,
                    sheet.begin() + (p.y + kCaptionHeight + row) * kSheetWidth + p.x);
      }
    }
  }
  const QImage image(reinterpret_cast<const uchar*>(sheet.data()), kSheetWidth, sheet_height,
                     kSheetWidth * 4, QImage::Format_RGB32);
  if (!image.save(output, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", output);
    return 1;
  }
  std::printf("%s: %d x %d, %zu cells\n", output, kSheetWidth, sheet_height, cells.size());
  return 0;
}

}  // namespace
}  // namespace orbeline

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  try {
    return orbeline::Run(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
