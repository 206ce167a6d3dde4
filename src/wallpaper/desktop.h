#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/color_text.h"
#include "settings/working_settings.h"

namespace orbeline {

// Names of the desktop's wallpaper values, as the Windows desktop key spells them.
inline constexpr std::string_view kWallpaperValue = "Wallpaper";
inline constexpr std::string_view kTileWallPaperValue = "TileWallPaper";
inline constexpr std::string_view kWallpaperStyleValue = "WallpaperStyle";
inline constexpr std::string_view kWallpaperOriginXValue = "WallpaperOriginX";
inline constexpr std::string_view kWallpaperOriginYValue = "WallpaperOriginY";
inline constexpr std::string_view kPatternValue = "Pattern";

// Everything the program reads or writes about the desktop it draws on. One backend is
// chosen at start (see platform/desktop_factory.h); the core never asks which one.
// Operations that fail throw orbeline::Error with a message naming the file or value.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Short backend name for messages and logs ("generic", "gnome").
  virtual std::string Name() const = 0;

  // The stored text of a wallpaper value (the names above), or `fallback` when the backend
  // holds no such value. Reading never writes.
  virtual std::string ReadValue(std::string_view name, std::string_view fallback) const = 0;
  // Stores a wallpaper value without changing what the screen shows. A backend with no
  // counterpart for a value ignores the write (and keeps reading `fallback` for it).
  virtual void WriteValue(std::string_view name, std::string_view text) = 0;

  // The desktop background colour (shown where no picture covers the screen).
  virtual ColorRef BackgroundColor() const = 0;
  // The whole desktop, panels included: (0, 0, width, height).
  virtual Rect ScreenRectangle() const = 0;
  virtual int BitsPerPixel() const = 0;
  // The desktop without panels and docks; the whole screen when nothing is reserved.
  virtual Rect WorkArea() const = 0;

  // Shows the picture file at `path` as the wallpaper now and stores `path` as the
  // `Wallpaper` value; the empty path means no picture (the background colour). A picture of
  // the user's that is missing for now (a drive not mounted yet) is named all the same, and
  // the colour shows until it is back; a work bitmap must exist. On failure nothing changes
  // and Error is thrown.
  virtual void InstallWallpaper(const std::string& path) = 0;

  // Gives the desktop's icon labels this text colour and no background box. Returns false
  // when the desktop has no icon view it can reach (then nothing is done).
  virtual bool ApplyIconTextColor(ColorRef color) = 0;

  // True when the desktop always shows what the stored `Wallpaper` value names, at once:
  // values written at close would change the screen, so the close must neither restore the
  // values nor delete an installed work bitmap. False when stored values and the screen are
  // separate (restoring values leaves the screen as it is).
  virtual bool ShowsStoredValueLive() const = 0;

  // True when this backend keeps the user's own wallpaper settings itself while it shows a
  // work bitmap (GNOME keeps them beside the program's settings, for Revert). The program's
  // `OriginalWallpaper` then belongs to the desktops that keep none: a run on this desktop
  // neither writes it nor needs it while it knows the picture, so a run on another desktop
  // (a cron job, a second session) cannot make either lose the user's picture.
  virtual bool KeepsUsersWallpaper() const = 0;
  // The user's own picture as this backend keeps it (the empty text: no picture); nullopt
  // when it keeps none, or has not kept one yet.
  virtual std::optional<std::string> KeptUsersWallpaper() const = 0;
  // True when `path` is one of the copies of the work bitmap this backend shows in its place
  // (GNOME shows each drawing from a fresh path).
  virtual bool IsOwnCopy(const std::string& path) const = 0;
};

}  // namespace orbeline
