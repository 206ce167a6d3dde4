#include "ui/specialday_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "calendar/definition.h"
#include "ui/ui_text.h"

namespace orbeline {
namespace {

// The colour list, in ColorMode order.
constexpr std::array<const char*, 10> kColorModes = {
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "None"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Apply"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Sunday"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Weekday"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Saturday"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Holidays"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Today"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Year/Month"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Shadow"),
    QT_TRANSLATE_NOOP("orbeline::TSpecialdayForm", "Box"),
};
// Three columns filled from top to bottom.
constexpr int kColorRows = 4;

std::vector<std::string> ItemTexts(const QComboBox* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->count(); ++i) texts.push_back(list->itemText(i).toStdString());
  return texts;
}

}  // namespace

TSpecialdayForm::TSpecialdayForm(SpecialdayFormModel& model, QWidget* parent)
    : QDialog(parent, kEditorWindowFlags), model_(model) {
  setObjectName(QStringLiteral("SpecialdayForm"));
  setWindowTitle(tr("Special Date Setting"));
  SetDialogFont(*this);

  auto* name_label = new QLabel(tr("Name"), this);
  name_label->setObjectName(QStringLiteral("Label4"));
  names_ = new NameComboBox(this);
  names_->setObjectName(QStringLiteral("SpecialComboBox"));
  names_->setToolTip(tr("Name of the Special Date"));
  names_->setMaxVisibleItems(5);
  name_label->setBuddy(names_);
  auto* add_record = MakeButton(this, "AddButton", tr("Add New"));
  rename_ = MakeButton(this, "NameChangeButton", tr("Rename"));
  delete_record_ = MakeButton(this, "DelButton", tr("Delete"));

  auto* dates_group = new QGroupBox(tr("Set Dates"), this);
  dates_group->setObjectName(QStringLiteral("DatesGroup"));
  auto* month_label = new QLabel(tr("Month"), dates_group);
  month_label->setObjectName(QStringLiteral("Label1"));
  month_ = new QComboBox(dates_group);
  month_->setObjectName(QStringLiteral("MonthCombo"));
  for (const char* name : kMonthNameMemo) month_->addItem(tr(name));
  month_label->setBuddy(month_);
  dates_ = new QListWidget(dates_group);
  dates_->setObjectName(QStringLiteral("DayListBox"));
  dates_->setToolTip(tr("List of set dates"));
  day_add_ = MakeButton(dates_group, "DayAddButton", tr("Add"));
  day_replace_ = MakeButton(dates_group, "DayReplaceButton", tr("Edit"));
  day_delete_ = MakeButton(dates_group, "DayDeleteButton", tr("Delete"));
  QLayout* day_layout = nullptr;
  day_ = MakeDayRuleWidgets(dates_group, 6, day_layout);

  auto* colors = new QGroupBox(tr("Color"), this);
  colors->setObjectName(QStringLiteral("ColorRadioGroup"));
  colors->setToolTip(tr("Set color on the calendar"));
  color_group_ = colors;
  color_mode_ = new QButtonGroup(colors);
  auto* color_grid = new QGridLayout(colors);
  for (int i = 0; i < static_cast<int>(kColorModes.size()); ++i) {
    auto* radio = new QRadioButton(tr(kColorModes[static_cast<std::size_t>(i)]), colors);
    color_mode_->addButton(radio, i);
    color_grid->addWidget(radio, i % kColorRows, i / kColorRows);
  }
  color_button_ = new ColorButton(tr("Apply Color"), colors);
  color_button_->setObjectName(QStringLiteral("SpecialColorButton"));
  // Under the last column's two entries.
  color_grid->addWidget(color_button_, kColorRows - 1, 2, Qt::AlignRight);

  auto* comment_label = new QLabel(tr("Reminder Msg."), this);
  comment_label->setObjectName(QStringLiteral("Label3"));
  comment_ = new QLineEdit(this);
  comment_->setObjectName(QStringLiteral("CommentEdit"));
  comment_->setToolTip(tr("Comment in the dialog box"));
  comment_label->setBuddy(comment_);
  dialog_check_ = new QCheckBox(tr("Display dialog box on special date"), this);
  dialog_check_->setObjectName(QStringLiteral("DialogCheckBox"));
  dialog_check_->setToolTip(tr("Displays a dialog box when special date arrived"));
  QWidget* count_down = MakeCountDownRow();
  preview_ = MakeButton(this, "DialogTestButton", tr("Preview"),
                        tr("Display sample dialog box for special date"));

  ok_ = MakeButton(this, "OKButton", tr("OK"));
  auto* cancel = MakeButton(this, "CancelButton", tr("Cancel"));
  auto* help = MakeButton(this, "HelpButton", tr("&Help"), tr("Show Help"));
  ok_->setDefault(true);

  connect(names_, &NameComboBox::entered, this,
          [this] { Handle([&] { model_.NameListEnter(); }); });
  connect(names_, &NameComboBox::openedEmpty, this,
          [this] { Handle([&] { model_.NameListOpenedEmpty(); }); });
  connect(names_, &NameComboBox::doubleClicked, this,
          [this] { Handle([&] { model_.AddNewClick(); }); });
  connect(names_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.NameSelect(index); }); });
  connect(add_record, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.AddNewClick(); }); });
  connect(rename_, &QPushButton::clicked, this, [this] { Handle([&] { model_.RenameClick(); }); });
  connect(delete_record_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.DeleteClick(); }); });
  connect(month_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.MonthChange(index); }); });
  connect(dates_, &QListWidget::currentRowChanged, this,
          [this](int row) { Handle([&] { model_.DateLineClick(row); }); });
  connect(dates_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    Handle([&] { model_.DateLineClick(dates_->row(item)); });
  });
  connect(day_add_, &QPushButton::clicked, this, [this] { Handle([&] { model_.DayAddClick(); }); });
  connect(day_replace_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.DayEditClick(); }); });
  connect(day_delete_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.DayDeleteClick(); }); });
  ConnectDayRule(this, day_, model_, [this] { Refresh(); });
  connect(color_mode_, &QButtonGroup::idClicked, this,
          [this](int index) { Handle([&] { model_.ColorModeClick(index); }); });
  connect(color_button_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.ApplyColorClick(); }); });
  connect(comment_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.CommentChange(text.toStdString()); });
  connect(dialog_check_, &QCheckBox::clicked, this,
          [this](bool checked) { Handle([&] { model_.DialogCheckClick(checked); }); });
  connect(count_day_, &QSpinBox::valueChanged, this,
          [this](int value) { Handle([&] { model_.CountDayChange(value); }); });
  connect(preview_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.PreviewClick(); }); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    model_.OkClick();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { model_.HelpClick(); });

  // The name and its buttons on top, the dates in their box, the colour list, the reminder,
  // the closing buttons below.
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(name_label);
  name_row->addWidget(names_, 1);
  auto* record_buttons = new QHBoxLayout;
  record_buttons->addStretch();
  record_buttons->addWidget(add_record);
  record_buttons->addWidget(rename_);
  record_buttons->addWidget(delete_record_);

  auto* month_row = new QHBoxLayout;
  month_row->addWidget(month_label);
  month_row->addWidget(month_, 1);
  auto* date_buttons = new QHBoxLayout;
  date_buttons->addWidget(day_add_);
  date_buttons->addWidget(day_replace_);
  date_buttons->addWidget(day_delete_);
  auto* dates_grid = new QGridLayout(dates_group);
  dates_grid->addLayout(month_row, 0, 0);
  dates_grid->addLayout(date_buttons, 0, 1);
  dates_grid->addWidget(dates_, 1, 0);
  dates_grid->addLayout(day_layout, 1, 1);
  dates_grid->setColumnStretch(1, 1);
  dates_->setFixedHeight(dates_->fontMetrics().height() * 5 + 2 * dates_->frameWidth() + 6);

  auto* comment_row = new QHBoxLayout;
  comment_row->addWidget(comment_label);
  comment_row->addWidget(comment_, 1);
  auto* reminder = new QGridLayout;
  reminder->addWidget(dialog_check_, 0, 0);
  reminder->addWidget(count_down, 1, 0);
  reminder->addWidget(preview_, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
  reminder->setColumnStretch(0, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(ok_);
  bottom->addWidget(cancel);
  bottom->addWidget(help);
  bottom->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name_row);
  layout->addLayout(record_buttons);
  layout->addWidget(dates_group);
  layout->addWidget(colors);
  layout->addLayout(comment_row);
  layout->addLayout(reminder);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  std::vector<QWidget*> order = {ok_,
                                 cancel,
                                 help,
                                 names_,
                                 add_record,
                                 rename_,
                                 delete_record_,
                                 month_,
                                 dates_,
                                 day_add_,
                                 day_replace_,
                                 day_delete_,
                                 day_.by_date,
                                 day_.day,
                                 day_.by_weekday,
                                 day_.number_of_week,
                                 day_.day_of_week};
  for (QAbstractButton* radio : color_mode_->buttons()) order.push_back(radio);
  for (QWidget* widget : {static_cast<QWidget*>(color_button_), static_cast<QWidget*>(comment_),
                          static_cast<QWidget*>(dialog_check_), static_cast<QWidget*>(count_day_),
                          static_cast<QWidget*>(preview_)}) {
    order.push_back(widget);
  }
  SetTabOrder(order);
  Refresh();
}

QWidget* TSpecialdayForm::MakeCountDownRow() {
  // The spin editor sits in the gap that the label's text leaves for it.
  auto* row = new QWidget(this);
  count_day_label_ = new QLabel(tr("Count down from               days before"), row);
  count_day_label_->setObjectName(QStringLiteral("CountDayLabel"));
  count_day_ = new QSpinBox(row);
  count_day_->setObjectName(QStringLiteral("CountDaySpin"));
  count_day_->setToolTip(tr("Display a count down message for the special date"));
  count_day_->setRange(0, 9);
  const QString text = count_day_label_->text();
  const QFontMetrics metrics(count_day_label_->font());
  const int gap_start = static_cast<int>(text.indexOf(QLatin1Char(' '), text.indexOf("from")));
  const int gap_end = static_cast<int>(text.indexOf("days"));
  const int left = metrics.horizontalAdvance(text.left(gap_start + 1));
  const int right = metrics.horizontalAdvance(text.left(gap_end));
  const QSize spin = count_day_->minimumSizeHint();
  const int spin_width = std::max(spin.width(), right - left - 4);
  const int height = std::max(spin.height(), count_day_label_->sizeHint().height());
  const int indent = 16;
  count_day_label_->setGeometry(indent, (height - count_day_label_->sizeHint().height()) / 2,
                                count_day_label_->sizeHint().width(),
                                count_day_label_->sizeHint().height());
  count_day_->setGeometry(indent + left + (right - left - spin_width) / 2, 0, spin_width, height);
  row->setFixedSize(indent + std::max(count_day_label_->sizeHint().width(), left + spin_width),
                    height);
  return row;
}

void TSpecialdayForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ok_->setFocus();
}

void TSpecialdayForm::Refresh() {
  const bool enabled = model_.RecordControlsEnabled();
  {
    const QSignalBlocker blocker(names_);
    const std::vector<std::string> names = model_.Names();
    if (ItemTexts(names_) != names) {
      names_->clear();
      for (const std::string& name : names) names_->addItem(QString::fromStdString(name));
    }
    names_->setCurrentIndex(model_.selected());
  }
  rename_->setEnabled(enabled);
  delete_record_->setEnabled(enabled);
  {
    const QSignalBlocker blocker(month_);
    month_->setCurrentIndex(model_.month_index());
  }
  SetLines(dates_, model_.DateLines(), model_.selected_date());
  ShowDayRule(day_, model_.controls(), enabled);
  for (QWidget* widget : {static_cast<QWidget*>(month_), static_cast<QWidget*>(dates_),
                          static_cast<QWidget*>(day_add_), static_cast<QWidget*>(day_replace_),
                          static_cast<QWidget*>(day_delete_), color_group_,
                          static_cast<QWidget*>(comment_), static_cast<QWidget*>(dialog_check_)}) {
    widget->setEnabled(enabled);
  }
  SelectRadio(color_mode_, model_.color_mode());
  color_button_->SetCaptionColor(ToQColor(model_.own_color()));
  color_button_->setEnabled(model_.ApplyColorEnabled());
  if (comment_->text().toStdString() != model_.comment()) {
    comment_->setText(QString::fromStdString(model_.comment()));
  }
  dialog_check_->setChecked(model_.dialog());
  {
    const QSignalBlocker blocker(count_day_);
    count_day_->setValue(model_.count_day());
  }
  const bool count_down = model_.CountDownEnabled();
  count_day_->setEnabled(count_down);
  count_day_label_->setEnabled(count_down);
  preview_->setEnabled(count_down);
}

}  // namespace orbeline
