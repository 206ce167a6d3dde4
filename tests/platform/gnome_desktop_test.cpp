#include "platform/gnome_desktop.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "base/error.h"
#include "fakes.h"
#include "isolated_env.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {
namespace {

namespace fs = std::filesystem;
using testing::FileText;

// A text GLib hands over, freed.
std::string Take(gchar* text) {
  std::string result = text ? text : "";
  g_free(text);
  return result;
}
std::string PathOf(const std::string& uri) {
  return Take(g_filename_from_uri(uri.c_str(), nullptr, nullptr));
}
std::string UriOf(const fs::path& path) {
  return Take(g_filename_to_uri(path.c_str(), nullptr, nullptr));
}

// GSettings in a key file under the test's own XDG_CONFIG_HOME (the test main isolates it
// before GLib first reads it), so the developer's desktop is never touched.
class GnomeDesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("GSETTINGS_BACKEND", "keyfile", 1); }

  void SetUp() override {
    for (const char* key :
         {"picture-uri", "picture-uri-dark", "picture-options", "primary-color"}) {
      g_settings_reset(background_, key);
    }
    g_settings_reset(interface_, "color-scheme");
    for (const auto& file : {light_, dark_, work_}) {
      fs::create_directories(file.parent_path());
      std::ofstream(file) << file.filename().string();
    }
    Set("picture-uri", UriOf(light_));
    Set("picture-uri-dark", UriOf(dark_));
    Set("picture-options", "spanned");
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
  void Set(const char* key, const std::string& value) {
    g_settings_set_string(background_, key, value.c_str());
  }
  std::string Get(const char* key) const { return Take(g_settings_get_string(background_, key)); }
  // The user's three values as they stand.
  std::vector<std::string> Shown() const {
    return {Get("picture-uri"), Get("picture-uri-dark"), Get("picture-options")};
  }
  std::vector<std::string> UsersOwn() const { return {UriOf(light_), UriOf(dark_), "spanned"}; }

  testing::TempDir folder_;
  GSettings* background_ = g_settings_new("org.gnome.desktop.background");
  GSettings* interface_ = g_settings_new("org.gnome.desktop.interface");
  fs::path light_ = folder_.path() / "pictures" / "light sea.jpg";
  fs::path dark_ = folder_.path() / "pictures" / "dark.png";
  fs::path work_ = folder_.path() / "temp" / "ovalin.bmp";

  // What a run of the program has besides the desktop, and the state it starts with.
  testing::MemorySettingsBackend backend_;
  SettingsStore store_{backend_};
  testing::RecordingPrompts prompts_;
  testing::FakeClock clock_{std::chrono::year{2024} / 5 / 1};
  WallpaperServices Services(GnomeDesktop& desktop) { return {desktop, store_, prompts_, clock_}; }
  WallpaperState ReadState(GnomeDesktop& desktop) {
    WallpaperServices services = Services(desktop);
    return ReadWallpaperSettings(services, folder_.path().string(),
                                 work_.parent_path().string() + "/")
        .state;
  }
};

TEST_F(GnomeDesktopTest, ReadsTheUsersValues) {
  GnomeDesktop desktop(Options());
  g_settings_sync();
  // The values live in the test's own key file.
  EXPECT_TRUE(fs::exists(fs::path(std::getenv("XDG_CONFIG_HOME")) / "glib-2.0/settings/keyfile"));
  EXPECT_EQ(desktop.WorkArea(), (Rect{0, 32, 1280, 800}));
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), light_.string());
  EXPECT_EQ(desktop.ReadValue(kPatternValue, "Error"), "");
  EXPECT_EQ(desktop.ReadValue(kWallpaperOriginXValue, "0"), "0");
  g_settings_set_string(interface_, "color-scheme", "prefer-dark");
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), dark_.string());

  for (const auto& [text, color] : {std::pair{"#fff", MakeColorRef(255, 255, 255)},
                                    std::pair{"#12ff34005600", MakeColorRef(0x12, 0x34, 0x56)}}) {
    Set("primary-color", text);
    EXPECT_EQ(desktop.BackgroundColor(), color) << text;
  }
  Set("primary-color", "blue");
  EXPECT_THROW(desktop.BackgroundColor(), Error);
}

TEST_F(GnomeDesktopTest, PictureOptionsGiveTheDisplayMode) {
  GnomeDesktop desktop(Options());
  struct Row {
    const char* options;
    const char* tile;
    const char* style;
  };
  for (const Row& row :
       {Row{"wallpaper", "1", "0"}, Row{"centered", "0", "0"}, Row{"stretched", "0", "2"},
        Row{"scaled", "0", "6"}, Row{"zoom", "0", "10"}, Row{"spanned", "0", "22"},
        Row{"none", "0", "0"}}) {
    Set("picture-options", row.options);
    EXPECT_EQ(desktop.ReadValue(kTileWallPaperValue, "Error"), row.tile) << row.options;
    EXPECT_EQ(desktop.ReadValue(kWallpaperStyleValue, "Error"), row.style) << row.options;
    EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"),
              row.options == std::string("none") ? "" : light_.string());
  }
}

// A fresh path and the removal of the copy before: also the GNOME script.
TEST_F(GnomeDesktopTest, EachInstallShowsACopyOfTheWorkBitmap) {
  GnomeDesktop desktop(Options());
  std::ofstream(work_) << "first";
  desktop.InstallWallpaper(work_.string());
  const std::string first = PathOf(Get("picture-uri"));
  EXPECT_EQ(fs::path(first).filename(), "ovalin.bmp");
  EXPECT_EQ(FileText(first), "first");
  EXPECT_EQ(Get("picture-options"), "zoom");  // "spanned" may not show it pixel for pixel

  std::ofstream(work_) << "second";
  desktop.InstallWallpaper(work_.string());
  const std::string second = PathOf(Get("picture-uri"));
  EXPECT_EQ(FileText(second), "second");
  EXPECT_FALSE(fs::exists(fs::path(first).parent_path()));
  // What the desktop shows is a work bitmap; the layout read is still the user's own.
  EXPECT_EQ(desktop.ReadValue(kWallpaperStyleValue, ""), "22");
  fs::remove(work_);
  EXPECT_THROW(desktop.InstallWallpaper(work_.string()), Error);
  EXPECT_EQ(PathOf(Get("picture-uri")), second) << "a missing work bitmap changes nothing";
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
  EXPECT_EQ(Shown(), UsersOwn());
  EXPECT_FALSE(fs::exists(shown));
}

TEST_F(GnomeDesktopTest, OtherPicturesReplaceBothUris) {
  GnomeDesktop desktop(Options());
  desktop.InstallWallpaper(work_.string());
  const fs::path other = folder_.path() / "pictures" / "other.bmp";
  std::ofstream(other) << "other";
  desktop.InstallWallpaper(other.string());
  EXPECT_EQ(Shown(), (std::vector<std::string>{UriOf(other), UriOf(other), "spanned"}));

  desktop.WriteValue(kWallpaperValue, light_.string());
  EXPECT_EQ(Shown(), (std::vector<std::string>{UriOf(light_), UriOf(light_), "spanned"}));
}

// A picture the user had is never forgotten for an empty value (a store reset, another
// program): installing it again brings every remembered setting back.
TEST_F(GnomeDesktopTest, EmptyUrisNeverReplaceTheRememberedPicture) {
  GnomeDesktop desktop(Options());
  desktop.InstallWallpaper(work_.string());
  Set("picture-uri", "");
  Set("picture-uri-dark", "");
  desktop.InstallWallpaper(work_.string());
  desktop.InstallWallpaper(light_.string());
  EXPECT_EQ(Shown(), UsersOwn());
}

// The drive with the user's picture is not mounted while the calendar is shown: Revert puts
// the user's settings back all the same, and later runs still know the picture.
TEST_F(GnomeDesktopTest, RevertWhileThePictureIsMissingPutsTheUsersSettingsBack) {
  {
    GnomeDesktop desktop(Options());
    WallpaperServices services = Services(desktop);
    InstallWallpaper(services, ReadState(desktop), work_.string(), WorkingSettings{});
  }
  const fs::path pictures = light_.parent_path();
  fs::rename(pictures, folder_.path() / "unmounted");
  {
    GnomeDesktop desktop(Options());
    WallpaperServices services = Services(desktop);
    const WallpaperState state = ReadState(desktop);
    EXPECT_TRUE(state.no_source_wallpaper);
    RevertWallpaper(services, state, WorkingSettings{}, RevertTarget::kSourceWallpaper,
                    [] { return true; });
    EXPECT_EQ(Shown(), UsersOwn());
    InstallWallpaper(services, state, work_.string(), WorkingSettings{});
  }
  fs::rename(folder_.path() / "unmounted", pictures);
  GnomeDesktop desktop(Options());
  EXPECT_EQ(ReadState(desktop).source_wallpaper_path, light_.string());
}

// GNOME keeps the user's picture itself: OriginalWallpaper is left to the desktops that keep
// none, so a run on another desktop may change it without harm, and a GNOME run never does.
TEST_F(GnomeDesktopTest, TheUsersPictureIsWhatGnomeKeepsNotTheSharedSetting) {
  const std::string others = (folder_.path() / "pictures" / "other.jpg").string();
  backend_.Write("", "OriginalWallpaper", others);
  {
    GnomeDesktop desktop(Options());
    WallpaperServices services = Services(desktop);
    const WallpaperState state = ReadState(desktop);
    InstallWallpaper(services, state, state.work_bitmap_path, WorkingSettings{});
    RestoreWallpaperAtClose(services, state, WallpaperAtClose::kKeepWorkBitmap);
  }
  EXPECT_EQ(backend_.Get("OriginalWallpaper"), others);
  backend_.Write("", "OriginalWallpaper", "");  // a run on a desktop without a picture
  GnomeDesktop desktop(Options());
  const WallpaperState state = ReadState(desktop);
  EXPECT_TRUE(state.work_bitmap_installed);
  EXPECT_EQ(state.source_wallpaper_path, light_.string());
}

// A copy GNOME shows is the program's own even when nothing remembers the user's picture
// (its file deleted): it is never taken for the user's picture, to be remembered as such.
TEST_F(GnomeDesktopTest, ACopyShownIsAWorkBitmapWithNothingRemembered) {
  GnomeDesktop(Options()).InstallWallpaper(work_.string());
  fs::remove(Options().state_file);
  GnomeDesktop desktop(Options());
  const WallpaperState state = ReadState(desktop);
  EXPECT_TRUE(state.work_bitmap_installed);
  EXPECT_TRUE(state.no_source_wallpaper);
}

// A whole session as the program runs it: draw, close, start again, Revert.
TEST_F(GnomeDesktopTest, CloseKeepsTheCalendarAndRevertBringsTheUsersPictureBack) {
  std::string shown;
  {
    GnomeDesktop desktop(Options());
    WallpaperServices services = Services(desktop);
    WallpaperState state = ReadState(desktop);
    InstallWallpaper(services, state, state.work_bitmap_path, WorkingSettings{});
    shown = PathOf(Get("picture-uri"));
    RestoreWallpaperAtClose(services, state, WallpaperAtClose::kRestore);
    EXPECT_EQ(PathOf(Get("picture-uri")), shown);
    EXPECT_TRUE(fs::exists(shown));
  }
  GnomeDesktop desktop(Options());
  WallpaperServices services = Services(desktop);
  WallpaperState state = ReadState(desktop);
  EXPECT_TRUE(state.work_bitmap_installed);
  EXPECT_EQ(state.source_wallpaper_path, light_.string());
  RevertWallpaper(services, state, WorkingSettings{}, RevertTarget::kSourceWallpaper,
                  [] { return true; });
  EXPECT_EQ(Shown(), UsersOwn());
  EXPECT_FALSE(fs::exists(shown));
  EXPECT_TRUE(prompts_.shown.empty());
}

}  // namespace
}  // namespace orbeline
