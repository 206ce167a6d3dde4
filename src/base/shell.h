#pragma once

#include <string>

namespace orbeline {

// The desktop shell: the manual, the special folders and opening addresses.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the HTML manual at a topic number (1 is the introduction); false when no program
  // could be started to show it.
  virtual bool OpenManual(int topic) = 0;
  // Opens the manual's contents.
  virtual bool OpenManualContents() = 0;
  // Where the manual is, for a user who must open it by hand.
  virtual std::string ManualLocation() const = 0;
  // Closes a manual viewer this program opened, where the platform can.
  virtual void CloseManual() = 0;
  // Tells the file manager that a launcher this program wrote on the desktop may be started
  // (GNOME refuses to start an untrusted one); nothing where there is no such notion.
  virtual void TrustLauncher(const std::string& path) = 0;
};

}  // namespace orbeline
