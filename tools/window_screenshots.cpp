// Grabs the settings window's four pages, the confirmation dialog and the version box as
// PNG files, for looking at by eye and for the README. Run it in a scratch home:
//
//   HOME=... XDG_CONFIG_HOME=... XDG_CACHE_HOME=... ORBELINE_DESKTOP=generic
//   xvfb-run -a orbeline_window_screenshots OUTPUT_DIR [-style Fusion]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <filesystem>

#include "app/main_form.h"
#include "base/clock.h"
#include "base/xdg_folders.h"
#include "platform/desktop_factory.h"
#include "platform/headless_prompts.h"
#include "platform/qt_canvas.h"
#include "platform/qt_settings_backend.h"
#include "platform/qt_shell.h"
#include "settings/settings_store.h"
#include "ui/about_box.h"
#include "ui/check_form.h"
#include "ui/ovalin_form.h"
#include "ui/qt_settings_dialogs.h"

namespace orbeline {
namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
  const QString path = folder.filePath(QLatin1String(name));
  if (!widget.grab().save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

int Run(const QDir& folder) {
  QtSettingsBackend backend(ConfigHomeFolder() / "Quillmere" / "Ovalin.conf");
  SettingsStore store(backend);
  // Nothing asks at start, and the startup offer stays away from the pictures.
  store.WriteSetting("StartupCheck", "1");
  HeadlessPrompts prompts;
  HeadlessShell shell;
  SystemClock clock;
  MainFormPorts ports{store,
                      prompts,
                      shell,
                      clock,
                      [](const std::string& temp_folder) {
                        DesktopOptions options;
                        options.temp_folder = temp_folder;
                        return CreateDesktop(options);
                      },
                      [](WorkBitmap& work) -> std::unique_ptr<Canvas> {
                        return std::make_unique<QtCanvas>(work.Pixels(), work.Width(),
                                                          work.Height(), work.StrideBytes());
                      }};
  MainFormEnvironment environment;
  environment.exe_path = "orbeline";
  environment.definition_file = std::filesystem::path(ORBELINE_SOURCE_DIR) / "data" / "ENU.def";
  environment.system_temp = CacheHomeFolder() / "orbeline";
  environment.startup_folder = ConfigHomeFolder() / "autostart";
  environment.home_folder = HomeFolder();
  MainForm form(ports, environment);
  if (form.FormCreate() != MainForm::CreateResult::kInteractive) return 1;

  QtSettingsDialogs dialogs;
  TOvalinForm window(form, {store, prompts, shell, dialogs});
  window.show();
  QApplication::processEvents();
  auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl"));
  const char* names[] = {"main.png", "options.png", "misc.png", "advanced.png"};
  bool saved = true;
  for (int page = 0; page < 4; ++page) {
    pages->setCurrentIndex(page);
    QApplication::processEvents();
    saved = Save(window, folder, names[page]) && saved;
  }
  TCheckForm question(QStringLiteral("Confirm"),
                      QStringLiteral("Load Configure3. Current setting will be discarded. Are "
                                     "you sure?"),
                      Prompts::ConfirmationMode::kQuestion, &window);
  question.show();
  QApplication::processEvents();
  saved = Save(question, folder, "confirmation.png") && saved;
  question.close();
  TAboutBox about(&window);
  about.show();
  QApplication::processEvents();
  saved = Save(about, folder, "version.png") && saved;
  about.close();
  window.hide();
  return saved ? 0 : 1;
}

}  // namespace
}  // namespace orbeline

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: orbeline_window_screenshots OUTPUT_DIR\n");
    return 2;
  }
  QDir folder(QString::fromLocal8Bit(argv[1]));
  folder.mkpath(QStringLiteral("."));
  return orbeline::Run(folder);
}
