// Grabs the settings window's four pages, the confirmation dialog, the version box and the
// holiday and special-day dialogs as PNG files, for looking at by eye and for the README. The
// store gets a Japanese shop's May holidays and three special days, and today is 16 May 2026.
// Run it in a scratch home:
//
//   HOME=... XDG_CONFIG_HOME=... XDG_CACHE_HOME=... ORBELINE_DESKTOP=generic
//   xvfb-run -a orbeline_window_screenshots OUTPUT_DIR [-style Fusion]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <filesystem>

#include "app/holiday_form_model.h"
#include "app/main_form.h"
#include "app/specialday_form_model.h"
#include "base/clock.h"
#include "base/xdg_folders.h"
#include "main/run_program.h"
#include "platform/headless_prompts.h"
#include "platform/qt_settings_backend.h"
#include "platform/qt_shell.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "ui/about_box.h"
#include "ui/check_form.h"
#include "ui/holiday_form.h"
#include "ui/ovalin_form.h"
#include "ui/qt_settings_dialogs.h"
#include "ui/specialday_form.h"

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

// The pictures show the same day whenever they are made.
class FixedClock : public SystemClock {
 public:
  std::chrono::year_month_day Today() const override { return std::chrono::year{2026} / 5 / 16; }
};

// Closed on the national holidays of Golden Week and on the 2nd and last Wednesday.
constexpr const char* kMayHolidays = "5 3 4 203 503";
constexpr const char* kSpecialDays[] = {
    "Bargain sale\\1/2,7/15,12/26,13/504\\1\\$000080FF\\The bargain sale starts.\\1\\3",
    "Payday\\13/25\\5\\clYellow\\Payday.\\0\\0",
    "Mother's Day\\5/200\\4\\clYellow\\Carnations for the shop window.\\1\\2",
};

int Run(const QDir& folder) {
  QtSettingsBackend backend(SettingsFile());
  SettingsStore store(backend);
  // Nothing asks at start, and the startup offer stays away from the pictures.
  store.WriteSetting(setting::kStartupCheck, "1");
  HeadlessPrompts prompts;
  HeadlessShell shell;
  FixedClock clock;
  MainFormEnvironment environment;
  environment.exe_path = "orbeline";
  environment.definition_file = std::filesystem::path(ORBELINE_SOURCE_DIR) / "data" / "ENU.def";
  environment.system_temp = CacheHomeFolder() / "orbeline";
  environment.startup_folder = ConfigHomeFolder() / "autostart";
  environment.home_folder = HomeFolder();
  MainForm form(MakePorts(store, prompts, shell, clock, false), environment);
  if (form.FormCreate() != MainForm::CreateResult::kInteractive) return 1;
  // After the first run's values: the lists the two dialogs show.
  store.WriteSetting(std::string(setting::kHolidayPrefix) + "5", kMayHolidays);
  for (int i = 0; i < 3; ++i) {
    store.WriteSetting(std::string(setting::kSpecialPrefix) + std::to_string(i), kSpecialDays[i]);
  }
  if (!form.ApplySettingsToWindow()) return 1;

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

  HolidayFormModel holidays(form.holidays(), 5, shell, prompts);
  holidays.LineClick(3);  // 2ndWednesday
  THolidayForm holiday_form(holidays, &window);
  holiday_form.show();
  QApplication::processEvents();
  saved = Save(holiday_form, folder, "holidays.png") && saved;
  holiday_form.close();
  SpecialdayFormModel special_days(form.special_days().records(), 0, clock.Today(),
                                   {prompts, dialogs, shell});
  TSpecialdayForm special_form(special_days, &window);
  special_form.show();
  QApplication::processEvents();
  saved = Save(special_form, folder, "special_days.png") && saved;
  special_form.close();
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
