#include "calendar/definition_file.h"

#include <unistd.h>

#include <array>
#include <string>
#include <system_error>

#include "base/error.h"
#include "base/text_util.h"

namespace orbeline {
namespace {

constexpr std::string_view kDefinitionExtension = ".def";
constexpr std::string_view kDefaultDefinitionName = "ovalin.def";

// The code names a file, so only a plain word of letters may become part of a path.
bool IsPlainCode(std::string_view code) {
  if (code.empty() || code.size() > 8) return false;
  for (char c : code) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  }
  return true;
}

// A country file that cannot be read (a packaging slip: mode 0600 under /usr/share) is
// passed over like a missing one, so the next candidate still gives names and holidays.
bool IsReadableFile(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored) && access(path.c_str(), R_OK) == 0;
}

// "a,b,c..." from the first `count` names, each cut to `columns` columns (0 = whole).
template <std::size_t N>
std::string SampleCaption(const std::array<std::string, N>& names, std::size_t first,
                          std::size_t count, std::size_t columns) {
  std::string caption;
  for (std::size_t i = first; i < first + count; ++i) {
    if (i > first) caption += ',';
    caption += columns == 0 ? names[i] : Utf8PrefixColumns(names[i], columns);
  }
  return caption + "...";
}

}  // namespace

std::filesystem::path FindDefinitionFile(const std::filesystem::path& exe_dir,
                                         const std::filesystem::path& data_dir,
                                         std::string_view language_code) {
  if (IsPlainCode(language_code)) {
    std::string name = std::string(language_code) + std::string(kDefinitionExtension);
    for (const auto* dir : {&exe_dir, &data_dir}) {
      std::filesystem::path candidate = *dir / name;
      if (IsReadableFile(candidate)) return candidate;
    }
  }
  std::filesystem::path beside_program = exe_dir / kDefaultDefinitionName;
  if (IsReadableFile(beside_program)) return beside_program;
  return data_dir / kDefaultDefinitionName;
}

Definition ReadDefinition(const IniFile& file) {
  Definition definition;
  for (std::size_t k = 0; k < 12; ++k) {
    std::string key = std::to_string(k + 1);
    definition.month_long_names[k] = file.ReadString("Month.English", key, "");
    definition.month_short_names[k] = Utf8PrefixColumns(definition.month_long_names[k], 3);
    definition.month_local_names[k] = file.ReadString("Month.Local", key, "");
    definition.month_japanese_names[k] = file.ReadString("Month.Traditional", key, "");
    definition.national_holiday_text[k] = file.ReadString("NationalHoliday", key, "");
  }
  for (std::size_t k = 0; k < 7; ++k) {
    std::string key = std::to_string(k + 1);
    definition.day_names[k] = file.ReadString("DayOfWeek.English", key, "");
    definition.day_names[k + 7] = file.ReadString("DayOfWeek.Local", key, "");
  }

  definition.reverse_year_month = file.ReadBool("Default", "ReverseYearMonth", false);
  // ParseIntegerText keeps numbers within 32 bits, so the value fits.
  definition.observe_type = static_cast<int>(file.ReadInteger("Default", "ObserveType", 0));
  definition.ignore_gengo = file.ReadBool("Ignore", "Gengo", false);
  definition.ignore_equinox = file.ReadBool("Ignore", "Equinox", false);
  definition.ignore_kokumin = file.ReadBool("Ignore", "Kokumin", false);

  definition.month_draw_captions = {
      "None",
      SampleCaption(definition.month_short_names, 0, 3, 0),
      SampleCaption(definition.month_long_names, 0, 2, 0),
      "1,2,3...",
      SampleCaption(definition.month_local_names, 0, 3, 0),
      SampleCaption(definition.month_japanese_names, 0, 3, 0),
  };
  definition.day_draw_captions = {
      "None",
      SampleCaption(definition.day_names, 0, 3, 1),
      SampleCaption(definition.day_names, 0, 3, 2),
      SampleCaption(definition.day_names, 0, 3, 3),
      SampleCaption(definition.day_names, 0, 2, 0),
      SampleCaption(definition.day_names, 7, 3, 0),
  };
  return definition;
}

Definition LoadDefinitionFile(const std::filesystem::path& path) {
  // Country data is never a reason not to draw: a file that cannot be read reads as an
  // empty one, as a missing one does.
  try {
    return ReadDefinition(IniFile::Load(path));
  } catch (const Error&) {
    return ReadDefinition(IniFile());
  }
}

}  // namespace orbeline
