#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "settings/working_settings.h"

namespace orbeline {

// What the X display says about its default screen.
struct X11ScreenInfo {
  Rect screen;     // (0, 0, width, height) of the root window
  Rect work_area;  // _NET_WORKAREA of the current desktop, else the whole screen
  int depth = 24;
};

// Opens the display named by $DISPLAY; nullopt when none can be opened.
std::optional<X11ScreenInfo> QueryX11Screen();

// A picture for the root window: rows top-down, each pixel 0x00RRGGBB.
struct RootImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Paints the root window with `image` as hsetroot and feh do: a pixmap of the root depth
// becomes the root background, _XROOTPMAP_ID and ESETROOT_PMAP_ID name it, and it is kept
// after this program exits. A previous pixmap that both properties named is freed.
// Returns false when no display can be opened; throws Error when the server refuses.
bool SetX11RootImage(const RootImage& image);

}  // namespace orbeline
