#include "ui/dialog_controls.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QStyle>

#include "calendar/definition.h"

namespace orbeline {

void SetDialogFont(QWidget& dialog) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  dialog.setFont(font);
}

void SelectRadio(QButtonGroup* group, int index) {
  const QSignalBlocker blocker(group);
  if (QAbstractButton* button = group->button(index)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& hint) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  if (!hint.isEmpty()) button->setToolTip(hint);
  return button;
}

DayRuleWidgets MakeDayRuleWidgets(QWidget* parent, int ordinal_items, QLayout*& layout) {
  DayRuleWidgets widgets{};
  widgets.by_date = new QRadioButton(QDialog::tr("Apply by date"), parent);
  widgets.by_date->setObjectName(QStringLiteral("SamedayRadio"));
  widgets.by_date->setChecked(true);
  widgets.day = new QSpinBox(parent);
  widgets.day->setObjectName(QStringLiteral("DayEdit"));
  widgets.day->setRange(1, 31);
  if (auto* edit = widgets.day->findChild<QLineEdit*>()) edit->setMaxLength(2);
  widgets.by_weekday = new QRadioButton(QDialog::tr("Apply by weekday"), parent);
  widgets.by_weekday->setObjectName(QStringLiteral("WeekdayRadio"));
  widgets.number_of_week = new QComboBox(parent);
  widgets.number_of_week->setObjectName(QStringLiteral("NumberOfWeekCombo"));
  for (int i = 0; i < ordinal_items; ++i) {
    widgets.number_of_week->addItem(QDialog::tr(kNumberOfWeekMemo[static_cast<std::size_t>(i)]));
  }
  widgets.day_of_week = new QComboBox(parent);
  widgets.day_of_week->setObjectName(QStringLiteral("DayOfWeekCombo"));
  for (const char* name : kDayOfWeekMemo) widgets.day_of_week->addItem(QDialog::tr(name));

  // The editors stand under the text of their radio button.
  const int indent = parent->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                     parent->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
  auto* grid = new QGridLayout;
  grid->setColumnMinimumWidth(0, indent);
  grid->addWidget(widgets.by_date, 0, 0, 1, 4);
  grid->addWidget(widgets.day, 1, 1);
  grid->addWidget(widgets.by_weekday, 2, 0, 1, 4);
  grid->addWidget(widgets.number_of_week, 3, 1);
  grid->addWidget(widgets.day_of_week, 3, 2);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(4, 1);
  layout = grid;
  return widgets;
}

void ShowDayRule(const DayRuleWidgets& widgets, const DayRuleControls& controls, bool enabled) {
  const QSignalBlocker day_blocker(widgets.day);
  const QSignalBlocker week_blocker(widgets.number_of_week);
  const QSignalBlocker weekday_blocker(widgets.day_of_week);
  widgets.by_date->setChecked(controls.by_date);
  widgets.by_weekday->setChecked(!controls.by_date);
  widgets.day->setValue(controls.day);
  widgets.number_of_week->setCurrentIndex(controls.number_of_week);
  widgets.day_of_week->setCurrentIndex(controls.day_of_week);
  widgets.day->setEnabled(enabled && controls.by_date);
  widgets.number_of_week->setEnabled(!controls.by_date);
  widgets.day_of_week->setEnabled(!controls.by_date);
}

void SetLines(QListWidget* list, const std::vector<std::string>& lines, int selected) {
  const QSignalBlocker blocker(list);
  bool same = list->count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list->count(); ++i) {
    same = list->item(i)->text().toStdString() == lines[static_cast<std::size_t>(i)];
  }
  if (!same) {
    list->clear();
    for (const std::string& line : lines) list->addItem(QString::fromStdString(line));
  }
  list->setCurrentRow(selected);
  if (selected < 0) list->clearSelection();
}

void SetTabOrder(const std::vector<QWidget*>& widgets) {
  QWidget* previous = nullptr;
  for (QWidget* widget : widgets) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace orbeline
