#include "main/run_program.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QScreen>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/holidays_command.h"
#include "app/main_form.h"
#include "app/version.h"
#include "base/clock.h"
#include "base/durable_file.h"
#include "base/error.h"
#include "base/xdg_folders.h"
#include "calendar/definition_file.h"
#include "calendar/locale_code.h"
#include "platform/desktop_factory.h"
#include "platform/font_warm_up.h"
#include "platform/headless_prompts.h"
#include "platform/instance_lock.h"
#include "platform/qt_canvas.h"
#include "platform/qt_settings_backend.h"
#include "platform/qt_shell.h"
#include "platform/settings_file.h"
#include "settings/overlay_settings_backend.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "shell/launcher_icon.h"
#include "ui/ovalin_form.h"
#include "ui/qt_prompts.h"
#include "ui/qt_settings_dialogs.h"

namespace orbeline {

std::filesystem::path SettingsFile() { return ConfigHomeFolder() / "Quillmere" / "Ovalin.conf"; }

MainFormPorts MakePorts(SettingsStore& store, Prompts& prompts, Shell& shell, Clock& clock,
                        bool instance_lock_held) {
  return {store,
          prompts,
          shell,
          clock,
          [instance_lock_held](const std::string& temp_folder) {
            DesktopOptions options;
            options.temp_folder = temp_folder;
            options.instance_lock_held = instance_lock_held;
            return CreateDesktop(options);
          },
          [](WorkBitmap& work) -> std::unique_ptr<Canvas> {
            return std::make_unique<QtCanvas>(work.Pixels(), work.Width(), work.Height(),
                                              work.StrideBytes());
          }};
}

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

// Runs that cannot ask anybody anything: no display at all, or a scripted run that asks
// for it with ORBELINE_HEADLESS=1 (a test under Xvfb must not wait for a click).
bool IsWindowlessPlatform(std::string_view platform) {
  return platform == "offscreen" || platform == "minimal";
}

bool IsHeadless() {
  if (EnvironmentSet("ORBELINE_HEADLESS")) return true;
  return IsWindowlessPlatform(QGuiApplication::platformName().toStdString());
}

// Runs known before Qt starts to show no window and no message box (a preview, a headless
// run, which tells everything on stderr): painting and fonts are all they need, so they
// start the lighter application object without the widget toolkit.
bool ShowsNoWindow(const LongOptions& options) {
  if (options.command == LongOptions::Command::kPreview) return true;
  if (EnvironmentSet("ORBELINE_HEADLESS")) return true;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  return platform != nullptr && IsWindowlessPlatform(platform);
}

// Where an installation keeps the definition files and the manual (a build tree keeps them
// beside the program, which is looked at first).
std::filesystem::path DataFolder(const std::filesystem::path& exe_dir) {
  return (exe_dir / kDataDirFromProgram).lexically_normal();
}

MainFormEnvironment MakeEnvironment(const std::filesystem::path& exe_path,
                                    const std::vector<std::string>& arguments) {
  const std::filesystem::path exe_dir = exe_path.parent_path();
  const std::string language = ThreeLetterLanguageCode().value_or("");
  MainFormEnvironment environment;
  environment.exe_path = exe_path.string();
  environment.definition_file = FindDefinitionFile(exe_dir, DataFolder(exe_dir), language);
  environment.system_temp = CacheHomeFolder() / "orbeline";
  environment.startup_folder = ConfigHomeFolder() / "autostart";
  environment.home_folder = HomeFolder();
  environment.first_argument = arguments.size() > 1 ? arguments[1] : "";
  environment.japanese_locale = language == "JPN";
  environment.version_number = kVersionNumber;
  return environment;
}

// A clock whose today is fixed; ticks and sleeps are the system's.
class FixedDateClock : public SystemClock {
 public:
  explicit FixedDateClock(std::chrono::year_month_day today) : today_(today) {}
  std::chrono::year_month_day Today() const override { return today_; }

 private:
  std::chrono::year_month_day today_;
};

int RunPreview(const LongOptions& options, const std::filesystem::path& exe_path,
               const std::vector<std::string>& arguments) {
  SystemClock system_clock;
  std::chrono::year_month_day date = system_clock.Today();
  if (!options.preview_date.empty()) {
    std::optional<std::chrono::year_month_day> parsed = ParseIsoDate(options.preview_date);
    if (!parsed) {
      std::cerr << "orbeline: '" << options.preview_date
                << "' is not a date of the form YYYY-MM-DD\n";
      return 2;
    }
    date = *parsed;
  }
  FixedDateClock clock(date);
  QtSettingsBackend file_backend(SettingsFile());
  OverlaySettingsBackend backend(file_backend);
  SettingsStore store(backend);
  HeadlessPrompts prompts;
  HeadlessShell shell;
  std::vector<std::string> no_arguments(arguments.begin(), arguments.begin() + 1);
  MainFormEnvironment environment = MakeEnvironment(exe_path, no_arguments);
  environment.preview = true;
  MainForm form(MakePorts(store, prompts, shell, clock, false), environment);
  if (form.FormCreate() == MainForm::CreateResult::kTerminate) return 1;
  const bool drawn = form.DrawPreview(
      date, options.preview_file, [](const WorkBitmap& work, const std::filesystem::path& path) {
        QImage image(reinterpret_cast<const uchar*>(work.Pixels()), work.Width(), work.Height(),
                     work.StrideBytes(), QImage::Format_RGB32);
        // Encoded in memory and put in place whole: a full disk leaves an earlier preview
        // as it was, never a cut one.
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
          throw Error("Cannot encode the preview " + path.string());
        }
        const std::span<const std::uint8_t> bytes(
            reinterpret_cast<const std::uint8_t*>(png.constData()),
            static_cast<std::size_t>(png.size()));
        WriteFileAtomically(path, std::span(&bytes, 1));
      });
  return drawn ? 0 : 1;
}

int RunHolidays(const LongOptions& options, const std::filesystem::path& exe_path) {
  QtSettingsBackend file_backend(SettingsFile());
  OverlaySettingsBackend backend(file_backend);
  SettingsStore store(backend);
  const MainFormEnvironment environment = MakeEnvironment(exe_path, {});
  const Definition definition = LoadDefinitionFile(environment.definition_file);
  HeadlessShell shell;
  HeadlessPrompts prompts;
  return RunHolidaysCommand(
      options.holidays_year, store, definition,
      {environment.exe_path, environment.version_number, environment.system_temp}, shell, prompts,
      std::cout, std::cerr);
}

// The program's icon as its launchers name it: a theme name when installed, else a path.
QIcon ProgramIcon(const std::string& location) {
  const QString name = QString::fromStdString(location);
  if (name.isEmpty()) return {};
  return name.startsWith(QLatin1Char('/')) ? QIcon(name) : QIcon::fromTheme(name);
}

// The interactive run: the settings window until the user quits or closes it.
int RunSettingsWindow(MainForm& form, SettingsStore& store, Prompts& prompts, Shell& shell,
                      const std::string& icon_location) {
  // Title bars, the task switcher and the version box show the icon the menu shows.
  QApplication::setWindowIcon(ProgramIcon(icon_location));
  QtSettingsDialogs dialogs;
  TOvalinForm window(form, {store, prompts, shell, dialogs});
  dialogs.set_parent(&window);
  window.show();
  const int code = QApplication::exec();
  return window.ended_by_error() ? 1 : code;
}

int RunWithQt(char* program_name, const std::vector<std::string>& arguments,
              const LongOptions& options) {
  // Every run that gets this far draws text (a calendar, a window).
  const FontWarmUp font_warm_up;
  // The platforms Qt tries in turn; the user's own choice stands. Wayland does not let a
  // program place its own windows, which the positioning marker must do, so under a Wayland
  // session with an X server beside it (XWayland) X comes first. The offscreen platform comes
  // last: without a display, or with one that cannot be reached (a stale DISPLAY at login or
  // in cron), the program still draws there instead of aborting.
  if (!EnvironmentSet("QT_QPA_PLATFORM")) {
    std::string platforms;
    if (EnvironmentSet("DISPLAY")) platforms += "xcb;";
    if (EnvironmentSet("WAYLAND_DISPLAY")) platforms += "wayland;";
    platforms += "offscreen";
    setenv("QT_QPA_PLATFORM", platforms.c_str(), 1);
  }
  // Qt sees the program's name only: the first argument's grammar alone decides, so Qt's own
  // options ("-platform", "-plugin", ...) are arguments like any other.
  int qt_argc = 1;
  char* qt_argv[] = {program_name, nullptr};
  const std::unique_ptr<QGuiApplication> application =
      ShowsNoWindow(options) ? std::make_unique<QGuiApplication>(qt_argc, qt_argv)
                             : std::make_unique<QApplication>(qt_argc, qt_argv);
  const std::filesystem::path exe_path = ExecutablePath(program_name);
  if (options.command == LongOptions::Command::kPreview) {
    return RunPreview(options, exe_path, arguments);
  }
  QCoreApplication::setApplicationName(QStringLiteral("Orbeline"));
  const bool headless = IsHeadless();
  std::unique_ptr<Prompts> prompts;
  if (headless) {
    prompts = std::make_unique<HeadlessPrompts>();
  } else {
    prompts = std::make_unique<QtPrompts>();
  }

  const std::filesystem::path exe_dir = exe_path.parent_path();
  std::unique_ptr<Shell> shell;
  if (headless) {
    shell = std::make_unique<HeadlessShell>();
  } else {
    shell = std::make_unique<QtShell>(exe_dir, DataFolder(exe_dir));
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

  int exit_code = 0;
  try {
    // Holding the lock: nobody else writes these files now.
    const std::filesystem::path settings_file = SettingsFile();
    RemoveInterruptedSettingsWrites(settings_file.parent_path());
    QtSettingsBackend backend(settings_file);
    SettingsStore store(backend);
    if (code > 0) store.WriteSetting(setting::kAutoDraw, std::to_string(code));

    SystemClock clock;
    MainFormEnvironment environment = MakeEnvironment(exe_path, arguments);
    environment.instance_lock_held = true;
    // Only a window shows the icon and writes launchers that name it.
    if (!headless) {
      environment.icon_location =
          LauncherIcon(exe_dir, DataFolder(exe_dir).parent_path(), kApplicationId);
    }
    MainForm form(MakePorts(store, *prompts, *shell, clock, true), environment);
    switch (form.FormCreate()) {
      case MainForm::CreateResult::kTerminate:
        exit_code = 1;
        break;
      case MainForm::CreateResult::kAlreadyDrawn:
        break;
      case MainForm::CreateResult::kDrawOnly:
        if (!form.RunDrawOnly()) exit_code = 1;
        break;
      case MainForm::CreateResult::kInteractive:
        if (headless) {
          std::fprintf(stderr, "orbeline: the settings window needs a display\n");
          exit_code = 1;
          break;
        }
        exit_code = RunSettingsWindow(form, store, *prompts, *shell, environment.icon_location);
        break;
    }
    store.Flush();
  } catch (const std::exception& error) {
    // The one general error report: the operation stopped, the user is told why.
    prompts->ShowMessage({"Orbeline", ErrorText(error), Prompts::Icon::kStop, Prompts::Buttons::kOk,
                          Prompts::Answer::kOk});
    exit_code = 1;
  }
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
        // Reads the store only: no window system is needed.
        return RunHolidays(options, ExecutablePath(argv[0]));
      case LongOptions::Command::kPreview:
      case LongOptions::Command::kNone:
        break;
    }
    return RunWithQt(argv[0], arguments, options);
  } catch (const std::exception& error) {
    std::cerr << "orbeline: " << ErrorText(error) << "\n";
    return 1;
  }
}

}  // namespace orbeline
