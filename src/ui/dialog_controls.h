#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <string>
#include <vector>

#include "app/day_rule_controls.h"

namespace orbeline {

// What the holiday and the special-day dialog share: the window, the font, buttons with a
// hint, and the block of day controls ("Apply by date" with its day, "Apply by weekday"
// with the ordinal and weekday lists).

// A single border with the system menu and the minimise button.
inline constexpr Qt::WindowFlags kEditorWindowFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Arial, 12 pixels high.
void SetDialogFont(QWidget& dialog);

// Checks the radio button with id `index` without signals; an index no button has shows no
// choice.
void SelectRadio(QButtonGroup* group, int index);

// A push button named `name`; an empty hint shows none.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& hint = {});

struct DayRuleWidgets {
  QRadioButton* by_date;
  QSpinBox* day;
  QRadioButton* by_weekday;
  QComboBox* number_of_week;
  QComboBox* day_of_week;
};

// The day controls, the editor of each indented under its radio button, in `layout`.
// `ordinal_items` of the ordinal names are offered (5 stops before "Every").
DayRuleWidgets MakeDayRuleWidgets(QWidget* parent, int ordinal_items, QLayout*& layout);

// Binds the day controls to a model's handlers; `refresh` shows the model again after each.
template <typename Model, typename Refresh>
void ConnectDayRule(QWidget* context, const DayRuleWidgets& widgets, Model& model,
                    Refresh refresh) {
  QObject::connect(widgets.by_date, &QRadioButton::clicked, context, [&model, refresh] {
    model.ByDateClick(true);
    refresh();
  });
  QObject::connect(widgets.by_weekday, &QRadioButton::clicked, context, [&model, refresh] {
    model.ByDateClick(false);
    refresh();
  });
  QObject::connect(widgets.day, &QSpinBox::valueChanged, context, [&model, refresh](int value) {
    model.DayChange(value);
    refresh();
  });
  QObject::connect(widgets.number_of_week, &QComboBox::activated, context,
                   [&model, refresh](int index) {
                     model.NumberOfWeekChange(index);
                     refresh();
                   });
  QObject::connect(widgets.day_of_week, &QComboBox::activated, context,
                   [&model, refresh](int index) {
                     model.DayOfWeekChange(index);
                     refresh();
                   });
}

// Shows the controls' state; the day is enabled only with "Apply by date", the lists only
// without it. `enabled` false disables the day as well.
void ShowDayRule(const DayRuleWidgets& widgets, const DayRuleControls& controls, bool enabled);

// Fills a list box with `lines` (only when they changed) and selects `selected` (-1: none).
void SetLines(QListWidget* list, const std::vector<std::string>& lines, int selected);

// The tab order, first to last.
void SetTabOrder(const std::vector<QWidget*>& widgets);

}  // namespace orbeline
