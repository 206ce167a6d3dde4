#include "isolated_env.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace orbeline::testing {
namespace {

std::filesystem::path MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orbeline-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

}  // namespace

IsolatedEnvironment::IsolatedEnvironment() : root_(MakeTempDir()) {
  for (const auto& dir : {home(), config_home(), cache_home(), runtime_dir()}) {
    std::filesystem::create_directories(dir);
  }
  std::filesystem::permissions(runtime_dir(), std::filesystem::perms::owner_all);
  setenv("HOME", home().c_str(), 1);
  setenv("XDG_CONFIG_HOME", config_home().c_str(), 1);
  setenv("XDG_CACHE_HOME", cache_home().c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime_dir().c_str(), 1);
}

IsolatedEnvironment::~IsolatedEnvironment() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

TempDir::TempDir() : path_(MakeTempDir()) {}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace orbeline::testing
