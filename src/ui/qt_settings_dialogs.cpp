#include "ui/qt_settings_dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>

#include "ui/ui_text.h"

namespace orbeline {

std::optional<ColorRef> QtSettingsDialogs::ChooseColor(ColorRef initial,
                                                       std::array<ColorRef, 16>& custom_colors) {
  for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) {
    QColorDialog::setCustomColor(i, ToQColor(custom_colors[static_cast<std::size_t>(i)]));
  }
  QColorDialog dialog(ToQColor(initial), parent_);
  const bool chosen = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) {
    custom_colors[static_cast<std::size_t>(i)] = ToColorRef(QColorDialog::customColor(i));
  }
  if (!chosen) return std::nullopt;
  return ToColorRef(dialog.selectedColor());
}

std::optional<FontSetting> QtSettingsDialogs::ChooseFont(const FontSetting& initial) {
  bool ok = false;
  QFont font = QFontDialog::getFont(&ok, ToQFont(initial), parent_);
  if (!ok) return std::nullopt;
  return ToFontSetting(font);
}

std::optional<std::string> QtSettingsDialogs::ChooseFolder(const std::string& title,
                                                           const std::string& initial) {
  QString start = QString::fromStdString(initial);
  if (!QDir(start).exists()) start = QDir::rootPath();
  QString folder = QFileDialog::getExistingDirectory(parent_, Tr(title), start);
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

void QtSettingsDialogs::SetBusyCursor(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace orbeline
