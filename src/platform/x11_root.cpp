#include "platform/x11_root.h"

// Xlib's macros (None, Bool, Status, ...) stay inside this file.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/error.h"

namespace orbeline {
namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Collects X errors of a stretch of requests instead of letting Xlib's default handler end
// the process (a stale pixmap id in a root property is common after a crash).
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    last_error_ = 0;
    previous_ = XSetErrorHandler(&ErrorTrap::Handle);
  }
  ~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Waits for the server to handle every request so far; the error code of the last one
  // that failed, 0 when none did.
  int Sync() {
    XSync(display_, False);
    int error = last_error_;
    last_error_ = 0;
    return error;
  }

 private:
  static int Handle(Display*, XErrorEvent* event) {
    last_error_ = event->error_code;
    return 0;
  }
  static inline int last_error_ = 0;
  Display* display_;
  XErrorHandler previous_;
};

// Up to `count` 32-bit items of a root property of the given type (Xlib hands format-32
// items over as longs).
std::vector<unsigned long> ReadRootProperty(Display* display, Window root, const char* name,
                                            Atom type, long count) {
  std::vector<unsigned long> items;
  Atom atom = XInternAtom(display, name, True);
  if (atom == None) return items;
  Atom actual_type = None;
  int actual_format = 0;
  unsigned long item_count = 0;
  unsigned long bytes_after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, root, atom, 0, count, False, type, &actual_type, &actual_format,
                         &item_count, &bytes_after, &data) == Success &&
      data != nullptr && actual_type == type && actual_format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    items.assign(values, values + item_count);
  }
  if (data != nullptr) XFree(data);
  return items;
}

Rect ReadWorkArea(Display* display, Window root, const Rect& screen) {
  std::vector<unsigned long> current =
      ReadRootProperty(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL, 1);
  const long desktop = current.empty() ? 0 : static_cast<long>(current[0]);
  std::vector<unsigned long> areas =
      ReadRootProperty(display, root, "_NET_WORKAREA", XA_CARDINAL, 4 * (desktop + 1));
  if (areas.size() < static_cast<std::size_t>(4 * (desktop + 1))) return screen;
  const auto* area = &areas[4 * desktop];
  const int left = static_cast<int>(area[0]);
  const int top = static_cast<int>(area[1]);
  return Rect{left, top, left + static_cast<int>(area[2]), top + static_cast<int>(area[3])};
}

// One 8-bit channel scaled into the bits of a visual's mask.
unsigned long ScaleChannel(std::uint32_t value, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const unsigned long max = mask >> shift;
  return ((value * max + 127) / 255) << shift;
}

Pixmap CreatePixmapOf(Display* display, Window root, Visual* visual, int depth,
                      const RootImage& image) {
  XImage* ximage =
      XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                   static_cast<unsigned>(image.width), static_cast<unsigned>(image.height), 32, 0);
  if (ximage == nullptr) throw Error("Cannot create an X image for the root window");
  ximage->data = static_cast<char*>(
      std::malloc(static_cast<std::size_t>(ximage->bytes_per_line) * image.height));
  if (ximage->data == nullptr) {
    XDestroyImage(ximage);
    throw Error("Out of memory for the root-window picture");
  }
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t rgb = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      XPutPixel(ximage, x, y,
                ScaleChannel((rgb >> 16) & 0xFF, visual->red_mask) |
                    ScaleChannel((rgb >> 8) & 0xFF, visual->green_mask) |
                    ScaleChannel(rgb & 0xFF, visual->blue_mask));
    }
  }
  Pixmap pixmap = XCreatePixmap(display, root, static_cast<unsigned>(image.width),
                                static_cast<unsigned>(image.height), static_cast<unsigned>(depth));
  GC gc = XCreateGC(display, pixmap, 0, nullptr);
  XPutImage(display, pixmap, gc, ximage, 0, 0, 0, 0, static_cast<unsigned>(image.width),
            static_cast<unsigned>(image.height));
  XFreeGC(display, gc);
  XDestroyImage(ximage);
  return pixmap;
}

}  // namespace

std::optional<X11ScreenInfo> QueryX11Screen() {
  DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) return std::nullopt;
  Display* d = display.get();
  const int screen = DefaultScreen(d);
  X11ScreenInfo info;
  info.screen = Rect{0, 0, DisplayWidth(d, screen), DisplayHeight(d, screen)};
  info.depth = DefaultDepth(d, screen);
  info.work_area = ReadWorkArea(d, RootWindow(d, screen), info.screen);
  return info;
}

bool SetX11RootImage(const RootImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    throw Error("Invalid root-window picture of " + std::to_string(image.width) + " x " +
                std::to_string(image.height) + " pixels");
  }
  // A connection of its own: RetainPermanent below keeps every resource it made.
  DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) return false;
  Display* d = display.get();
  const int screen = DefaultScreen(d);
  const Window root = RootWindow(d, screen);
  Visual* visual = DefaultVisual(d, screen);
  if (visual->c_class != TrueColor) {
    throw Error("Cannot paint the root window: the X display does not use true colour");
  }

  ErrorTrap trap(d);
  Pixmap pixmap = CreatePixmapOf(d, root, visual, DefaultDepth(d, screen), image);
  if (trap.Sync() != 0) {
    XFreePixmap(d, pixmap);
    throw Error("The X server refused the root-window picture");
  }

  const Atom root_atom = XInternAtom(d, "_XROOTPMAP_ID", False);
  const Atom esetroot_atom = XInternAtom(d, "ESETROOT_PMAP_ID", False);
  std::vector<unsigned long> old_root = ReadRootProperty(d, root, "_XROOTPMAP_ID", XA_PIXMAP, 1);
  std::vector<unsigned long> old_esetroot =
      ReadRootProperty(d, root, "ESETROOT_PMAP_ID", XA_PIXMAP, 1);
  if (!old_root.empty() && old_root == old_esetroot && old_root[0] != 0) {
    // The previous setter kept its pixmap alive after exiting; free it. It may be gone
    // already, which is not an error.
    XKillClient(d, old_root[0]);
    trap.Sync();
  }

  XSetWindowBackgroundPixmap(d, root, pixmap);
  XClearWindow(d, root);
  for (Atom atom : {root_atom, esetroot_atom}) {
    XChangeProperty(d, root, atom, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pixmap), 1);
  }
  if (trap.Sync() != 0) {
    XFreePixmap(d, pixmap);
    throw Error("The X server refused the root-window background");
  }
  XSetCloseDownMode(d, RetainPermanent);
  XFlush(d);
  trap.Sync();
  return true;
}

}  // namespace orbeline
