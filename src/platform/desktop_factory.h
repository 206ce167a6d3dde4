#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/gnome_desktop.h"
#include "wallpaper/desktop.h"

namespace orbeline {

struct DesktopOptions {
  // The screen for backends that cannot measure it themselves; unset: the running
  // QGuiApplication's primary screen, else 1920 x 1080 at 24 bits per pixel.
  std::optional<DesktopScreen> screen;
  // Where the GNOME backend keeps its copies of the work bitmap; empty:
  // $XDG_CACHE_HOME/orbeline.
  std::filesystem::path temp_folder;
  // This run holds the instance lock: what killed runs left behind may be removed.
  bool instance_lock_held = false;
};

// The desktop backend of this session: $ORBELINE_DESKTOP ("generic" or "gnome") when set;
// else GNOME when $XDG_CURRENT_DESKTOP names GNOME, ubuntu, Budgie or Unity and the
// org.gnome.desktop.background schema is installed; else generic. Throws Error for an
// unknown $ORBELINE_DESKTOP value, or "gnome" without the schema.
std::unique_ptr<Desktop> CreateDesktop(const DesktopOptions& options = {});

// The screen of the running QGuiApplication in physical pixels; nullopt without one.
std::optional<DesktopScreen> PrimaryScreen();

}  // namespace orbeline
