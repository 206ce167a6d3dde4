#include "app/command_line.h"

#include <climits>
#include <string_view>

#include "base/text_util.h"

namespace orbeline {
namespace {

// "-N" with N a positive decimal integer (at most 99 characters after the minus sign).
std::optional<int> DesignNumberArgument(std::string_view argument) {
  if (argument.size() < 2 || argument.front() != '-') return std::nullopt;
  std::string_view digits = argument.substr(1, 99);
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > INT_MAX - 10) return std::nullopt;
  }
  if (value <= 0) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

int AutoDrawCode(std::string_view argument,
                 const std::function<bool(const std::string&)>& is_existing_file) {
  int code = 0;
  std::string lower = ToLowerAscii(argument);
  if (lower == "-onlydraw") code = 1;
  if (LowerExtension(argument) == ".bmp" && is_existing_file(std::string(argument))) code = 2;
  if (lower == "-random") code = 3;
  if (std::optional<int> design = DesignNumberArgument(argument)) code = *design + 10;
  return code;
}

LongOptions ParseLongOptions(const std::vector<std::string>& arguments) {
  LongOptions options;
  if (arguments.empty() || arguments.front().rfind("--", 0) != 0) return options;
  auto fail = [&](std::string message) {
    options.command = LongOptions::Command::kError;
    options.error = std::move(message);
    return options;
  };
  const std::string& first = arguments.front();
  if (first == "--help" || first == "-h") {
    options.command = LongOptions::Command::kHelp;
  } else if (first == "--version") {
    options.command = LongOptions::Command::kVersion;
  } else if (first == "--holidays") {
    if (arguments.size() != 2) return fail("--holidays takes one argument: the year");
    options.command = LongOptions::Command::kHolidays;
    options.holidays_year = arguments[1];
  } else if (first == "--preview") {
    if (arguments.size() < 2) return fail("--preview takes the PNG file to write");
    options.command = LongOptions::Command::kPreview;
    options.preview_file = arguments[1];
    for (std::size_t i = 2; i < arguments.size(); ++i) {
      if (arguments[i] == "--date" && i + 1 < arguments.size()) {
        options.preview_date = arguments[++i];
      } else {
        return fail("unexpected argument '" + arguments[i] + "' after --preview FILE");
      }
    }
  } else {
    return fail("unknown option '" + first + "'");
  }
  return options;
}

std::optional<std::chrono::year_month_day> ParseIsoDate(const std::string& text) {
  // Exactly four, two and two digits: no sign, no blank, no short field.
  static constexpr std::string_view kShape = "dddd-dd-dd";
  if (text.size() != kShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != '-') return std::nullopt;
  }
  const int year = std::stoi(text.substr(0, 4));
  const unsigned month = static_cast<unsigned>(std::stoi(text.substr(5, 2)));
  const unsigned day = static_cast<unsigned>(std::stoi(text.substr(8, 2)));
  std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                   std::chrono::day{day}};
  if (!date.ok() || year < 1 || year > 9999) return std::nullopt;
  return date;
}

std::string UsageText() {
  return "Usage: orbeline [ARGUMENT]\n"
         "Draws a calendar onto the desktop wallpaper.\n"
         "\n"
         "Without an argument the settings window opens. With one argument:\n"
         "  -OnlyDraw        draw today's calendar onto the wallpaper and end\n"
         "  -Random          the same with a saved design chosen at random\n"
         "  -N               the same with saved design number N (1..20)\n"
         "  FILE.bmp         the same, with that bitmap as the source wallpaper\n"
         "Any other argument ends the program at once.\n"
         "\n"
         "Options:\n"
         "  --help                      show this text\n"
         "  --version                   show the version\n"
         "  --holidays YEAR             print every holiday of YEAR, one YYYY-MM-DD a line\n"
         "  --preview FILE.png [--date YYYY-MM-DD]\n"
         "                              draw the calendar as a drawing would and write a\n"
         "                              PNG; nothing is installed and no setting is written\n"
         "\n"
         "Exit status:\n"
         "  0  the calendar was drawn, today's calendar was already installed, or the\n"
         "     settings window was closed\n"
         "  1  the run ended because of an error (it was shown or written to standard\n"
         "     error), or another instance is running\n"
         "  2  the command line was not understood\n";
}

}  // namespace orbeline
