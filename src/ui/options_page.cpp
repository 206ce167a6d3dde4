#include "ui/options_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <climits>

#include "ui/dialog_controls.h"
#include "ui/typed_length_spin_box.h"
#include "ui/ui_text.h"

namespace orbeline {
namespace {

struct ColorButtonRow {
  const char* name;
  const char* caption;
  const char* hint;
};
// In ColorSlot order.
constexpr std::array<ColorButtonRow, 8> kColorButtons = {{
    {"SundayColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Sunday"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Sunday's Color")},
    {"WeekdayColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Weekday"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Weekday's Color")},
    {"SaturdayColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Saturday"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Saturday's Color")},
    {"HolidayColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Holidays"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Holiday's Color")},
    {"TodayColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Today"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Today's Color")},
    {"YearMonthColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Year/Month"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Year/Month's Color")},
    {"ShadowColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Shadow"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Shadow's Color")},
    {"DayboxColorButton", QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Box"),
     QT_TRANSLATE_NOOP("orbeline::OptionsPage", "Box's Color")},
}};

// The entry text the definition file built, else the window's own.
QString EntryText(const std::string& built, std::string_view own) {
  return built.empty() ? Tr(own) : QString::fromStdString(built);
}

}  // namespace

OptionsPage::OptionsPage(OvalinFormModel& model, std::function<void()> changed, QWidget* parent)
    : SettingsPage(model, std::move(changed), parent) {
  auto* colors = new QGroupBox(tr("Colors"), this);
  auto* color_grid = new QGridLayout(colors);
  for (std::size_t i = 0; i < kColorButtons.size(); ++i) {
    auto* button = new ColorButton(tr(kColorButtons[i].caption), colors);
    button->setObjectName(QLatin1String(kColorButtons[i].name));
    button->setToolTip(tr(kColorButtons[i].hint));
    const auto slot = static_cast<ColorSlot>(i);
    connect(button, &QPushButton::clicked, this,
            [this, slot] { Handle([&] { model_.ColorButtonClick(slot); }); });
    color_grid->addWidget(button, static_cast<int>(i) / 4, static_cast<int>(i) % 4);
    color_buttons_[i] = button;
  }
  auto* bright = new QPushButton(tr("Bright Set"), colors);
  bright->setObjectName(QStringLiteral("LightDefaultColorButton"));
  bright->setToolTip(tr("Configure bright color set"));
  connect(bright, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.PresetClick(ColorPreset::kBright); }); });
  auto* dark = new QPushButton(tr("Dark Set"), colors);
  dark->setObjectName(QStringLiteral("DarkDefaultColorButton"));
  dark->setToolTip(tr("Configure darkcolor set"));
  connect(dark, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.PresetClick(ColorPreset::kDark); }); });
  color_grid->addWidget(bright, 2, 0, 1, 2);
  color_grid->addWidget(dark, 2, 2, 1, 2);

  const Definition& definition = model_.form().definition();
  year_draw_ = MakeList("YearDrawGroupBox", QT_TR_NOOP("Year Format"));
  for (std::string_view entry : kYearDrawEntries) year_draw_->addItem(Tr(entry));
  month_draw_ = MakeList("MonthDrawGroupBox", QT_TR_NOOP("Month Format"));
  for (std::size_t i = 0; i < kMonthDrawEntries.size(); ++i) {
    month_draw_->addItem(EntryText(definition.month_draw_captions[i], kMonthDrawEntries[i]));
  }
  day_draw_ = MakeList("DayDrawGroupBox", QT_TR_NOOP("Weekday Format"));
  for (std::size_t i = 0; i < kDayDrawEntries.size(); ++i) {
    day_draw_->addItem(EntryText(definition.day_draw_captions[i], kDayDrawEntries[i]));
  }
  today_draw_method_ = MakeList("TodayDrawMethodComboBox", QT_TR_NOOP("Today's Format"));
  for (std::string_view entry : kTodayDrawMethodEntries) today_draw_method_->addItem(Tr(entry));
  connect(year_draw_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.YearDrawChange(index); }); });
  connect(month_draw_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.MonthDrawChange(index); }); });
  connect(day_draw_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.DayDrawChange(index); }); });
  connect(today_draw_method_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.TodayDrawMethodChange(index); }); });

  auto* formats = new QGridLayout;
  const std::array<std::pair<const char*, QComboBox*>, 4> lists = {{
      {QT_TR_NOOP("Year"), year_draw_},
      {QT_TR_NOOP("Month"), month_draw_},
      {QT_TR_NOOP("Week"), day_draw_},
      {QT_TR_NOOP("Today"), today_draw_method_},
  }};
  for (std::size_t i = 0; i < lists.size(); ++i) {
    auto* label = new QLabel(tr(lists[i].first), this);
    label->setBuddy(lists[i].second);
    formats->addWidget(label, static_cast<int>(i), 0);
    formats->addWidget(lists[i].second, static_cast<int>(i), 1);
  }

  auto* check_column = new QVBoxLayout;
  check_column->addWidget(MakeCheck("ShadowCheckBox", QT_TR_NOOP("Shadow"),
                                    QT_TR_NOOP("Apply shadow or not"), CheckControl::kShadow));
  check_column->addWidget(MakeCheck("DayCheckBox", QT_TR_NOOP("Smaller weekdays"),
                                    QT_TR_NOOP("60% reduce the size of weekday"),
                                    CheckControl::kSmallDayName));
  check_column->addWidget(MakeCheck("DayBoxCheckBox", QT_TR_NOOP("Box the date"),
                                    QT_TR_NOOP("Apply the grid/box for dates"),
                                    CheckControl::kDayBox));
  check_column->addWidget(MakeCheck("EmperorSmallCheckBox", QT_TR_NOOP("Smaller Gengo"),
                                    QT_TR_NOOP("60% reduce the size of Gengo"),
                                    CheckControl::kEmperorSmall));
  check_column->addWidget(MakeCheck("ReverseYearMonthCheck", QT_TR_NOOP("Reverse Year/Month"),
                                    nullptr, CheckControl::kReverseYearMonth));
  lean_ = new TypedLengthSpinBox(2, this);
  lean_->setObjectName(QStringLiteral("LeanSpinEdit"));
  lean_->setToolTip(tr("Angle of the \"slush\" separator of months (Only for continuous format)"));
  // No range of its own: only the two characters that can be typed limit it.
  lean_->setRange(INT_MIN, INT_MAX);
  lean_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("-999")) + 40);
  lean_->setMaximumWidth(lean_->minimumWidth());
  connect(lean_, &QSpinBox::valueChanged, this,
          [this](int value) { Handle([&] { model_.SlashLeanChange(value); }); });
  auto* bias_label = new QLabel(tr("Bias"), this);
  bias_label->setBuddy(lean_);
  auto* bias = new QHBoxLayout;
  bias->addWidget(bias_label);
  bias->addWidget(lean_);
  bias->addStretch();
  check_column->addLayout(bias);
  check_column->addStretch();

  holiday_button_ = new QPushButton(tr("Holidays"), this);
  holiday_button_->setObjectName(QStringLiteral("HolidayButton"));
  holiday_button_->setToolTip(tr("Configure holidays"));
  connect(holiday_button_, &QPushButton::clicked, this, &OptionsPage::OpenHolidays);
  holiday_panel_ = new QLabel(this);
  holiday_panel_->setObjectName(QStringLiteral("HolidayPanel"));
  holiday_panel_->setToolTip(tr("This month's holidays (Right click to reconfigure)"));
  holiday_panel_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  holiday_panel_->setMinimumWidth(120);
  special_button_ = new QPushButton(tr("Special Date"), this);
  special_button_->setObjectName(QStringLiteral("SpecialButton"));
  special_button_->setToolTip(tr("Configure special date"));
  connect(special_button_, &QPushButton::clicked, this, &OptionsPage::OpenSpecialDays);
  special_list_ = new QListWidget(this);
  special_list_->setObjectName(QStringLiteral("SpecialDayListBox"));
  special_list_->setToolTip(tr("Configured date (Right click to reconfigure)"));
  special_list_->setFixedHeight(QFontMetrics(font()).height() * 3 + 8);
  holiday_panel_->installEventFilter(this);
  special_list_->viewport()->installEventFilter(this);

  formats->setColumnStretch(1, 1);
  formats->setRowStretch(static_cast<int>(lists.size()), 1);
  auto* middle = new QHBoxLayout;
  middle->addLayout(formats, 3);
  middle->addLayout(check_column, 2);

  auto* days = new QGridLayout;
  days->addWidget(holiday_button_, 0, 0);
  days->addWidget(holiday_panel_, 0, 1);
  days->addWidget(special_button_, 1, 0, Qt::AlignTop);
  days->addWidget(special_list_, 1, 1);
  days->setColumnStretch(1, 1);

  auto* page = new QVBoxLayout(this);
  page->addWidget(colors);
  page->addLayout(middle);
  page->addLayout(days);
}

void OptionsPage::OpenHolidays() {
  Handle([&] { model_.HolidayButtonClick(); });
}

void OptionsPage::OpenSpecialDays() {
  const QModelIndexList selected = special_list_->selectionModel()->selectedIndexes();
  const int line = selected.isEmpty() ? -1 : selected.first().row();
  Handle([&] { model_.SpecialButtonClick(line); });
}

bool OptionsPage::eventFilter(QObject* watched, QEvent* event) {
  const bool on_panel = watched == holiday_panel_;
  if (!on_panel && watched != special_list_->viewport()) return false;
  const bool opens = event->type() == QEvent::MouseButtonDblClick ||
                     (event->type() == QEvent::MouseButtonPress &&
                      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton);
  if (!opens) return false;
  if (on_panel) {
    OpenHolidays();
  } else {
    OpenSpecialDays();
  }
  return true;
}

QComboBox* OptionsPage::MakeList(const char* name, const char* hint) {
  auto* list = new QComboBox(this);
  list->setObjectName(QLatin1String(name));
  list->setToolTip(tr(hint));
  return list;
}

void OptionsPage::Refresh() {
  const WorkingSettings& s = model_.settings();
  for (std::size_t i = 0; i < color_buttons_.size(); ++i) {
    const auto slot = static_cast<ColorSlot>(i);
    color_buttons_[i]->SetCaptionColor(ToQColor(model_.Color(slot)));
    color_buttons_[i]->setEnabled(model_.ColorButtonEnabled(slot));
  }
  SelectIndex(year_draw_, s.year_draw);
  SelectIndex(month_draw_, static_cast<int>(s.month_draw));
  SelectIndex(day_draw_, static_cast<int>(s.day_draw));
  SelectIndex(today_draw_method_, static_cast<int>(s.today_draw_method));
  RefreshChecks();
  {
    const QSignalBlocker blocker(lean_);
    lean_->setValue(s.slash_lean);
  }
  holiday_panel_->setText(QString::fromStdString(model_.form().holiday_panel_text()));
  SetLines(special_list_, model_.form().special_day_lines(), -1);
}

}  // namespace orbeline
