#include "ui/holiday_form.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "calendar/definition.h"
#include "ui/dialog_controls.h"

namespace orbeline {

THolidayForm::THolidayForm(HolidayFormModel& model, QWidget* parent)
    : QDialog(parent, kEditorWindowFlags), model_(model) {
  setObjectName(QStringLiteral("HolidayForm"));
  setWindowTitle(tr("Holidays Setting"));
  SetDialogFont(*this);

  auto* month_label = new QLabel(tr("Month"), this);
  month_label->setObjectName(QStringLiteral("Label1"));
  month_ = new QComboBox(this);
  month_->setObjectName(QStringLiteral("MonthComboBox"));
  month_->setToolTip(tr("Select month to configure holidays"));
  month_->setMaxVisibleItems(12);
  for (int i = 0; i < 12; ++i) month_->addItem(tr(kMonthNameMemo[static_cast<std::size_t>(i)]));
  month_label->setBuddy(month_);

  auto* list_label = new QLabel(tr("Applied Holidays"), this);
  list_label->setObjectName(QStringLiteral("Label2"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("HolidayList"));
  list_->setToolTip(tr("List of Holidays"));
  list_label->setBuddy(list_);

  add_ = MakeButton(this, "AddButton", tr("Add"), tr("Add Holiday"));
  replace_ = MakeButton(this, "ReplaceButton", tr("Replace"), tr("Replace Selected Holiday"));
  delete_ = MakeButton(this, "DeleteButton", tr("Delete"), tr("Delete Selected Holiday"));

  QLayout* day_layout = nullptr;
  day_ = MakeDayRuleWidgets(this, 5, day_layout);

  ok_ = MakeButton(this, "OKButton", tr("OK"), tr("Apply Configurations and Close"));
  auto* cancel =
      MakeButton(this, "CancelButton", tr("Cancel"), tr("Ignore Configurations and Close"));
  auto* help = MakeButton(this, "HelpButton", tr("&Help"), tr("Show Help"));
  ok_->setDefault(true);

  connect(month_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.MonthChange(index + 1); }); });
  connect(list_, &QListWidget::currentRowChanged, this,
          [this](int row) { Handle([&] { model_.LineClick(row); }); });
  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { Handle([&] { model_.LineClick(list_->row(item)); }); });
  connect(add_, &QPushButton::clicked, this, [this] { Handle([&] { model_.AddClick(); }); });
  connect(replace_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.ReplaceClick(); }); });
  connect(delete_, &QPushButton::clicked, this, [this] { Handle([&] { model_.DeleteClick(); }); });
  ConnectDayRule(this, day_, model_, [this] { Refresh(); });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { model_.HelpClick(); });

  // The month on top, the list on the left, the edit buttons
  // and the day controls on the right, the closing buttons below.
  auto* top = new QHBoxLayout;
  top->addWidget(month_label);
  top->addWidget(month_);
  top->addStretch();
  auto* edit_buttons = new QHBoxLayout;
  edit_buttons->addWidget(add_);
  edit_buttons->addWidget(replace_);
  edit_buttons->addWidget(delete_);
  auto* grid = new QGridLayout;
  grid->addWidget(list_label, 0, 0);
  grid->addLayout(edit_buttons, 0, 1);
  grid->addWidget(list_, 1, 0);
  grid->addLayout(day_layout, 1, 1);
  grid->setColumnStretch(1, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(ok_);
  bottom->addWidget(cancel);
  bottom->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The longest rule beside a scroll bar, seven lines high.
  list_->setFixedSize(list_->fontMetrics().horizontalAdvance(QStringLiteral("LastWednesday")) +
                          list_->verticalScrollBar()->sizeHint().width() + 12,
                      list_->fontMetrics().height() * 7 + 2 * list_->frameWidth() + 4);

  SetTabOrder({ok_, cancel, help, month_, list_, add_, replace_, delete_, day_.by_date, day_.day,
               day_.by_weekday, day_.number_of_week, day_.day_of_week});
  Refresh();
  // The dialog sees every key first: Enter is OK wherever the focus is.
  qApp->installEventFilter(this);
}

THolidayForm::~THolidayForm() { qApp->removeEventFilter(this); }

void THolidayForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ok_->setFocus();
}

bool THolidayForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  // A list opened from the dialog is a window of its own: Enter picks its line there.
  if (widget == nullptr || widget->window() != this || !isVisible()) return false;
  accept();
  return true;
}

void THolidayForm::Refresh() {
  const QSignalBlocker month_blocker(month_);
  const QSignalBlocker list_blocker(list_);
  month_->setCurrentIndex(model_.month() - 1);
  SetLines(list_, model_.lines(), model_.selected_line());
  add_->setEnabled(model_.AddEnabled());
  replace_->setEnabled(model_.ReplaceEnabled());
  delete_->setEnabled(model_.DeleteEnabled());
  ShowDayRule(day_, model_.controls(), true);
}

}  // namespace orbeline
