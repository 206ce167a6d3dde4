#include "isolated_env.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace orbeline::testing {

std::string FileText(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orbeline-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

IsolatedEnvironment::IsolatedEnvironment() {
  const std::pair<const char*, std::filesystem::path> folders[] = {
      {"HOME", home()},
      {"XDG_CONFIG_HOME", config_home()},
      {"XDG_CACHE_HOME", cache_home()},
      {"XDG_RUNTIME_DIR", runtime_dir()}};
  for (const auto& [variable, folder] : folders) {
    std::filesystem::create_directories(folder);
    setenv(variable, folder.c_str(), 1);
  }
  std::filesystem::permissions(runtime_dir(), std::filesystem::perms::owner_all);
}

}  // namespace orbeline::testing
