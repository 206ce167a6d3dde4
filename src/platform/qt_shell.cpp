#include "platform/qt_shell.h"

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

void QtShell::OpenManual(int topic) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(ManualPath().string()));
  url.setFragment(QStringLiteral("topic-%1").arg(topic));
  QDesktopServices::openUrl(url);
}

void QtShell::OpenManualContents() {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(ManualPath().string())));
}

}  // namespace orbeline
