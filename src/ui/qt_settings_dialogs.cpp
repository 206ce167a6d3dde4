#include "ui/qt_settings_dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>

#include "ui/holiday_form.h"
#include "ui/specialday_form.h"
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

std::optional<ColorRef> QtSettingsDialogs::ChooseSolidColor(ColorRef initial) {
  QColorDialog dialog(ToQColor(initial), parent_);
  dialog.setOptions(QColorDialog::DontUseNativeDialog);
  // The basic and custom colours only: the picker, the colour fields and the buttons that
  // define a colour of one's own are left out.
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QByteArray kind = child->metaObject()->className();
    if (kind == "QColorPicker" || kind == "QColorLuminancePicker" || kind == "QColorShower" ||
        kind == "QPushButton") {
      child->hide();
    }
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToColorRef(dialog.selectedColor());
}

bool QtSettingsDialogs::EditHolidays(HolidayFormModel& model) {
  THolidayForm dialog(model, parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtSettingsDialogs::EditSpecialDays(SpecialdayFormModel& model) {
  TSpecialdayForm dialog(model, parent_);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<FontSetting> QtSettingsDialogs::ChooseFont(const FontSetting& initial) {
  bool ok = false;
  QFont font = QFontDialog::getFont(&ok, FontDialogPreset(initial), parent_);
  if (!ok) return std::nullopt;
  return ChosenFont(initial, font);
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
