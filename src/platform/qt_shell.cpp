#include "platform/qt_shell.h"

#include <gio/gio.h>

#include <QDesktopServices>
#include <QUrl>
#include <system_error>

namespace orbeline {

QtShell::QtShell(std::filesystem::path exe_dir, std::filesystem::path data_dir)
    : exe_dir_(std::move(exe_dir)), data_dir_(std::move(data_dir)) {}

std::filesystem::path QtShell::ManualPath() const {
  std::error_code error;
  std::filesystem::path beside = exe_dir_ / "ovalin.html";
  if (std::filesystem::exists(beside, error)) return beside;
  return data_dir_ / "ovalin.html";
}

bool QtShell::OpenManual(int topic) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(ManualPath().string()));
  url.setFragment(QStringLiteral("topic-%1").arg(topic));
  return QDesktopServices::openUrl(url);
}

bool QtShell::OpenManualContents() {
  return QDesktopServices::openUrl(
      QUrl::fromLocalFile(QString::fromStdString(ManualPath().string())));
}

void QtShell::TrustLauncher(const std::string& path) {
  // GNOME's file manager starts a desktop launcher only when its metadata says it is
  // trusted; the attribute exists only where GIO's metadata store runs, so a refusal is
  // not an error: the launcher is still there and can be trusted by hand.
  GFile* file = g_file_new_for_path(path.c_str());
  g_file_set_attribute_string(file, "metadata::trusted", "true", G_FILE_QUERY_INFO_NONE, nullptr,
                              nullptr);
  g_object_unref(file);
}

}  // namespace orbeline
