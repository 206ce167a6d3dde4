#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace orbeline::testing {

// desktop-file-validate's verdict on a desktop entry: empty when the entry is clean.
inline std::string DesktopFileValidate(const std::filesystem::path& path) {
  const std::string command = "desktop-file-validate '" + path.string() + "' 2>&1";
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    if (::pclose(pipe) != 0 && output.empty()) output = "desktop-file-validate failed";
  }
  return output;
}

}  // namespace orbeline::testing
