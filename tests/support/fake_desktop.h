#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "wallpaper/desktop.h"

namespace orbeline::testing {

// A desktop held in memory: values by name, a fixed screen, and a record of every write,
// installation and icon-text request.
class FakeDesktop : public Desktop {
 public:
  struct Install {
    std::string path;
    // The desktop's values at the moment the picture went in.
    std::map<std::string, std::string, std::less<>> values;
  };

  std::string Name() const override { return "fake"; }
  std::string ReadValue(std::string_view name, std::string_view fallback) const override;
  void WriteValue(std::string_view name, std::string_view text) override;
  ColorRef BackgroundColor() const override { return background; }
  Rect ScreenRectangle() const override { return screen; }
  int BitsPerPixel() const override { return bits_per_pixel; }
  Rect WorkArea() const override { return work_area; }
  // Throws Error when `fail_install` is set; stores `Wallpaper` otherwise.
  void InstallWallpaper(const std::string& path) override;
  bool ApplyIconTextColor(ColorRef color) override;
  bool ShowsStoredValueLive() const override { return live; }
  bool KeepsUsersWallpaper() const override { return false; }
  std::optional<std::string> KeptUsersWallpaper() const override { return std::nullopt; }
  bool IsOwnCopy(const std::string&) const override { return false; }

  // Sets a value without recording a write.
  void Put(std::string_view name, std::string_view text);
  std::optional<std::string> Get(std::string_view name) const;

  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::string> writes;  // "name=text", in order
  // Called after each recorded write, for tests that look at the world at that moment.
  std::function<void(std::string_view name)> on_write;
  std::vector<Install> installs;
  std::vector<ColorRef> icon_text_colors;
  ColorRef background = 0xA56E3A;
  Rect screen{0, 0, 1024, 768};
  Rect work_area{0, 0, 1024, 738};
  int bits_per_pixel = 24;
  bool live = false;
  bool fail_install = false;
};

}  // namespace orbeline::testing
