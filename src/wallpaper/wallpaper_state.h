#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/prompts.h"
#include "settings/settings_store.h"
#include "settings/working_settings.h"
#include "wallpaper/desktop.h"
#include "wallpaper/picture_layout.h"

namespace orbeline {

// File name of the work bitmap in the temp folder.
inline constexpr std::string_view kWorkBitmapFileName = "ovalin.bmp";

// Where the work bitmap lies in `temp_folder`.
std::string WorkBitmapPath(std::string_view temp_folder);

// What the program learnt at start about the user's wallpaper and how the desktop shows it.
struct WallpaperState {
  std::string source_wallpaper_path;  // SourceWallpaperPath: the picture this run draws on
  // The user's own wallpaper as the desktop named it at start (the remembered
  // OriginalWallpaper while a work bitmap was shown; empty for none): what the close puts
  // back and what OriginalWallpaper keeps, whether or not the file is there today, and never
  // a bitmap named on the command line.
  std::string desktop_wallpaper;
  std::string work_bitmap_path;        // WorkBitmapPath: temp folder + "ovalin.bmp"
  bool work_bitmap_installed = false;  // the desktop showed a work bitmap at start
  bool no_source_wallpaper = false;    // no picture file: the desktop pattern stands in
  bool tile_source = false;
  bool stretch_source = false;  // scaled to the screen, as `picture_fit` says
  PictureFit picture_fit = PictureFit::kStretch;
  std::int32_t origin_x = 0;  // WallpaperOriginX as read at start
  std::int32_t origin_y = 0;  // WallpaperOriginY as read at start
};

// The ports the wallpaper bookkeeping talks to.
struct WallpaperServices {
  Desktop& desktop;
  SettingsStore& store;  // the program's own settings
  Prompts& prompts;
  Clock& clock;
};

struct WallpaperSettingsResult {
  WallpaperState state;
  // The desktop has no `Wallpaper` value: the user was told so and the run must end.
  bool terminate = false;
};

// Reads the desktop's wallpaper values into a WallpaperState. `home_folder` resolves
// relative wallpaper names; `temp_folder` holds the work bitmap. When the installed
// picture is a work bitmap the user's own picture comes from what the desktop keeps itself
// when it does and knows one, else from `OriginalWallpaper`.
WallpaperSettingsResult ReadWallpaperSettings(WallpaperServices& services,
                                              std::string_view home_folder,
                                              std::string_view temp_folder);

// True when the file-name part of `path` is the work bitmap's name (letter case ignored).
bool IsWorkBitmapName(std::string_view path);

// Stores the user's own wallpaper as `OriginalWallpaper` so that a later run can find it while a
// work bitmap is installed, and flushes the store to disk (throwing Error when it cannot be
// written). InstallWallpaper calls it before the desktop names a work bitmap, so a run that
// never reaches its close (a crash, a logout, a power loss) cannot lose the user's wallpaper,
// and a store that cannot be written stops the installation before anything changes. A
// desktop that keeps the user's picture itself has nothing stored here (see
// Desktop::KeepsUsersWallpaper).
void RememberOriginalWallpaper(WallpaperServices& services, const WallpaperState& state);

// Whether the close keeps the work bitmap installed (the NoRestoreWallpaper check box).
enum class WallpaperAtClose { kRestore, kKeepWorkBitmap };

// The close's wallpaper steps: put the desktop's own `Wallpaper` value back as it was at
// start (the screen is left as it is) or remember the user's picture, then write back
// positive origin values. A desktop
// that shows its stored value live is never restored: the user's picture is remembered and
// Revert is the way back.
void RestoreWallpaperAtClose(WallpaperServices& services, const WallpaperState& state,
                             WallpaperAtClose mode);

// Installs a picture file as the wallpaper: the origin values read 0 while the desktop takes
// the picture and are written back afterwards (also when the installation fails); then,
// with `transparent` on, the icon labels get `icon_text_color`.
void InstallWallpaper(WallpaperServices& services, const WallpaperState& state,
                      const std::string& path, const WorkingSettings& settings);

// Lets pending events through for half a second, then asks the desktop to draw the icon
// labels in `color` without a background box.
void ApplyIconTextColor(WallpaperServices& services, ColorRef color);

// Composes the base image into the work bitmap file; false when no file was written.
using ComposeBaseImageFn = std::function<bool()>;

enum class RevertTarget {
  kSourceWallpaper,  // the user's own picture (left click)
  kBaseImage,        // the composed base image without a calendar (right click)
};

// The Revert button: compose the base image, then install the target. The caller shows
// the busy cursor and disables the main buttons around it (and re-enables them on failure).
// The user's wallpaper is the desktop's own value as the close restores it, also when its
// file is missing for now.
void RevertWallpaper(WallpaperServices& services, const WallpaperState& state,
                     const WorkingSettings& settings, RevertTarget target,
                     const ComposeBaseImageFn& compose_base_image);

// The desktop without panels, always inside the screen (the whole screen when the desktop
// reports no usable work area).
Rect GetWorkArea(const Desktop& desktop);

// The desktop colour as a 16-bit display shows it: each channel v becomes 0 when v is 0,
// else (v - 1) AND 252; other depths give the colour unchanged.
ColorRef DesktopPatternColor(const Desktop& desktop);

}  // namespace orbeline
