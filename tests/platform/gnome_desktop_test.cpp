#include "platform/gnome_desktop.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/error.h"
#include "fakes.h"
#include "isolated_env.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {
namespace {

constexpr char kBackground[] = "org.gnome.desktop.background";

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string PathOf(const std::string& uri) {
  gchar* path = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
  std::string result = path ? path : "";
  g_free(path);
  return result;
}

std::string UriOf(const std::filesystem::path& path) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string result = uri;
  g_free(uri);
  return result;
}

// GSettings in a key file under the test's own XDG_CONFIG_HOME (the test main isolates it
// before GLib first reads it), so the developer's desktop is never touched.
class GnomeDesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("GSETTINGS_BACKEND", "keyfile", 1); }

  void SetUp() override {
    background_ = g_settings_new(kBackground);
    interface_ = g_settings_new("org.gnome.desktop.interface");
    for (const char* key :
         {"picture-uri", "picture-uri-dark", "picture-options", "primary-color"}) {
      g_settings_reset(background_, key);
    }
    g_settings_reset(interface_, "color-scheme");
    light_ = folder_.path() / "pictures" / "light sea.jpg";
    dark_ = folder_.path() / "pictures" / "dark.png";
    work_ = folder_.path() / "temp" / "ovalin.bmp";
    for (const auto& file : {light_, dark_, work_}) {
      std::filesystem::create_directories(file.parent_path());
      std::ofstream(file) << file.filename().string();
    }
    SetUser("spanned");
  }
  void TearDown() override {
    g_object_unref(background_);
    g_object_unref(interface_);
  }

  GnomeDesktopOptions Options() const {
    GnomeDesktopOptions options;
    options.screen.screen = {0, 0, 1280, 800};
    options.screen.work_area = {0, 32, 1280, 800};
    options.screen.bits_per_pixel = 24;
    options.copies_folder = folder_.path() / "cache";
    options.state_file = folder_.path() / "GnomeDesktop.conf";
    return options;
  }
  void SetUser(const char* options) {
    g_settings_set_string(background_, "picture-uri", UriOf(light_).c_str());
    g_settings_set_string(background_, "picture-uri-dark", UriOf(dark_).c_str());
    g_settings_set_string(background_, "picture-options", options);
  }
  std::string Get(const char* key) const {
    gchar* value = g_settings_get_string(background_, key);
    std::string text = value;
    g_free(value);
    return text;
  }
  void WriteWork(const std::string& text) const { std::ofstream(work_) << text; }

  testing::TempDir folder_;
  GSettings* background_ = nullptr;
  GSettings* interface_ = nullptr;
  std::filesystem::path light_, dark_, work_;
};

TEST_F(GnomeDesktopTest, ReadsTheUsersValues) {
  GnomeDesktop desktop(Options());
  g_settings_sync();
  // The values live in the test's own key file.
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) /
                                      "glib-2.0" / "settings" / "keyfile"));
  EXPECT_EQ(desktop.Name(), "gnome");
  EXPECT_TRUE(desktop.ShowsStoredValueLive());
  EXPECT_FALSE(desktop.ApplyIconTextColor(0));
  EXPECT_EQ(desktop.ScreenRectangle(), (Rect{0, 0, 1280, 800}));
  EXPECT_EQ(desktop.WorkArea(), (Rect{0, 32, 1280, 800}));
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), light_.string());
  EXPECT_EQ(desktop.ReadValue(kPatternValue, "Error"), "");
  EXPECT_EQ(desktop.ReadValue(kWallpaperOriginXValue, "0"), "0");

  g_settings_set_string(interface_, "color-scheme", "prefer-dark");
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), dark_.string());

  g_settings_set_string(background_, "primary-color", "#112233");
  EXPECT_EQ(desktop.BackgroundColor(), MakeColorRef(0x11, 0x22, 0x33));
  g_settings_set_string(background_, "primary-color", "#fff");
  EXPECT_EQ(desktop.BackgroundColor(), MakeColorRef(255, 255, 255));
  g_settings_set_string(background_, "primary-color", "#12ff34005600");
  EXPECT_EQ(desktop.BackgroundColor(), MakeColorRef(0x12, 0x34, 0x56));
  g_settings_set_string(background_, "primary-color", "blue");
  EXPECT_THROW(desktop.BackgroundColor(), Error);
}

TEST_F(GnomeDesktopTest, PictureOptionsGiveTheDisplayMode) {
  GnomeDesktop desktop(Options());
  struct Row {
    const char* options;
    const char* tile;
    const char* style;
    bool shown;
  };
  for (const Row& row : std::vector<Row>{{"wallpaper", "1", "0", true},
                                         {"centered", "0", "0", true},
                                         {"stretched", "0", "2", true},
                                         {"scaled", "0", "6", true},
                                         {"zoom", "0", "10", true},
                                         {"spanned", "0", "22", true},
                                         {"none", "0", "0", false}}) {
    SCOPED_TRACE(row.options);
    g_settings_set_string(background_, "picture-options", row.options);
    EXPECT_EQ(desktop.ReadValue(kTileWallPaperValue, "Error"), row.tile);
    EXPECT_EQ(desktop.ReadValue(kWallpaperStyleValue, "Error"), row.style);
    EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), row.shown ? light_.string() : "");
  }
}

TEST_F(GnomeDesktopTest, EachInstallShowsAFreshCopyAndRemovesThePreviousOne) {
  GnomeDesktop desktop(Options());
  WriteWork("first");
  desktop.InstallWallpaper(work_.string());
  const std::string first = PathOf(Get("picture-uri"));
  EXPECT_EQ(Get("picture-uri-dark"), Get("picture-uri"));
  EXPECT_EQ(std::filesystem::path(first).filename(), "ovalin.bmp");
  EXPECT_NE(first, work_.string());
  EXPECT_EQ(FileText(first), "first");
  EXPECT_EQ(Get("picture-options"), "zoom");  // "spanned" may not show it pixel for pixel

  WriteWork("second");
  desktop.InstallWallpaper(work_.string());
  const std::string second = PathOf(Get("picture-uri"));
  EXPECT_EQ(Get("picture-uri-dark"), Get("picture-uri"));
  EXPECT_EQ(std::filesystem::path(second).filename(), "ovalin.bmp");
  EXPECT_NE(second, first);
  EXPECT_EQ(FileText(second), "second");
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(first).parent_path()));

  // What the desktop shows is a work bitmap; the layout read is still the user's own.
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, ""), second);
  EXPECT_EQ(desktop.ReadValue(kWallpaperStyleValue, ""), "22");
}

TEST_F(GnomeDesktopTest, PixelExactOptionsAreKept) {
  SetUser("centered");
  GnomeDesktop desktop(Options());
  desktop.InstallWallpaper(work_.string());
  EXPECT_EQ(Get("picture-options"), "centered");
}

TEST_F(GnomeDesktopTest, MissingWorkBitmapChangesNothing) {
  GnomeDesktop desktop(Options());
  std::filesystem::remove(work_);
  EXPECT_THROW(desktop.InstallWallpaper(work_.string()), Error);
  EXPECT_EQ(Get("picture-uri"), UriOf(light_));
  EXPECT_EQ(Get("picture-options"), "spanned");
}

TEST_F(GnomeDesktopTest, InstallingTheUsersPictureRestoresAllTheirValuesInALaterRun) {
  {
    GnomeDesktop desktop(Options());
    desktop.InstallWallpaper(work_.string());
    desktop.InstallWallpaper(work_.string());
  }
  const std::string shown = PathOf(Get("picture-uri"));
  GnomeDesktop next_run(Options());
  next_run.InstallWallpaper(light_.string());
  EXPECT_EQ(Get("picture-uri"), UriOf(light_));
  EXPECT_EQ(Get("picture-uri-dark"), UriOf(dark_));
  EXPECT_EQ(Get("picture-options"), "spanned");
  EXPECT_FALSE(std::filesystem::exists(shown));
}

TEST_F(GnomeDesktopTest, OtherPicturesReplaceBothUris) {
  GnomeDesktop desktop(Options());
  desktop.InstallWallpaper(work_.string());
  const std::filesystem::path other = folder_.path() / "pictures" / "other.bmp";
  std::ofstream(other) << "other";
  desktop.InstallWallpaper(other.string());
  EXPECT_EQ(Get("picture-uri"), UriOf(other));
  EXPECT_EQ(Get("picture-uri-dark"), UriOf(other));
  EXPECT_EQ(Get("picture-options"), "spanned");

  desktop.WriteValue(kWallpaperValue, light_.string());
  desktop.WriteValue(kWallpaperOriginXValue, "40");
  EXPECT_EQ(Get("picture-uri"), UriOf(light_));
  EXPECT_EQ(Get("picture-uri-dark"), UriOf(light_));
  EXPECT_EQ(desktop.ReadValue(kWallpaperOriginXValue, "0"), "0");
}

// A whole session as the program runs it: draw, close, start again, Revert.
TEST_F(GnomeDesktopTest, CloseKeepsTheCalendarAndRevertBringsTheUsersPictureBack) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  testing::RecordingPrompts prompts;
  testing::FakeClock clock(std::chrono::year{2024} / 5 / 1);
  const std::string temp = work_.parent_path().string() + "/";
  std::string shown;
  {
    GnomeDesktop desktop(Options());
    WallpaperServices services{desktop, store, prompts, clock};
    WallpaperState state = ReadWallpaperSettings(services, folder_.path().string(), temp).state;
    EXPECT_EQ(state.source_wallpaper_path, light_.string());
    InstallWallpaper(services, state, state.work_bitmap_path, WorkingSettings{});
    shown = PathOf(Get("picture-uri"));
    RestoreWallpaperAtClose(services, state, WallpaperAtClose::kRestore);
    EXPECT_EQ(PathOf(Get("picture-uri")), shown);
    EXPECT_TRUE(std::filesystem::exists(shown));
  }
  GnomeDesktop desktop(Options());
  WallpaperServices services{desktop, store, prompts, clock};
  WallpaperState state = ReadWallpaperSettings(services, folder_.path().string(), temp).state;
  EXPECT_TRUE(state.work_bitmap_installed);
  EXPECT_EQ(state.source_wallpaper_path, light_.string());
  EXPECT_TRUE(state.stretch_source);  // the user's "spanned"
  RevertWallpaper(services, state, WorkingSettings{}, RevertTarget::kSourceWallpaper,
                  [] { return true; });
  EXPECT_EQ(Get("picture-uri"), UriOf(light_));
  EXPECT_EQ(Get("picture-uri-dark"), UriOf(dark_));
  EXPECT_EQ(Get("picture-options"), "spanned");
  EXPECT_FALSE(std::filesystem::exists(shown));
  EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
}  // namespace orbeline
