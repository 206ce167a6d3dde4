#pragma once

#include <filesystem>
#include <string_view>

#include "calendar/definition.h"
#include "calendar/ini_reader.h"

namespace orbeline {

// The definition file to read: <code>.def beside the program, then in the installed data
// folder; otherwise ovalin.def beside the program when it exists, else the data folder's
// ovalin.def, whether that exists or not. An empty `language_code` (no known locale) or one
// that is not a plain three-letter word skips the language candidates.
std::filesystem::path FindDefinitionFile(const std::filesystem::path& exe_dir,
                                         const std::filesystem::path& data_dir,
                                         std::string_view language_code);

// Fills a Definition from a parsed definition file. Every key is optional: a missing name
// is empty (the tables still have all their lines), a missing holiday list is empty, a
// missing or non-numeric ObserveType is 0 and a missing switch is false.
Definition ReadDefinition(const IniFile& file);

// Reads a definition file (UTF-8). A file that does not exist gives the empty definition;
// one that exists but cannot be read throws orbeline::Error naming it.
Definition LoadDefinitionFile(const std::filesystem::path& path);

}  // namespace orbeline
