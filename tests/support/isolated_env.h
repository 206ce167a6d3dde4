#pragma once

#include <filesystem>
#include <string>

namespace orbeline::testing {

// A fresh temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole text of a file ("" when it cannot be read).
std::string FileText(const std::filesystem::path& path);

// Points HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR into a fresh temporary
// folder for the life of the object, so that nothing a test does reaches the real desktop
// or the real settings.
class IsolatedEnvironment : public TempDir {
 public:
  IsolatedEnvironment();
  std::filesystem::path config_home() const { return path() / "config"; }
  std::filesystem::path cache_home() const { return path() / "cache"; }
  std::filesystem::path runtime_dir() const { return path() / "runtime"; }
  std::filesystem::path home() const { return path() / "home"; }
};

}  // namespace orbeline::testing
