#include "base/xdg_folders.h"

#include <cstdlib>

namespace orbeline {
namespace {

std::filesystem::path AbsoluteFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr) return {};
  std::filesystem::path path(value);
  return path.is_absolute() ? path : std::filesystem::path();
}

std::filesystem::path XdgFolder(const char* variable, const char* in_home) {
  std::filesystem::path folder = AbsoluteFromEnvironment(variable);
  return folder.empty() ? HomeFolder() / in_home : folder;
}

}  // namespace

std::filesystem::path HomeFolder() {
  std::filesystem::path home = AbsoluteFromEnvironment("HOME");
  return home.empty() ? std::filesystem::path("/") : home;
}

std::filesystem::path ConfigHomeFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::filesystem::path CacheHomeFolder() { return XdgFolder("XDG_CACHE_HOME", ".cache"); }

std::filesystem::path RuntimeFolder() { return AbsoluteFromEnvironment("XDG_RUNTIME_DIR"); }

}  // namespace orbeline
