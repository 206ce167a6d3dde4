#pragma once

#include <filesystem>

#include "base/shell.h"

namespace orbeline {

// Opens the HTML manual in the desktop's browser at "#topic-N". The manual is looked for
// beside the executable, then in the installed data folder.
class QtShell : public Shell {
 public:
  QtShell(std::filesystem::path exe_dir, std::filesystem::path data_dir);
  void OpenManual(int topic) override;
  void OpenManualContents() override;
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
  void OpenManual(int) override {}
  void OpenManualContents() override {}
  void CloseManual() override {}
  void TrustLauncher(const std::string&) override {}
};

}  // namespace orbeline
