// Time from a click on Draw to the wallpaper installed, as the program measures it around its
// draw pipeline, in the settings window on the offscreen platform: a photo of the screen's
// size on the generic desktop, its base image composed by a first click.
//
//   draw_click_bench [--size WIDTHxHEIGHT] [--clicks N]    (3840x2160, 11 clicks by default)
//
// Runs in a scratch home of its own; needs ImageMagick's convert to make the photo.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "base/clock.h"
#include "base/xdg_folders.h"
#include "main/run_program.h"
#include "platform/headless_prompts.h"
#include "platform/qt_settings_backend.h"
#include "platform/qt_shell.h"
#include "settings/settings_store.h"
#include "ui/ovalin_form.h"
#include "ui/qt_settings_dialogs.h"

namespace orbeline {
namespace {

struct Options {
  int width = 3840;
  int height = 2160;
  int clicks = 11;
};

std::filesystem::path MakeHome(const Options& options) {
  char pattern[] = "/tmp/orbeline-click-bench-XXXXXX";
  const std::filesystem::path root = ::mkdtemp(pattern);
  for (const char* sub : {"home", "config/Quillmere", "cache", "runtime"}) {
    std::filesystem::create_directories(root / sub);
  }
  std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
  ::setenv("HOME", (root / "home").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  ::setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
  ::setenv("ORBELINE_DESKTOP", "generic", 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::filesystem::path photo = root / "photo.jpg";
  const std::string size = std::to_string(options.width) + "x" + std::to_string(options.height);
  const std::string small =
      std::to_string(options.width / 8) + "x" + std::to_string(options.height / 8);
  const std::string command = "convert -size " + small + " plasma:fractal -resize " + size +
                              "! -attenuate 0.3 +noise Gaussian -quality 90 '" + photo.string() +
                              "'";
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "cannot make the photo (is ImageMagick installed?)\n");
    std::exit(1);
  }
  std::ofstream(root / "config/Quillmere/Desktop.conf")
      << "[desktop]\nWallpaper=" << photo.string() << "\nTileWallPaper=0\nWallpaperStyle=0\n"
      << "ScreenWidth=" << options.width << "\nScreenHeight=" << options.height
      << "\nBitsPerPixel=24\n";
  return root;
}

double Milliseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Run(const Options& options, int argc, char** argv) {
  const std::filesystem::path root = MakeHome(options);
  QApplication application(argc, argv);
  QtSettingsBackend backend(SettingsFile());
  SettingsStore store(backend);
  HeadlessPrompts prompts;
  HeadlessShell shell;
  SystemClock clock;
  QtSettingsDialogs dialogs;
  MainFormEnvironment environment;
  environment.exe_path = "/usr/bin/orbeline";
  environment.system_temp = CacheHomeFolder() / "orbeline";
  environment.startup_folder = ConfigHomeFolder() / "autostart";
  environment.home_folder = HomeFolder();
  MainForm form(MakePorts(store, prompts, shell, clock, false), environment);
  if (form.FormCreate() != MainForm::CreateResult::kInteractive) {
    std::fprintf(stderr, "the settings window did not open\n");
    return 1;
  }
  TOvalinForm window(form, {store, prompts, shell, dialogs});
  dialogs.set_parent(&window);
  window.show();
  auto* draw = window.findChild<QPushButton*>(QStringLiteral("DrawButton"));
  if (draw == nullptr) return 1;
  QTest::mouseClick(draw, Qt::LeftButton);  // composes the base image
  const double first = Milliseconds(form.last_draw_duration());
  std::vector<double> times;
  std::vector<double> clicks;  // the whole click, event handling included, timed from here
  for (int i = 0; i < options.clicks; ++i) {
    const auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(draw, Qt::LeftButton);
    clicks.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    times.push_back(Milliseconds(form.last_draw_duration()));
  }
  window.close();
  std::printf(
      "%dx%d: first click %.1f ms; then, base image composed, median of %d clicks "
      "%.1f ms (min %.1f, max %.1f); the whole click seen from outside %.1f ms\n",
      options.width, options.height, first, options.clicks, Median(times),
      *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
      Median(clicks));
  std::filesystem::remove_all(root);
  return 0;
}

}  // namespace
}  // namespace orbeline

int main(int argc, char** argv) {
  // The offscreen platform's notes on what it cannot do are not what this measures.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  orbeline::Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--size") == 0) {
      std::sscanf(argv[i + 1], "%dx%d", &options.width, &options.height);
    } else if (std::strcmp(argv[i], "--clicks") == 0) {
      options.clicks = std::atoi(argv[i + 1]);
    }
  }
  int qt_argc = 1;
  return orbeline::Run(options, qt_argc, argv);
}
