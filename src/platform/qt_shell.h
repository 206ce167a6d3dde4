#pragma once

#include <filesystem>

#include "base/shell.h"

namespace orbeline {

// Opens the HTML manual in the desktop's browser at "#topic-N". The manual is looked for
// beside the executable, then in the installed data folder.
class QtShell : public Shell {
 public:
  QtShell(std::filesystem::path exe_dir, std::filesystem::path data_dir);
  bool OpenManual(int topic) override;
  bool OpenManualContents() override;
  std::string ManualLocation() const override { return ManualPath().string(); }
  // A browser tab is not ours to close.
  void CloseManual() override {}
  void TrustLauncher(const std::string& path) override;

 private:
  std::filesystem::path ManualPath() const;
  std::filesystem::path exe_dir_;
  std::filesystem::path data_dir_;
};

// For runs without a display: there is nobody to read the manual.
class HeadlessShell : public Shell {
 public:
  bool OpenManual(int) override { return true; }
  bool OpenManualContents() override { return true; }
  std::string ManualLocation() const override { return {}; }
  void CloseManual() override {}
  void TrustLauncher(const std::string&) override {}
};

}  // namespace orbeline
