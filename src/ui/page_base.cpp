#include "ui/page_base.h"

namespace orbeline {

SettingsPage::SettingsPage(OvalinFormModel& model, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), model_(model), changed_(std::move(changed)) {}

QCheckBox* SettingsPage::MakeCheck(const char* name, const char* caption, const char* hint,
                                   CheckControl control) {
  auto* check = new QCheckBox(tr(caption), this);
  check->setObjectName(QLatin1String(name));
  if (hint != nullptr) check->setToolTip(tr(hint));
  connect(check, &QCheckBox::clicked, this,
          [this, control](bool checked) { Handle([&] { model_.CheckClick(control, checked); }); });
  checks_.emplace_back(check, control);
  return check;
}

void SettingsPage::RefreshChecks() {
  for (auto& [check, control] : checks_) {
    const QSignalBlocker blocker(check);
    check->setChecked(model_.Checked(control));
    check->setEnabled(model_.IsEnabled(control));
    check->setHidden(!model_.IsShown(control));
  }
}

void SettingsPage::SelectIndex(QComboBox* list, int index) {
  const QSignalBlocker blocker(list);
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace orbeline
