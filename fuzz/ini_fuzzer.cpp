// libFuzzer entry for the profile (INI) reader and the definition file on top of it: any
// text must parse, every value stays within the reader's buffer, and every table the
// program draws from is filled.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calendar/definition_file.h"
#include "calendar/ini_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using orbeline::IniFile;
  const IniFile file = IniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const orbeline::Definition definition = orbeline::ReadDefinition(file);
  for (const auto* table : {&definition.month_long_names, &definition.month_short_names,
                            &definition.month_local_names, &definition.month_japanese_names}) {
    for (const std::string& name : *table) {
      if (name.size() > IniFile::kMaxValueBytes) std::abort();
    }
  }
  for (const std::string& name : definition.day_names) {
    if (name.size() > IniFile::kMaxValueBytes) std::abort();
  }
  static_cast<void>(file.ReadInteger("Default", "ObserveType", 0));
  static_cast<void>(file.ReadBool("Ignore", "Equinox", false));
  return 0;
}
