// Runs under xvfb-run (see CMakeLists.txt): paints the virtual server's root window.
#include "platform/x11_root.h"

#include <gtest/gtest.h>

#include <QImage>
#include <bit>
#include <cstdlib>
#include <fstream>
#include <optional>

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
    desktop_.emplace(environment_.config_home() / "Quillmere" / "Desktop.conf");
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  // Sets (count > 0) or reads the first value of a root property.
  long Property(const char* name, Atom type, long* values = nullptr, int count = 0) const {
    const Atom atom = XInternAtom(display_, name, False);
    if (count > 0) {
      XChangeProperty(display_, root_, atom, type, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(values), count);
      XSync(display_, False);
      return 0;
    }
    Atom actual;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    long value = 0;
    if (XGetWindowProperty(display_, root_, atom, 0, 1, False, type, &actual, &format, &items,
                           &after, &data) == Success &&
        data != nullptr && items == 1) {
      value = *reinterpret_cast<long*>(data);
    }
    if (data != nullptr) XFree(data);
    return value;
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
  // The root window's pixel as 0xRRGGBB.
  std::uint32_t At(int x, int y) const {
    XImage* image = XGetImage(display_, root_, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    const Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
    std::uint32_t rgb = 0;
    for (const unsigned long mask : {visual->red_mask, visual->green_mask, visual->blue_mask}) {
      const int shift = std::countr_zero(mask);
      rgb =
          rgb << 8 | static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / (mask >> shift));
    }
    return rgb;
  }
  // A BMP of pure colours (exact at every depth): quadrants red, green, blue and `fourth`.
  std::string WritePicture(const char* name, int width, int height, QRgb fourth) const {
    QImage image(width, height, QImage::Format_RGB32);
    const QRgb quadrants[] = {0xFF0000, 0x00FF00, 0x0000FF, fourth};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        image.setPixel(x, y, quadrants[(x >= width / 2) + 2 * (y >= height / 2)]);
      }
    }
    const std::string path = (environment_.home() / name).string();
    EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
    return path;
  }

  testing::IsolatedEnvironment environment_;
  std::optional<GenericDesktop> desktop_;  // made once the test knows it runs on Xvfb
  Display* display_ = nullptr;
  Window root_ = 0;
  int width_ = 0;
  int height_ = 0;
};

TEST_F(X11RootTest, ScreenComesFromTheDisplay) {
  EXPECT_EQ(desktop_->BitsPerPixel(), DefaultDepth(display_, DefaultScreen(display_)));
  EXPECT_EQ(desktop_->WorkArea(), (Rect{0, 0, width_, height_}));

  // Two virtual desktops; the second is current and has a panel on top.
  long areas[8] = {0, 0, width_, height_, 0, 24, width_, height_ - 24};
  Property("_NET_WORKAREA", XA_CARDINAL, areas, 8);
  long current = 1;
  Property("_NET_CURRENT_DESKTOP", XA_CARDINAL, &current, 1);
  ASSERT_TRUE(QueryX11Screen().has_value());
  EXPECT_EQ(QueryX11Screen()->work_area, (Rect{0, 24, width_, height_}));
  XDeleteProperty(display_, root_, XInternAtom(display_, "_NET_WORKAREA", False));
  XDeleteProperty(display_, root_, XInternAtom(display_, "_NET_CURRENT_DESKTOP", False));
  XSync(display_, False);
}

TEST_F(X11RootTest, InstallPaintsTheRootAndReplacesThePreviousPixmap) {
  // A stale id left by a crashed setter must not stop us.
  long stale = 0x7654321;
  Property("_XROOTPMAP_ID", XA_PIXMAP, &stale, 1);
  Property("ESETROOT_PMAP_ID", XA_PIXMAP, &stale, 1);

  const std::string first = WritePicture("first.bmp", width_, height_, 0xFFFFFF);
  desktop_->InstallWallpaper(first);
  const long first_pixmap = Property("_XROOTPMAP_ID", XA_PIXMAP);
  ASSERT_NE(first_pixmap, 0);
  EXPECT_TRUE(PixmapExists(first_pixmap));  // kept after our connection closed
  EXPECT_EQ((std::vector<std::uint32_t>{At(0, 0), At(width_ - 1, 0), At(0, height_ - 1),
                                        At(width_ - 1, height_ - 1)}),
            (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
  EXPECT_EQ(desktop_->ReadValue(kWallpaperValue, ""), first);

  const std::string second = WritePicture("ovalin.bmp", width_, height_, 0xFFFF00);
  desktop_->InstallWallpaper(second);
  const long second_pixmap = Property("_XROOTPMAP_ID", XA_PIXMAP);
  EXPECT_NE(second_pixmap, first_pixmap);
  EXPECT_EQ(Property("ESETROOT_PMAP_ID", XA_PIXMAP), second_pixmap);
  EXPECT_FALSE(PixmapExists(first_pixmap));
  EXPECT_EQ(At(width_ - 1, height_ - 1), 0xFFFF00u);

  // A file that is no picture changes nothing.
  const std::string broken = (environment_.home() / "broken.bmp").string();
  std::ofstream(broken) << "BM not a bitmap";
  EXPECT_THROW(desktop_->InstallWallpaper(broken), Error);
  EXPECT_EQ(Property("_XROOTPMAP_ID", XA_PIXMAP), second_pixmap);
  EXPECT_EQ(desktop_->ReadValue(kWallpaperValue, ""), second);
}

TEST_F(X11RootTest, SmallerPicturesAreCentredOrTiledOnTheBackgroundColour) {
  desktop_->WriteValue("Background", "255 255 0");  // red and blue told apart
  const std::uint32_t background = 0xFFFF00;
  const std::string picture = WritePicture("small.bmp", 4, 4, 0xFFFFFF);

  desktop_->InstallWallpaper(picture);
  const int left = (width_ - 4) / 2;
  const int top = (height_ - 4) / 2;
  EXPECT_EQ(At(left, top), 0xFF0000u);
  EXPECT_EQ(At(left + 3, top + 3), 0xFFFFFFu);
  EXPECT_EQ(At(left + 4, top + 4), background);

  desktop_->WriteValue(kTileWallPaperValue, "1");
  desktop_->InstallWallpaper(picture);
  EXPECT_EQ(At(8, 8), 0xFF0000u);
  EXPECT_EQ(At(11, 11), 0xFFFFFFu);

  // The desktop styles keep the picture's shape: fit inside, or cover and crop.
  desktop_->WriteValue(kTileWallPaperValue, "0");
  desktop_->WriteValue(kWallpaperStyleValue, "6");
  desktop_->InstallWallpaper(picture);
  const int fit_left = (width_ - height_) / 2;
  EXPECT_EQ(At(fit_left - 1, 0), background);
  EXPECT_EQ(At(fit_left, 0), 0xFF0000u);
  desktop_->WriteValue(kWallpaperStyleValue, "10");
  desktop_->InstallWallpaper(picture);
  EXPECT_EQ(At(0, 0), 0xFF0000u);
  EXPECT_EQ(At(width_ - 1, height_ - 1), 0xFFFFFFu);

  desktop_->InstallWallpaper("");
  EXPECT_EQ(At(8, 8), background);
}

}  // namespace
}  // namespace orbeline
