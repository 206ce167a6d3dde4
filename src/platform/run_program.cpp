#include "platform/run_program.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/clock.h"
#include "app/command_line.h"
#include "app/error.h"
#include "app/main_form.h"
#include "app/settings_store.h"
#include "app/version.h"
#include "calendar/definition_file.h"
#include "calendar/locale_code.h"
#include "platform/headless_prompts.h"
#include "platform/instance_lock.h"
#include "platform/qt_prompts.h"
#include "platform/qt_settings_backend.h"
#include "platform/qt_shell.h"

namespace orbeline {
namespace {

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

std::filesystem::path ExecutablePath(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self;
  return std::filesystem::absolute(argv0, error);
}

std::filesystem::path XdgDir(const char* variable, const char* fallback_in_home) {
  if (EnvironmentSet(variable)) return std::getenv(variable);
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "/tmp") / fallback_in_home;
}

// Runs that cannot ask anybody anything: no display at all, or a scripted run that asks
// for it with ORBELINE_HEADLESS=1 (a test under Xvfb must not wait for a click).
bool IsHeadless() {
  if (EnvironmentSet("ORBELINE_HEADLESS")) return true;
  return QGuiApplication::platformName() == QLatin1String("offscreen") ||
         QGuiApplication::platformName() == QLatin1String("minimal");
}

ScreenRect PrimaryScreenRect() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || IsHeadless()) return {0, 0, 1920, 1080};
  QRect geometry = screen->virtualGeometry();
  return {geometry.left(), geometry.top(), geometry.left() + geometry.width(),
          geometry.top() + geometry.height()};
}

std::filesystem::path DefinitionFileFor(const std::filesystem::path& exe_dir) {
  return FindDefinitionFile(exe_dir, kDataDir, ThreeLetterLanguageCode().value_or(""));
}

int RunWithQt(int argc, char** argv, const std::vector<std::string>& arguments) {
  // Without a display the program still draws: Qt paints on its offscreen platform.
  if (!EnvironmentSet("DISPLAY") && !EnvironmentSet("WAYLAND_DISPLAY") &&
      !EnvironmentSet("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orbeline"));
  const bool headless = IsHeadless();
  std::unique_ptr<Prompts> prompts;
  if (headless) {
    prompts = std::make_unique<HeadlessPrompts>();
  } else {
    prompts = std::make_unique<QtPrompts>();
  }

  const std::filesystem::path exe_path = ExecutablePath(argv[0]);
  const std::filesystem::path exe_dir = exe_path.parent_path();
  std::unique_ptr<Shell> shell;
  if (headless) {
    shell = std::make_unique<HeadlessShell>();
  } else {
    shell = std::make_unique<QtShell>(exe_dir, kDataDir);
  }

  InstanceLock lock;
  if (!lock.TryAcquire()) {
    prompts->ShowMessage({"Error", "Orbeline already launched!", Prompts::Icon::kExclamation,
                          Prompts::Buttons::kOk, Prompts::Answer::kOk});
    return 1;
  }

  int code = 0;
  if (arguments.size() > 1) {
    code = AutoDrawCode(arguments[1], [](const std::string& path) {
      std::error_code error;
      return std::filesystem::is_regular_file(path, error);
    });
    // An argument that matches nothing ends the run at once, silently.
    if (code == 0) return 0;
  }

  QtSettingsBackend backend(QStringLiteral("Quillmere"), QStringLiteral("Ovalin"));
  SettingsStore store(backend);
  if (code > 0) store.WriteSetting("AutoDraw", std::to_string(code));

  SystemClock clock;
  MainFormEnvironment environment;
  environment.exe_path = exe_path.string();
  environment.definition_file = DefinitionFileFor(exe_dir);
  environment.system_temp = XdgDir("XDG_CACHE_HOME", ".cache") / "orbeline";
  environment.startup_folder = XdgDir("XDG_CONFIG_HOME", ".config") / "autostart";
  environment.screen = PrimaryScreenRect();
  environment.version_number = kVersionNumber;
  MainForm form({store, *prompts, *shell, clock}, environment);

  int exit_code = 0;
  switch (form.FormCreate()) {
    case MainForm::CreateResult::kTerminate:
      break;
    case MainForm::CreateResult::kDrawOnly:
      // The drawing itself (composition, calendar, installation) joins here.
      break;
    case MainForm::CreateResult::kInteractive:
      if (headless) {
        std::fprintf(stderr, "orbeline: the settings window needs a display\n");
      } else {
        std::fprintf(stderr, "orbeline: the settings window is not available yet\n");
      }
      exit_code = 1;
      break;
  }
  store.Flush();
  return exit_code;
}

}  // namespace

int RunProgram(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  LongOptions options =
      ParseLongOptions(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
  try {
    switch (options.command) {
      case LongOptions::Command::kHelp:
        std::cout << UsageText();
        return 0;
      case LongOptions::Command::kVersion:
        std::cout << "Orbeline " << kVersionText << "\n";
        return 0;
      case LongOptions::Command::kError:
        std::cerr << "orbeline: " << options.error << "\n" << UsageText();
        return 2;
      case LongOptions::Command::kHolidays:
      case LongOptions::Command::kPreview:
        std::cerr << "orbeline: this option is not available yet\n";
        return 2;
      case LongOptions::Command::kNone:
        break;
    }
    return RunWithQt(argc, argv, arguments);
  } catch (const std::exception& error) {
    std::cerr << "orbeline: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace orbeline
