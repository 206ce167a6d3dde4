#include "wallpaper/wallpaper_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <tuple>

#include "base/error.h"
#include "fake_desktop.h"
#include "fakes.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

using testing::FakeDesktop;

class WallpaperStateTest : public ::testing::Test {
 protected:
  std::string Home(const std::string& name) const { return (home_.path() / name).string(); }
  std::string Temp(const std::string& name) const { return (temp_.path() / name).string(); }
  static void Touch(const std::string& path) { std::ofstream(path) << "x"; }

  WallpaperSettingsResult Read() {
    return ReadWallpaperSettings(services_, home_.path().string(), temp_.path().string() + "/");
  }
  // A state as read at start with this source picture and the work bitmap in temp.
  WallpaperState Source(const std::string& path) const {
    WallpaperState state;
    state.source_wallpaper_path = path;
    state.desktop_wallpaper = path;
    state.work_bitmap_path = Temp("ovalin.bmp");
    return state;
  }
  std::optional<std::string> Setting(std::string_view name) const { return backend_.Get(name); }

  testing::TempDir home_;
  testing::TempDir temp_;
  FakeDesktop desktop_;
  testing::MemorySettingsBackend backend_;
  SettingsStore store_{backend_};
  testing::RecordingPrompts prompts_;
  testing::FakeClock clock_{std::chrono::year_month_day{std::chrono::year{2024} / 5 / 1}};
  WallpaperServices services_{desktop_, store_, prompts_, clock_};
};

TEST_F(WallpaperStateTest, FindsSourceOfEveryKindOfWallpaperName) {
  Touch(Home("sea.bmp"));
  Touch(Temp("ovalin.bmp"));
  Touch(Temp("OVALIN.BMP"));
  std::filesystem::create_directories(Home("pictures"));
  std::filesystem::create_directories(Home("old temp"));
  Touch(Home("pictures/ovalin.bmp"));
  Touch(Home("old temp/ovalin.bmp"));
  const std::string sea = Home("sea.bmp"), gone = Home("gone.jpg"), work = Temp("ovalin.bmp");
  const std::string users = Home("pictures/ovalin.bmp"), old = Home("old temp/ovalin.bmp");
  struct Row {
    const char* name;
    std::string wallpaper;
    std::optional<std::string> original;  // OriginalWallpaper
    std::string source;
    bool installed, no_source;
    std::string restored;  // what the close puts back: the desktop's own value
  };
  const Row rows[] = {
      {"absolute path", sea, std::nullopt, sea, false, false, sea},
      {"bare name lives in the home folder", "sea.bmp", std::nullopt, sea, false, false, sea},
      {"work bitmap -> OriginalWallpaper", work, sea, sea, true, false, sea},
      {"work bitmap name in any case", Temp("OVALIN.BMP"), sea, sea, true, false, sea},
      {"work bitmap with stale original", work, gone, gone, true, true, gone},
      {"work bitmap without original reads 0", work, std::nullopt, "0", true, true, ""},
      // Only the name is the work bitmap's: outside the temp folder, with nothing
      // remembered, it is the user's own picture.
      {"user's picture named like the work bitmap", users, std::nullopt, users, false, false,
       users},
      {"same, original 0", users, "0", users, false, false, users},
      // The temp folder was changed since: what was remembered still counts.
      {"old temp folder's work bitmap", old, sea, sea, true, false, sea},
      {"missing file keeps its name", gone, std::nullopt, gone, false, true, gone},
      {"bare name not in home", "gone.jpg", std::nullopt, "gone.jpg", false, true, "gone.jpg"},
      {"empty: the home folder is no picture", "", std::nullopt, "", false, true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    backend_ = testing::MemorySettingsBackend();
    if (row.original) backend_.Write("", "OriginalWallpaper", *row.original);
    desktop_.Put(kWallpaperValue, row.wallpaper);
    WallpaperSettingsResult result = Read();
    EXPECT_EQ(std::tie(result.state.source_wallpaper_path, result.state.work_bitmap_installed,
                       result.state.no_source_wallpaper),
              std::tie(row.source, row.installed, row.no_source));
    // A missing OriginalWallpaper is read the store's way: "0", written back.
    if (row.installed && !row.original) {
      EXPECT_EQ(Setting("OriginalWallpaper"), "0");
    }
    RestoreWallpaperAtClose(services_, result.state, WallpaperAtClose::kRestore);
    EXPECT_EQ(desktop_.Get(kWallpaperValue), row.restored);
  }
}

TEST_F(WallpaperStateTest, MissingWallpaperValueTellsUserAndEndsRun) {
  WallpaperSettingsResult result = Read();
  EXPECT_TRUE(result.terminate);
  EXPECT_EQ(prompts_.beeps, 1);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].caption + ": " + prompts_.shown[0].text,
            "Orbeline: Unknown error. Cannot find wallpaper settings.");
  EXPECT_EQ(result.state.work_bitmap_path, Temp("ovalin.bmp")) << "still filled";
}

TEST_F(WallpaperStateTest, ReadsDisplayModeAndOrigins) {
  Touch(Home("sea.bmp"));
  struct Row {
    const char* name;
    std::optional<std::string> tile, style, origin_x;
    std::string wallpaper;
    bool tile_source, stretch_source;
    int origin;
  };
  const Row rows[] = {
      {"tiled and stretched both", "1", "2", "-10", "sea.bmp", true, true, -10},
      {"values absent", std::nullopt, std::nullopt, std::nullopt, "sea.bmp", false, false, 0},
      {"plain centred", "0", "0", "10", "sea.bmp", false, false, 10},
      {"no picture is never tiled", "1", "2", "x", "gone.bmp", false, true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    desktop_.values.clear();
    desktop_.Put(kWallpaperValue, row.wallpaper);
    if (row.tile) desktop_.Put(kTileWallPaperValue, *row.tile);
    if (row.style) desktop_.Put(kWallpaperStyleValue, *row.style);
    if (row.origin_x) desktop_.Put(kWallpaperOriginXValue, *row.origin_x);
    const WallpaperState state = Read().state;
    EXPECT_EQ(
        (std::vector<int>{state.tile_source, state.stretch_source, state.origin_x, state.origin_y}),
        (std::vector<int>{row.tile_source, row.stretch_source, row.origin, 0}));
  }
}

TEST_F(WallpaperStateTest, CloseRestoresOrRemembersByModeAndDesktop) {
  struct Row {
    const char* name;
    WallpaperAtClose mode;
    bool live, no_source;
    std::vector<std::string> desktop_writes;
    std::optional<std::string> original;
  };
  const std::string sea = Home("sea.bmp");
  // clang-format off
  const Row rows[] = {
      {"restore", WallpaperAtClose::kRestore, false, false, {"Wallpaper=" + sea}, std::nullopt},
      {"origin 10 written back", WallpaperAtClose::kRestore, false, false,
       {"Wallpaper=" + sea, "WallpaperOriginX=10"}, std::nullopt},
      {"missing today, put back", WallpaperAtClose::kRestore, false, true, {"Wallpaper=" + sea}, {}},
      {"keep work bitmap", WallpaperAtClose::kKeepWorkBitmap, false, false, {}, sea},
      {"live desktop is never restored", WallpaperAtClose::kRestore, true, false, {}, sea},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    backend_ = testing::MemorySettingsBackend();
    desktop_.writes.clear();
    desktop_.live = row.live;
    desktop_.Put(kWallpaperValue, Temp("ovalin.bmp"));
    WallpaperState state = Source(sea);
    state.no_source_wallpaper = row.no_source;
    // Only a positive origin is written back: -10 is used for the composition only.
    state.origin_x = row.desktop_writes.size() == 2 ? 10 : -10;
    RestoreWallpaperAtClose(services_, state, row.mode);
    EXPECT_EQ(desktop_.writes, row.desktop_writes);
    EXPECT_EQ(Setting("OriginalWallpaper"), row.original);
    EXPECT_TRUE(desktop_.installs.empty());
  }
}

TEST_F(WallpaperStateTest, InstallZeroesOriginsAroundTheDesktopsInstallThenColoursIconText) {
  desktop_.Put(kWallpaperOriginXValue, "40");
  WallpaperState state = Source(Home("sea.bmp"));
  state.origin_x = 40;
  WorkingSettings settings;
  settings.icon_text_color = 0x00FF00;
  InstallWallpaper(services_, state, Temp("ovalin.bmp"), settings);
  ASSERT_EQ(desktop_.installs.size(), 1u);
  EXPECT_EQ(desktop_.installs[0].values.at("WallpaperOriginX"), "0");
  // A zero origin is not touched at all.
  EXPECT_EQ(desktop_.writes,
            (std::vector<std::string>{"WallpaperOriginX=0", "WallpaperOriginX=40"}));
  EXPECT_TRUE(desktop_.icon_text_colors.empty()) << "only with Transparent";
  settings.transparent = true;
  InstallWallpaper(services_, WallpaperState{}, Temp("ovalin.bmp"), settings);
  EXPECT_EQ(desktop_.icon_text_colors, std::vector<ColorRef>{0x00FF00});
  // Installing the user's own picture does not touch OriginalWallpaper.
  backend_ = testing::MemorySettingsBackend();
  InstallWallpaper(services_, state, Home("sea.bmp"), WorkingSettings{});
  EXPECT_FALSE(Setting("OriginalWallpaper").has_value());
}

TEST_F(WallpaperStateTest, FailedInstallStillRestoresOriginsAndKeepsOriginal) {
  desktop_.fail_install = true;
  desktop_.Put(kWallpaperOriginYValue, "7");
  WallpaperState state = Source(Home("sea.bmp"));
  state.origin_y = 7;
  EXPECT_THROW(InstallWallpaper(services_, state, Temp("ovalin.bmp"), WorkingSettings{}), Error);
  EXPECT_EQ(desktop_.Get(kWallpaperOriginYValue), "7");
  EXPECT_EQ(Setting("OriginalWallpaper"), Home("sea.bmp"));
}

TEST_F(WallpaperStateTest, OriginalWallpaperSurvivesARunThatNeverCloses) {
  Touch(Home("sea.bmp"));
  Touch(Temp("ovalin.bmp"));
  desktop_.Put(kWallpaperValue, Home("sea.bmp"));
  WallpaperState first = Read().state;
  InstallWallpaper(services_, first, first.work_bitmap_path, WorkingSettings{});
  // The run is killed here: no close handler, and what the store did not flush is lost.
  backend_.DropUnflushed();
  WallpaperState second = Read().state;
  EXPECT_TRUE(second.work_bitmap_installed);
  EXPECT_EQ(second.source_wallpaper_path, Home("sea.bmp"));
  EXPECT_FALSE(second.no_source_wallpaper);
}

TEST_F(WallpaperStateTest, StoreThatCannotBeWrittenInstallsNothing) {
  backend_.fail_flush = true;
  desktop_.Put(kWallpaperOriginXValue, "40");
  WallpaperState state = Source(Home("sea.bmp"));
  state.origin_x = 40;
  EXPECT_THROW(InstallWallpaper(services_, state, Temp("ovalin.bmp"), WorkingSettings{}), Error);
  EXPECT_TRUE(desktop_.installs.empty());
  EXPECT_TRUE(desktop_.writes.empty());
}

TEST_F(WallpaperStateTest, RevertComposesThenInstallsTheTarget) {
  struct Row {
    const char* name;
    RevertTarget target;
    std::string users;  // the desktop's own value
    bool no_source, composed;
    std::vector<std::string> installed;
  };
  const std::string sea = Home("sea.bmp");
  const Row rows[] = {
      {"left: user's picture", RevertTarget::kSourceWallpaper, sea, false, true, {sea}},
      // What the close would put back, never "no picture" for a drive not mounted yet.
      {"left, picture missing today", RevertTarget::kSourceWallpaper, sea, true, true, {sea}},
      {"left without picture: none", RevertTarget::kSourceWallpaper, "", true, true, {""}},
      {"right: base image", RevertTarget::kBaseImage, sea, false, true, {Temp("ovalin.bmp")}},
      {"nothing composed: nothing installed", RevertTarget::kBaseImage, sea, false, false, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    desktop_.installs.clear();
    WallpaperState state = Source(row.users);
    state.no_source_wallpaper = row.no_source;
    int compositions = 0;
    RevertWallpaper(services_, state, WorkingSettings{}, row.target, [&] {
      ++compositions;
      EXPECT_TRUE(desktop_.installs.empty());
      return row.composed;
    });
    EXPECT_EQ(compositions, 1);
    std::vector<std::string> installed;
    for (const auto& install : desktop_.installs) installed.push_back(install.path);
    EXPECT_EQ(installed, row.installed);
  }
}

TEST_F(WallpaperStateTest, WorkAreaStaysInsideTheScreenAndPatternColourFollowsTheDepth) {
  desktop_.work_area = {-5, -5, 2000, 700};
  EXPECT_EQ(GetWorkArea(desktop_), (Rect{0, 0, 1024, 700}));
  desktop_.work_area = {0, 0, 0, 0};
  EXPECT_EQ(GetWorkArea(desktop_), desktop_.screen);

  // The pattern colour of a 16-bit display.
  const std::vector<std::tuple<int, ColorRef, ColorRef>> rows = {
      {16, MakeColorRef(255, 255, 255), MakeColorRef(252, 252, 252)},
      {16, MakeColorRef(0, 1, 128), MakeColorRef(0, 0, 124)},
      {24, MakeColorRef(255, 1, 128), MakeColorRef(255, 1, 128)}};
  for (const auto& [bits, in, out] : rows) {
    desktop_.bits_per_pixel = bits;
    desktop_.background = in;
    EXPECT_EQ(DesktopPatternColor(desktop_), out) << bits;
  }
}

}  // namespace
}  // namespace orbeline
