#include "wallpaper/wallpaper_state.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/text_util.h"
#include "settings/setting_names.h"

namespace orbeline {
namespace {

constexpr std::string_view kMissingValue = "Error";
constexpr std::uint32_t kIconTextDelayMs = 500;

// A path that names an existing file (a folder is not a wallpaper).
bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string WithTrailingSlash(std::string_view folder) {
  std::string result(folder);
  if (result.empty() || result.back() != '/') result += '/';
  return result;
}

int ReadOrigin(const Desktop& desktop, std::string_view name) {
  return ParseDecimal(desktop.ReadValue(name, "0")).value_or(0);
}

// The user's picture while a work bitmap is shown: what the desktop keeps itself when it
// does, else what the program remembered (a missing value reads "0").
struct Remembered {
  std::string picture;
  bool known = false;  // something was remembered at all
};

Remembered RememberedWallpaper(const Desktop& desktop, SettingsStore& store) {
  if (desktop.KeepsUsersWallpaper()) {
    if (std::optional<std::string> kept = desktop.KeptUsersWallpaper()) return {*kept, true};
  }
  std::string original = store.ReadSetting(setting::kOriginalWallpaper);
  const bool known = !original.empty() && original != "0";
  return {std::move(original), known};
}

// Whether `path` names a file directly inside `folder`.
bool LiesIn(const std::string& path, std::string_view folder) {
  if (path.empty() || path.front() != '/') return false;
  std::filesystem::path normal = std::filesystem::path(folder).lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();
  return std::filesystem::path(path).lexically_normal().parent_path() == normal;
}

struct Source {
  std::string path;
  bool work_bitmap_installed = false;
};

// The user's picture as the desktop names it. A bare or relative name lives in the home
// folder; an absolute name is taken as it is, so the home folder is never prefixed to it.
// A picture with the work bitmap's name may be the user's own: it counts as a work bitmap
// where the program puts one (the temp folder, the desktop's own copies), or while the
// user's picture is remembered (a work bitmap left in a temp folder given up since).
Source FindSourceWallpaper(const std::string& wallpaper, std::string_view home_folder,
                           std::string_view temp_folder, const Desktop& desktop,
                           SettingsStore& store) {
  Source source{wallpaper};
  bool in_home = false;
  if (!wallpaper.empty() && wallpaper.front() != '/') {
    std::string home_file = WithTrailingSlash(home_folder) + wallpaper;
    in_home = FileExists(home_file);
    if (in_home) source.path = std::move(home_file);
  }
  if (!IsWorkBitmapName(wallpaper)) return source;
  Remembered remembered = RememberedWallpaper(desktop, store);
  source.work_bitmap_installed =
      LiesIn(wallpaper, temp_folder) || desktop.IsOwnCopy(wallpaper) || remembered.known;
  if (source.work_bitmap_installed && !in_home) source.path = std::move(remembered.picture);
  return source;
}

}  // namespace

std::string WorkBitmapPath(std::string_view temp_folder) {
  return WithTrailingSlash(temp_folder) + std::string(kWorkBitmapFileName);
}

bool IsWorkBitmapName(std::string_view path) {
  std::size_t cut = path.rfind('/');
  std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
  return ToLowerAscii(name) == kWorkBitmapFileName;
}

WallpaperSettingsResult ReadWallpaperSettings(WallpaperServices& services,
                                              std::string_view home_folder,
                                              std::string_view temp_folder) {
  const Desktop& desktop = services.desktop;
  WallpaperSettingsResult result;
  WallpaperState& state = result.state;

  const std::string wallpaper = desktop.ReadValue(kWallpaperValue, kMissingValue);
  if (wallpaper == kMissingValue) {
    services.prompts.Beep();
    services.prompts.ShowMessage({.caption = "Orbeline",
                                  .text = "Unknown error. Cannot find wallpaper settings.",
                                  .icon = Prompts::Icon::kNone,
                                  .buttons = Prompts::Buttons::kOk});
    result.terminate = true;
  }
  state.work_bitmap_path = WorkBitmapPath(temp_folder);
  Source source = FindSourceWallpaper(wallpaper, home_folder, temp_folder, desktop, services.store);
  state.work_bitmap_installed = source.work_bitmap_installed;
  state.source_wallpaper_path = std::move(source.path);
  state.no_source_wallpaper = !FileExists(state.source_wallpaper_path);
  // A file missing today (a drive not mounted yet) is still the user's choice; only the
  // store's "0" for a missing OriginalWallpaper means no picture.
  state.desktop_wallpaper = state.source_wallpaper_path;
  if (state.work_bitmap_installed && state.desktop_wallpaper == "0") state.desktop_wallpaper = "";

  state.tile_source = desktop.ReadValue(kTileWallPaperValue, kMissingValue) == "1";
  const std::string style = desktop.ReadValue(kWallpaperStyleValue, "0");
  state.stretch_source = style != "0";
  state.picture_fit = PictureFitOf(style);
  if (state.no_source_wallpaper) state.tile_source = false;

  state.origin_x = ReadOrigin(desktop, kWallpaperOriginXValue);
  state.origin_y = ReadOrigin(desktop, kWallpaperOriginYValue);
  return result;
}

void RememberOriginalWallpaper(WallpaperServices& services, const WallpaperState& state) {
  if (services.desktop.KeepsUsersWallpaper()) return;
  services.store.WriteSetting(setting::kOriginalWallpaper, state.desktop_wallpaper);
  services.store.Flush();
}

void RestoreWallpaperAtClose(WallpaperServices& services, const WallpaperState& state,
                             WallpaperAtClose mode) {
  Desktop& desktop = services.desktop;
  if (mode == WallpaperAtClose::kKeepWorkBitmap || desktop.ShowsStoredValueLive()) {
    RememberOriginalWallpaper(services, state);
  } else {
    // There is no win.ini here: only the desktop's own value is restored.
    desktop.WriteValue(kWallpaperValue, state.desktop_wallpaper);
  }
  if (state.origin_x > 0)
    desktop.WriteValue(kWallpaperOriginXValue, std::to_string(state.origin_x));
  if (state.origin_y > 0)
    desktop.WriteValue(kWallpaperOriginYValue, std::to_string(state.origin_y));
}

void InstallWallpaper(WallpaperServices& services, const WallpaperState& state,
                      const std::string& path, const WorkingSettings& settings) {
  Desktop& desktop = services.desktop;
  if (IsWorkBitmapName(path)) RememberOriginalWallpaper(services, state);

  // The desktop lays the picture out from its origin values; the work bitmap already is the
  // whole screen, so they read 0 while it is installed and get their own values back after.
  auto set_origins = [&](bool zero) {
    if (state.origin_x != 0) {
      desktop.WriteValue(kWallpaperOriginXValue, zero ? "0" : std::to_string(state.origin_x));
    }
    if (state.origin_y != 0) {
      desktop.WriteValue(kWallpaperOriginYValue, zero ? "0" : std::to_string(state.origin_y));
    }
  };
  set_origins(true);
  try {
    desktop.InstallWallpaper(path);
  } catch (...) {
    set_origins(false);
    throw;
  }
  set_origins(false);

  services.prompts.ProcessEvents();
  if (settings.transparent) ApplyIconTextColor(services, settings.icon_text_color);
}

void ApplyIconTextColor(WallpaperServices& services, ColorRef color) {
  services.prompts.ProcessEvents();
  // The desktop redraws its icons after a new wallpaper; give it time before recolouring,
  // letting events through so that the window stays responsive.
  const std::uint32_t start = services.clock.TickCount();
  while (services.clock.TickCount() - start < kIconTextDelayMs) {
    services.prompts.ProcessEvents();
    services.clock.Sleep(10);
  }
  services.desktop.ApplyIconTextColor(color);
  services.prompts.ProcessEvents();
}

void RevertWallpaper(WallpaperServices& services, const WallpaperState& state,
                     const WorkingSettings& settings, RevertTarget target,
                     const ComposeBaseImageFn& compose_base_image) {
  if (!compose_base_image()) return;
  // The user's own value, as the close puts it back: a picture missing for now (a drive not
  // mounted yet) is still the user's choice, and "no picture" in its place would lose it.
  const std::string& path =
      target == RevertTarget::kSourceWallpaper ? state.desktop_wallpaper : state.work_bitmap_path;
  InstallWallpaper(services, state, path, settings);
}

Rect GetWorkArea(const Desktop& desktop) {
  const Rect screen = desktop.ScreenRectangle();
  const Rect inside = Intersect(desktop.WorkArea(), screen);
  return inside.IsEmpty() ? screen : inside;
}

ColorRef DesktopPatternColor(const Desktop& desktop) {
  const ColorRef color = desktop.BackgroundColor();
  if (desktop.BitsPerPixel() != 16) return color;
  auto reduce = [](int v) { return v == 0 ? 0 : (v - 1) & 252; };
  return MakeColorRef(reduce(RedOf(color)), reduce(GreenOf(color)), reduce(BlueOf(color)));
}

}  // namespace orbeline
