#include "calendar/locale_code.h"

#include <array>
#include <cstdlib>

#include "base/text_util.h"

namespace orbeline {
namespace {

struct LocaleCodeRow {
  std::string_view language;   // ISO 639 code, lower case
  std::string_view territory;  // ISO 3166 code, upper case; empty = any other territory
  std::string_view code;
};

// Windows' LOCALE_SABBREVLANGNAME values of common locales. For each language the row with
// an empty territory is the fallback and must come after that language's specific rows.
constexpr std::array kLocaleCodes = {
    LocaleCodeRow{"ar", "", "ARA"},   LocaleCodeRow{"bg", "", "BGR"},
    LocaleCodeRow{"ca", "", "CAT"},   LocaleCodeRow{"cs", "", "CSY"},
    LocaleCodeRow{"da", "", "DAN"},   LocaleCodeRow{"de", "AT", "DEA"},
    LocaleCodeRow{"de", "CH", "DES"}, LocaleCodeRow{"de", "LI", "DEC"},
    LocaleCodeRow{"de", "LU", "DEL"}, LocaleCodeRow{"de", "", "DEU"},
    LocaleCodeRow{"el", "", "ELL"},   LocaleCodeRow{"en", "AU", "ENA"},
    LocaleCodeRow{"en", "CA", "ENC"}, LocaleCodeRow{"en", "GB", "ENG"},
    LocaleCodeRow{"en", "IE", "ENI"}, LocaleCodeRow{"en", "NZ", "ENZ"},
    LocaleCodeRow{"en", "ZA", "ENS"}, LocaleCodeRow{"en", "", "ENU"},
    LocaleCodeRow{"es", "AR", "ESS"}, LocaleCodeRow{"es", "CL", "ESL"},
    LocaleCodeRow{"es", "CO", "ESO"}, LocaleCodeRow{"es", "MX", "ESM"},
    LocaleCodeRow{"es", "US", "EST"}, LocaleCodeRow{"es", "", "ESN"},
    LocaleCodeRow{"et", "", "ETI"},   LocaleCodeRow{"eu", "", "EUQ"},
    LocaleCodeRow{"fi", "", "FIN"},   LocaleCodeRow{"fr", "BE", "FRB"},
    LocaleCodeRow{"fr", "CA", "FRC"}, LocaleCodeRow{"fr", "CH", "FRS"},
    LocaleCodeRow{"fr", "LU", "FRL"}, LocaleCodeRow{"fr", "", "FRA"},
    LocaleCodeRow{"he", "", "HEB"},   LocaleCodeRow{"hr", "", "HRV"},
    LocaleCodeRow{"hu", "", "HUN"},   LocaleCodeRow{"id", "", "IND"},
    LocaleCodeRow{"is", "", "ISL"},   LocaleCodeRow{"it", "CH", "ITS"},
    LocaleCodeRow{"it", "", "ITA"},   LocaleCodeRow{"ja", "", "JPN"},
    LocaleCodeRow{"ko", "", "KOR"},   LocaleCodeRow{"lt", "", "LTH"},
    LocaleCodeRow{"lv", "", "LVI"},   LocaleCodeRow{"nb", "", "NOR"},
    LocaleCodeRow{"nl", "BE", "NLB"}, LocaleCodeRow{"nl", "", "NLD"},
    LocaleCodeRow{"nn", "", "NON"},   LocaleCodeRow{"no", "", "NOR"},
    LocaleCodeRow{"pl", "", "PLK"},   LocaleCodeRow{"pt", "BR", "PTB"},
    LocaleCodeRow{"pt", "", "PTG"},   LocaleCodeRow{"ro", "", "ROM"},
    LocaleCodeRow{"ru", "", "RUS"},   LocaleCodeRow{"sk", "", "SKY"},
    LocaleCodeRow{"sl", "", "SLV"},   LocaleCodeRow{"sv", "FI", "SVF"},
    LocaleCodeRow{"sv", "", "SVE"},   LocaleCodeRow{"th", "", "THA"},
    LocaleCodeRow{"tr", "", "TRK"},   LocaleCodeRow{"uk", "", "UKR"},
    LocaleCodeRow{"vi", "", "VIT"},   LocaleCodeRow{"zh", "HK", "ZHH"},
    LocaleCodeRow{"zh", "MO", "ZHM"}, LocaleCodeRow{"zh", "SG", "ZHI"},
    LocaleCodeRow{"zh", "TW", "CHT"}, LocaleCodeRow{"zh", "", "CHS"},
};

std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace

std::optional<std::string> LanguageCodeForLocale(std::string_view locale_name) {
  // language[_territory][.codeset][@modifier]; BCP 47's "-" is accepted as well.
  std::string_view name = locale_name.substr(0, locale_name.find_first_of(".@"));
  std::size_t separator = name.find_first_of("_-");
  std::string language = ToLowerAscii(name.substr(0, separator));
  std::string territory =
      separator == std::string_view::npos ? "" : ToUpperAscii(name.substr(separator + 1));
  for (const LocaleCodeRow& row : kLocaleCodes) {
    if (row.language == language && (row.territory.empty() || row.territory == territory)) {
      return std::string(row.code);
    }
  }
  return std::nullopt;  // also "C" and "POSIX", which are no language
}

std::optional<std::string> ThreeLetterLanguageCode() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LanguageCodeForLocale(value);
  }
  return std::nullopt;
}

}  // namespace orbeline
