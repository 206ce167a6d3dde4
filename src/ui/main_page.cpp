#include "ui/main_page.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/marker_form.h"
#include "ui/typed_length_spin_box.h"
#include "ui/ui_text.h"

namespace orbeline {

MainPage::MainPage(OvalinFormModel& model, MarkerPanelModel& marker, std::function<void()> changed,
                   QWidget* parent)
    : SettingsPage(model, std::move(changed), parent), marker_(marker) {
  picker_ = new LineDrawPicker(this);
  picker_->setObjectName(QStringLiteral("LineDrawGroupBox"));
  connect(picker_, &LineDrawPicker::typeClicked, this,
          [this](CalendarType type) { Handle([&] { model_.LineDrawClick(type); }); });

  calendar_style_ = new QComboBox(this);
  calendar_style_->setObjectName(QStringLiteral("CalendarStyleComboBox"));
  calendar_style_->setToolTip(tr("Format Option"));
  for (std::string_view entry : kCalendarStyleEntries) calendar_style_->addItem(Tr(entry));
  connect(calendar_style_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.CalendarStyleChange(index); }); });

  year_draw_style_ = new QComboBox(this);
  year_draw_style_->setObjectName(QStringLiteral("YearDrawStyleComboBox"));
  year_draw_style_->setToolTip(tr("Year/Month Display Options (in 7 rows format)"));
  for (std::string_view entry : kYearDrawStyleEntries) year_draw_style_->addItem(Tr(entry));
  connect(year_draw_style_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.YearMonthDrawStyleChange(index); }); });

  monday_start_ =
      MakeCheck("MondayStartCheckBox", QT_TR_NOOP("Start from Monday"),
                QT_TR_NOOP("Start from Monday in 7 rows format"), CheckControl::kMondayStart);

  month_reverse_ =
      MakeCheck("MonthReverseCheckBox", QT_TR_NOOP("Reverse presentation"),
                QT_TR_NOOP("Invert the presentation of Months"), CheckControl::kMonthReverse);

  // Lowered while the marker is shown.
  marker_panel_ = new RightButton(tr("Positioning Cursor"), this);
  marker_panel_->setObjectName(QStringLiteral("MarkerPanel"));
  marker_panel_->setCheckable(true);
  if (MarkerCanBePlaced()) {
    marker_panel_->setToolTip(
        tr("Display/Hide the positioning cursor (Right click to toggle animation)"));
  } else {
    marker_panel_->setToolTip(
        tr("Not available: Wayland does not let a program place its own windows, and no "
           "XWayland display was found to use instead. The position scroll bars still work."));
  }
  connect(marker_panel_, &QPushButton::clicked, this,
          [this] { Handle([&] { marker_.PanelClick(); }); });
  connect(marker_panel_, &RightButton::rightPressed, this,
          [this] { Handle([&] { marker_.PanelRightClick(); }); });

  auto make_scroll = [this](const char* name) {
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QLatin1String(name));
    bar->setToolTip(tr("Maximum size may vary due to the screen size"));
    bar->setMinimumWidth(150);
    // Arrows, Page Up/Down and Home/End set the position without a mouse.
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
  };
  auto make_value = [this](const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("-00000")));
    return label;
  };
  pos_x_label_ = new QLabel(this);
  pos_x_label_->setObjectName(QStringLiteral("PosXLabel"));
  pos_x_ = make_scroll("PosXScrollBar");
  pos_x_value_ = make_value("PosXValueLabel");
  pos_y_label_ = new QLabel(this);
  pos_y_label_->setObjectName(QStringLiteral("PosYLabel"));
  pos_y_ = make_scroll("PosYScrollBar");
  pos_y_value_ = make_value("PosYValueLabel");
  connect(pos_x_, &QScrollBar::valueChanged, this,
          [this](int value) { Handle([&] { model_.PositionXChange(value); }); });
  connect(pos_y_, &QScrollBar::valueChanged, this,
          [this](int value) { Handle([&] { model_.PositionYChange(value); }); });

  char_step_label_ = new QLabel(this);
  char_step_label_->setObjectName(QStringLiteral("CharStepLabel"));
  char_step_ = MakeSpin("CharStepSpin", 1, 255, QT_TR_NOOP("Set character space"));
  char_step2_label_ = new QLabel(this);
  char_step2_label_->setObjectName(QStringLiteral("CharStep2Label"));
  char_step2_ = MakeSpin("CharStep2Spin", 1, 255, QT_TR_NOOP("Set character space"));
  month_step_label_ = new QLabel(tr("Months Space"), this);
  month_step_label_->setObjectName(QStringLiteral("MonthStepLabel"));
  month_step_ =
      MakeSpin("MonthStepSpin", -255, 255, QT_TR_NOOP("Configure the space between the Months"));
  connect(char_step_, &QSpinBox::valueChanged, this,
          [this](int value) { Handle([&] { model_.CharStepChange(value); }); });
  connect(char_step2_, &QSpinBox::valueChanged, this,
          [this](int value) { Handle([&] { model_.CharStep2Change(value); }); });
  connect(month_step_, &QSpinBox::valueChanged, this,
          [this](int value) { Handle([&] { model_.MonthStepChange(value); }); });

  same_font_ = MakeCheck("SameFontCheckBox", QT_TR_NOOP("Use same font"),
                         QT_TR_NOOP("Apply same font style"), CheckControl::kSameFont);

  auto make_panel = [this](const char* name, const QString& sample, const char* hint,
                           FontSlot slot) {
    auto* panel = new FontSamplePanel(sample, this);
    panel->setObjectName(QLatin1String(name));
    panel->setToolTip(tr(hint));
    // Only the button opens the common font's dialog.
    if (slot != FontSlot::kCommon) {
      connect(panel, &FontSamplePanel::clicked, this,
              [this, slot] { Handle([&] { model_.FontClick(slot); }); });
    }
    font_samples_[static_cast<std::size_t>(slot)] = panel;
    return panel;
  };
  FontSamplePanel* font_test = make_panel("FontTestPanel", QStringLiteral("'96 Jan 1 2 3"),
                                          QT_TR_NOOP("Sample fontstyle"), FontSlot::kCommon);
  auto* font_button = new QPushButton(tr("&Font"), this);
  font_button->setObjectName(QStringLiteral("FontButton"));
  connect(font_button, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.FontClick(FontSlot::kCommon); }); });
  FontSamplePanel* font_year_month = make_panel(
      "FontYearMonthPanel", QStringLiteral("'97"),
      QT_TR_NOOP("Sample Year/Month fontstyle (Click to configure)"), FontSlot::kYearMonth);
  FontSamplePanel* font_day =
      make_panel("FontDayPanel", QStringLiteral("1 2 3"),
                 QT_TR_NOOP("Sample Date fontstyle (Click to configure)"), FontSlot::kDay);
  FontSamplePanel* font_day_of_week =
      make_panel("FontDayofWeekPanel", QStringLiteral("Sun"),
                 QT_TR_NOOP("Sample Weekday fontstyle (Click to configure)"), FontSlot::kDayOfWeek);

  // The common sample with its button, or the three samples in the same place.
  font_panels_ = new QStackedWidget(this);
  auto* common = new QWidget(font_panels_);
  auto* common_row = new QHBoxLayout(common);
  common_row->setContentsMargins(0, 0, 0, 0);
  common_row->addWidget(font_test, 1);
  common_row->addWidget(font_button);
  auto* separate = new QWidget(font_panels_);
  auto* separate_row = new QHBoxLayout(separate);
  separate_row->setContentsMargins(0, 0, 0, 0);
  separate_row->addWidget(font_year_month);
  separate_row->addWidget(font_day);
  separate_row->addWidget(font_day_of_week);
  font_panels_->addWidget(common);
  font_panels_->addWidget(separate);

  // Layout: the picture and the lists side by side, then the position, the spacing and
  // the fonts.
  auto* lists = new QVBoxLayout;
  lists->addWidget(calendar_style_);
  lists->addWidget(year_draw_style_);
  auto* checks = new QHBoxLayout;
  checks->addWidget(monday_start_);
  checks->addWidget(month_reverse_);
  checks->addStretch();
  lists->addLayout(checks);
  lists->addWidget(marker_panel_);
  lists->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(picker_);
  top->addLayout(lists, 1);

  auto* position = new QGridLayout;
  position->addWidget(pos_x_label_, 0, 0);
  position->addWidget(pos_x_, 0, 1);
  position->addWidget(pos_x_value_, 0, 2);
  position->addWidget(pos_y_label_, 1, 0);
  position->addWidget(pos_y_, 1, 1);
  position->addWidget(pos_y_value_, 1, 2);
  position->setColumnStretch(1, 1);

  auto* spacing = new QGridLayout;
  spacing->addWidget(char_step_label_, 0, 0);
  spacing->addWidget(char_step_, 0, 1);
  spacing->addWidget(char_step2_label_, 0, 2);
  spacing->addWidget(char_step2_, 0, 3);
  spacing->addWidget(month_step_label_, 0, 4);
  spacing->addWidget(month_step_, 0, 5);
  spacing->setColumnStretch(6, 1);
  // Labels keep the width of their longest caption, whatever the line-draw type.
  const QFontMetrics metrics(font());
  char_step_label_->setMinimumWidth(std::max(metrics.horizontalAdvance(tr("Character Space")),
                                             metrics.horizontalAdvance(tr("Horizontal Space"))));
  char_step2_label_->setMinimumWidth(std::max(metrics.horizontalAdvance(tr("Space for Year/Month")),
                                              metrics.horizontalAdvance(tr("Vertical Space"))));
  int pos_label_width = 0;
  for (const char* text : {QT_TR_NOOP("Distance from Edge"), QT_TR_NOOP("X Position"),
                           QT_TR_NOOP("Distance from Left"), QT_TR_NOOP("Distance from Top"),
                           QT_TR_NOOP("Y Position")}) {
    pos_label_width = std::max(pos_label_width, metrics.horizontalAdvance(tr(text)));
  }
  pos_x_label_->setMinimumWidth(pos_label_width);
  pos_y_label_->setMinimumWidth(pos_label_width);

  auto* page = new QVBoxLayout(this);
  // Spare height goes between the groups rather than under the last one.
  page->addLayout(top);
  page->addStretch();
  page->addLayout(position);
  page->addStretch();
  page->addLayout(spacing);
  page->addStretch();
  page->addWidget(same_font_);
  page->addWidget(font_panels_);
}

QSpinBox* MainPage::MakeSpin(const char* name, int min, int max, const char* hint) {
  auto* spin = new TypedLengthSpinBox(3, this);
  spin->setObjectName(QLatin1String(name));
  spin->setRange(min, max);
  spin->setToolTip(tr(hint));
  return spin;
}

void MainPage::Refresh() {
  const WorkingSettings& s = model_.settings();
  const QSignalBlocker blockers[] = {QSignalBlocker(pos_x_), QSignalBlocker(pos_y_),
                                     QSignalBlocker(char_step_), QSignalBlocker(char_step2_),
                                     QSignalBlocker(month_step_)};

  picker_->SetCurrent(s.calendar_type);
  SelectIndex(calendar_style_, s.calendar_style);
  SelectIndex(year_draw_style_, static_cast<int>(s.year_month_draw_style));
  year_draw_style_->setEnabled(model_.YearDrawStyleEnabled());
  RefreshChecks();
  marker_panel_->setEnabled(marker_.available());
  const bool lowered = marker_.panel_lowered();
  marker_panel_->setChecked(lowered);
  // A raised panel greys its caption.
  QPalette panel_palette = QApplication::palette(marker_panel_);
  if (!lowered) {
    panel_palette.setColor(QPalette::ButtonText,
                           panel_palette.color(QPalette::Disabled, QPalette::ButtonText));
  }
  marker_panel_->setPalette(panel_palette);

  const LineDrawLabels labels = model_.Labels();
  pos_x_label_->setText(Tr(labels.pos_x));
  pos_y_label_->setText(Tr(labels.pos_y));
  char_step_label_->setText(Tr(labels.char_step));
  char_step2_label_->setText(Tr(labels.char_step2));
  const ScrollRange x = model_.RangeX();
  const ScrollRange y = model_.RangeY();
  pos_x_->setRange(x.min, std::max(x.min, x.max));
  pos_y_->setRange(y.min, std::max(y.min, y.max));
  pos_x_->setValue(s.position_x);
  pos_y_->setValue(s.position_y);
  pos_x_->setPageStep(model_.ScrollLargeStepX());
  pos_y_->setPageStep(model_.ScrollLargeStepY());
  pos_x_value_->setText(QString::number(pos_x_->value()));
  pos_y_value_->setText(QString::number(pos_y_->value()));

  char_step_->setValue(s.char_step);
  char_step2_->setValue(s.char_step2);
  month_step_->setValue(s.month_step);
  const bool month_step_enabled = model_.MonthStepEnabled();
  month_step_->setEnabled(month_step_enabled);
  // Black when the spin editor can be used, the system's grey text otherwise.
  month_step_label_->setEnabled(month_step_enabled);

  font_panels_->setCurrentIndex(s.same_font ? 0 : 1);
  for (std::size_t slot = 0; slot < font_samples_.size(); ++slot) {
    font_samples_[slot]->SetSampleFont(ToQFont(model_.Font(static_cast<FontSlot>(slot))));
  }
}

}  // namespace orbeline
