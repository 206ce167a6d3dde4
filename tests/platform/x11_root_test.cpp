// Runs under xvfb-run (see CMakeLists.txt): paints the virtual server's root window.
#include "platform/x11_root.h"

#include <gtest/gtest.h>

#include <QImage>
#include <bit>
#include <cstdlib>
#include <fstream>

#include "base/error.h"
#include "isolated_env.h"
#include "platform/generic_desktop.h"

// Last: Xlib's macros (None, Bool, Status) break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace orbeline {
namespace {

int last_x_error = 0;
int RecordError(Display*, XErrorEvent* event) {
  last_x_error = event->error_code;
  return 0;
}

std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
  const int shift = std::countr_zero(mask);
  const unsigned long max = mask >> shift;
  return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / max);
}

class X11RootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Only ever against the virtual server ctest starts, never a real screen.
    if (std::getenv("ORBELINE_XVFB_TEST") == nullptr) GTEST_SKIP() << "run through ctest";
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
    root_ = DefaultRootWindow(display_);
    width_ = DisplayWidth(display_, DefaultScreen(display_));
    height_ = DisplayHeight(display_, DefaultScreen(display_));
    XSetErrorHandler(&RecordError);
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  unsigned long RootPixmap(const char* name) const {
    Atom atom = XInternAtom(display_, name, False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    unsigned long pixmap = 0;
    if (XGetWindowProperty(display_, root_, atom, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && count == 1) {
      pixmap = *reinterpret_cast<unsigned long*>(data);
    }
    if (data != nullptr) XFree(data);
    return pixmap;
  }
  void SetRootPixmaps(unsigned long pixmap) const {
    for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
      XChangeProperty(display_, root_, XInternAtom(display_, name, False), XA_PIXMAP, 32,
                      PropModeReplace, reinterpret_cast<unsigned char*>(&pixmap), 1);
    }
    XSync(display_, False);
  }
  bool PixmapExists(unsigned long pixmap) const {
    Window root;
    int x, y;
    unsigned width, height, border, depth;
    last_x_error = 0;
    XGetGeometry(display_, pixmap, &root, &x, &y, &width, &height, &border, &depth);
    XSync(display_, False);
    return last_x_error == 0;
  }
  // The root window as 0xRRGGBB pixels, top-down.
  std::vector<std::uint32_t> CaptureRoot() const {
    XImage* image = XGetImage(display_, root_, 0, 0, width_, height_, AllPlanes, ZPixmap);
    std::vector<std::uint32_t> pixels;
    const Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const unsigned long p = XGetPixel(image, x, y);
        pixels.push_back(Channel(p, visual->red_mask) << 16 | Channel(p, visual->green_mask) << 8 |
                         Channel(p, visual->blue_mask));
      }
    }
    XDestroyImage(image);
    return pixels;
  }
  // A BMP of pure colours (exact at every depth): quadrants red, green, blue and `fourth`.
  std::string WritePicture(const char* name, int width, int height, QRgb fourth) const {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool right = x >= width / 2;
        const bool bottom = y >= height / 2;
        image.setPixel(x, y,
                       !right && !bottom  ? 0xFF0000
                       : right && !bottom ? 0x00FF00
                       : !right           ? 0x0000FF
                                          : fourth);
      }
    }
    const std::string path = (environment_.home() / name).string();
    EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
    return path;
  }
  std::uint32_t At(const std::vector<std::uint32_t>& pixels, int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * width_ + x];
  }

  testing::IsolatedEnvironment environment_;
  Display* display_ = nullptr;
  Window root_ = 0;
  int width_ = 0;
  int height_ = 0;
};

TEST_F(X11RootTest, ScreenComesFromTheDisplay) {
  GenericDesktop desktop(environment_.config_home() / "Quillmere" / "Desktop.conf");
  EXPECT_EQ(desktop.ScreenRectangle(), (Rect{0, 0, width_, height_}));
  EXPECT_EQ(desktop.BitsPerPixel(), DefaultDepth(display_, DefaultScreen(display_)));
  EXPECT_EQ(desktop.WorkArea(), desktop.ScreenRectangle());

  // Two virtual desktops; the second is current and has a panel on top.
  Atom cardinal = XA_CARDINAL;
  long areas[8] = {0, 0, width_, height_, 0, 24, width_, height_ - 24};
  XChangeProperty(display_, root_, XInternAtom(display_, "_NET_WORKAREA", False), cardinal, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(areas), 8);
  long current = 1;
  XChangeProperty(display_, root_, XInternAtom(display_, "_NET_CURRENT_DESKTOP", False), cardinal,
                  32, PropModeReplace, reinterpret_cast<unsigned char*>(&current), 1);
  XSync(display_, False);
  ASSERT_TRUE(QueryX11Screen().has_value());
  EXPECT_EQ(QueryX11Screen()->work_area, (Rect{0, 24, width_, height_}));
  XDeleteProperty(display_, root_, XInternAtom(display_, "_NET_WORKAREA", False));
  XDeleteProperty(display_, root_, XInternAtom(display_, "_NET_CURRENT_DESKTOP", False));
  XSync(display_, False);
}

TEST_F(X11RootTest, InstallPaintsTheRootAndReplacesThePreviousPixmap) {
  GenericDesktop desktop(environment_.config_home() / "Quillmere" / "Desktop.conf");
  // A stale id left by a crashed setter must not stop us.
  SetRootPixmaps(0x7654321);

  const std::string first = WritePicture("first.bmp", width_, height_, 0xFFFFFF);
  desktop.InstallWallpaper(first);
  const unsigned long first_pixmap = RootPixmap("_XROOTPMAP_ID");
  ASSERT_NE(first_pixmap, 0u);
  EXPECT_EQ(RootPixmap("ESETROOT_PMAP_ID"), first_pixmap);
  EXPECT_TRUE(PixmapExists(first_pixmap));  // kept after our connection closed
  std::vector<std::uint32_t> pixels = CaptureRoot();
  EXPECT_EQ(At(pixels, 0, 0), 0xFF0000u);
  EXPECT_EQ(At(pixels, width_ - 1, 0), 0x00FF00u);
  EXPECT_EQ(At(pixels, 0, height_ - 1), 0x0000FFu);
  EXPECT_EQ(At(pixels, width_ - 1, height_ - 1), 0xFFFFFFu);
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, ""), first);

  const std::string second = WritePicture("ovalin.bmp", width_, height_, 0xFFFF00);
  desktop.InstallWallpaper(second);
  const unsigned long second_pixmap = RootPixmap("_XROOTPMAP_ID");
  EXPECT_NE(second_pixmap, first_pixmap);
  EXPECT_EQ(RootPixmap("ESETROOT_PMAP_ID"), second_pixmap);
  EXPECT_FALSE(PixmapExists(first_pixmap));
  pixels = CaptureRoot();
  EXPECT_EQ(At(pixels, width_ - 1, height_ - 1), 0xFFFF00u);
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, ""), second);

  // A file that is no picture changes nothing.
  const std::string broken = (environment_.home() / "broken.bmp").string();
  std::ofstream(broken) << "BM not a bitmap";
  EXPECT_THROW(desktop.InstallWallpaper(broken), Error);
  EXPECT_EQ(RootPixmap("_XROOTPMAP_ID"), second_pixmap);
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, ""), second);
}

TEST_F(X11RootTest, SmallerPicturesAreCentredOrTiledOnTheBackgroundColour) {
  GenericDesktop desktop(environment_.config_home() / "Quillmere" / "Desktop.conf");
  desktop.WriteValue("Background", "255 255 0");  // red and blue told apart
  const std::uint32_t background = 0xFFFF00;
  const std::string picture = WritePicture("small.bmp", 4, 4, 0xFFFFFF);

  desktop.InstallWallpaper(picture);
  std::vector<std::uint32_t> pixels = CaptureRoot();
  const int left = (width_ - 4) / 2;
  const int top = (height_ - 4) / 2;
  EXPECT_EQ(At(pixels, 0, 0), background);
  EXPECT_EQ(At(pixels, left, top), 0xFF0000u);
  EXPECT_EQ(At(pixels, left + 3, top + 3), 0xFFFFFFu);
  EXPECT_EQ(At(pixels, left + 4, top + 4), background);

  desktop.WriteValue(kTileWallPaperValue, "1");
  desktop.InstallWallpaper(picture);
  pixels = CaptureRoot();
  EXPECT_EQ(At(pixels, 8, 8), 0xFF0000u);
  EXPECT_EQ(At(pixels, 10, 8), 0x00FF00u);
  EXPECT_EQ(At(pixels, 11, 11), 0xFFFFFFu);

  desktop.InstallWallpaper("");
  EXPECT_EQ(At(CaptureRoot(), 8, 8), background);
}

}  // namespace
}  // namespace orbeline
