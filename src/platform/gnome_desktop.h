#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "wallpaper/desktop.h"

typedef struct _GSettings GSettings;

namespace orbeline {

// The screen as the platform layer measured it (physical pixels).
struct DesktopScreen {
  Rect screen{0, 0, 1920, 1080};
  Rect work_area{0, 0, 1920, 1080};
  int bits_per_pixel = 24;
};

struct GnomeDesktopOptions {
  DesktopScreen screen;
  // Each installation copies the work bitmap to <copies_folder>/gnome-<n>/ovalin.bmp.
  std::filesystem::path copies_folder;
  // INI file remembering the user's own picture settings across runs, for Revert.
  std::filesystem::path state_file;
  // Remove at start, while GNOME shows one of our copies, the copies it does not show (a run
  // killed while installing leaves one); only a run holding the instance lock may.
  bool remove_stale_copies = false;
};

// GNOME and the desktops that share its settings: org.gnome.desktop.background through
// GSettings. `Wallpaper` is the file of picture-uri (picture-uri-dark under the
// "prefer-dark" colour scheme; empty when picture-options is "none"), `TileWallPaper` is "1"
// for "wallpaper", `WallpaperStyle` is "2", "6", "10" or "22" for "stretched", "scaled",
// "zoom" or "spanned" and "0" otherwise, the background colour is primary-color, and there
// is no pattern nor origin. While one of our copies is shown, the two layout values are
// those of the user's own settings.
//
// GNOME shows what picture-uri names at once and does not reload a file it already shows.
// Installing a work bitmap therefore copies it to a fresh numbered folder, points both URIs
// at the copy (keeping the user's picture-options when they show a screen-sized picture
// pixel for pixel, else "zoom") and only then removes the earlier copies. The user's own
// URIs and options are remembered first (an empty URI never replaces a remembered picture),
// and installing the user's picture again restores them all, also while its file is
// missing. Every change is read back from the settings store: a change that did not take
// (a store that cannot be written) is an Error, and its copy is removed.
class GnomeDesktop : public Desktop {
 public:
  // Whether the org.gnome.desktop.background schema is installed.
  static bool SchemaInstalled();

  // Throws Error when the schema is not installed.
  explicit GnomeDesktop(GnomeDesktopOptions options);
  ~GnomeDesktop() override;
  GnomeDesktop(const GnomeDesktop&) = delete;
  GnomeDesktop& operator=(const GnomeDesktop&) = delete;

  std::string Name() const override { return "gnome"; }
  std::string ReadValue(std::string_view name, std::string_view fallback) const override;
  // Only `Wallpaper` has a counterpart (both URIs); other writes are ignored.
  void WriteValue(std::string_view name, std::string_view text) override;
  ColorRef BackgroundColor() const override;
  Rect ScreenRectangle() const override { return options_.screen.screen; }
  int BitsPerPixel() const override { return options_.screen.bits_per_pixel; }
  Rect WorkArea() const override { return options_.screen.work_area; }
  void InstallWallpaper(const std::string& path) override;
  bool ApplyIconTextColor(ColorRef) override { return false; }
  bool ShowsStoredValueLive() const override { return true; }
  // The picture of the remembered settings, for the colour scheme in use.
  bool KeepsUsersWallpaper() const override { return true; }
  std::optional<std::string> KeptUsersWallpaper() const override;
  bool IsOwnCopy(const std::string& path) const override { return IsOurCopy(path); }

 private:
  struct PictureSettings {
    std::string uri;
    std::string dark_uri;
    std::string options;
  };
  struct SettingsDeleter {
    void operator()(GSettings* settings) const;
  };

  static std::unique_ptr<GSettings, SettingsDeleter> StoredBackground();
  PictureSettings Current() const;
  std::optional<PictureSettings> Remembered() const;
  void Remember(const PictureSettings& user) const;
  void Apply(const PictureSettings& settings);
  // `uri` may also be an absolute path.
  bool IsOurCopy(const std::string& uri) const;
  // What the picture settings show: the file of the URI for the colour scheme.
  std::string ShownPath(const PictureSettings& settings) const;
  bool PrefersDark() const;
  void InstallWorkBitmap(const std::string& path);
  void InstallPicture(const std::string& path);
  void RemoveCopiesExcept(const std::filesystem::path& keep) const;

  GnomeDesktopOptions options_;
  std::unique_ptr<GSettings, SettingsDeleter> background_;
  std::unique_ptr<GSettings, SettingsDeleter> interface_;  // null without the schema
  bool has_dark_uri_ = false;
  bool has_color_scheme_ = false;
};

}  // namespace orbeline
