#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/x11_root.h"
#include "wallpaper/desktop.h"

namespace orbeline {

// The desktop of any session without its own wallpaper settings, and of headless runs.
// The wallpaper values are emulated in an INI file (normally
// $XDG_CONFIG_HOME/Quillmere/Desktop.conf), section [desktop]: the wallpaper values by
// name, `Background` as "R G B" (default "58 110 165"), and `ScreenWidth`, `ScreenHeight`,
// `BitsPerPixel` (defaults 1920, 1080, 24) for runs without a display. Without the file, or
// without a `Wallpaper` line in it, the desktop has no picture (an empty `Wallpaper`); the
// file is created when a value is stored.
//
// When an X display is reachable ($DISPLAY), the screen, depth and work area come from it,
// and installing a wallpaper also paints the root window (see SetX11RootImage). The stored
// values and the root window are separate: writing a value never repaints.
class GenericDesktop : public Desktop {
 public:
  // Throws Error naming the file when it is not a regular file or cannot be read. Every
  // write is durable before it returns.
  explicit GenericDesktop(std::filesystem::path config_file);

  std::string Name() const override { return "generic"; }
  std::string ReadValue(std::string_view name, std::string_view fallback) const override;
  void WriteValue(std::string_view name, std::string_view text) override;
  ColorRef BackgroundColor() const override;
  Rect ScreenRectangle() const override;
  int BitsPerPixel() const override;
  Rect WorkArea() const override;
  void InstallWallpaper(const std::string& path) override;
  bool ApplyIconTextColor(ColorRef) override { return false; }
  bool ShowsStoredValueLive() const override { return false; }
  // The program's OriginalWallpaper remembers this desktop's picture.
  bool KeepsUsersWallpaper() const override { return false; }
  std::optional<std::string> KeptUsersWallpaper() const override { return std::nullopt; }
  bool IsOwnCopy(const std::string&) const override { return false; }

  const std::filesystem::path& config_file() const { return config_file_; }

 private:
  std::optional<std::string> Read(std::string_view name) const;
  int ReadNumber(std::string_view name, int fallback, int min, int max) const;
  RootImage ComposeRootImage(const std::string& path, const Rect& screen) const;

  std::filesystem::path config_file_;
  std::optional<X11ScreenInfo> display_;  // taken at construction
};

}  // namespace orbeline
