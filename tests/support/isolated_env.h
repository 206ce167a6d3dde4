#pragma once

#include <filesystem>

namespace orbeline::testing {

// Points HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR into a fresh temporary
// folder for the life of the object, so that nothing a test does reaches the real desktop
// or the real settings. The folder is removed at the end.
class IsolatedEnvironment {
 public:
  IsolatedEnvironment();
  ~IsolatedEnvironment();
  IsolatedEnvironment(const IsolatedEnvironment&) = delete;
  IsolatedEnvironment& operator=(const IsolatedEnvironment&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path config_home() const { return root_ / "config"; }
  std::filesystem::path cache_home() const { return root_ / "cache"; }
  std::filesystem::path runtime_dir() const { return root_ / "runtime"; }
  std::filesystem::path home() const { return root_ / "home"; }

 private:
  std::filesystem::path root_;
};

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

}  // namespace orbeline::testing
