#include "ui/advanced_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ui_text.h"

namespace orbeline {

AdvancedPage::AdvancedPage(OvalinFormModel& model, std::function<void()> changed,
                           std::function<void()> run_ended, QWidget* parent)
    : SettingsPage(model, std::move(changed), parent), run_ended_(std::move(run_ended)) {
  auto* designs = new QGroupBox(tr("Drawing Info"), this);
  design_list_ = new QComboBox(designs);
  design_list_->setObjectName(QStringLiteral("DesignListComboBox"));
  design_list_->setToolTip(tr("Select a setting"));
  design_list_->setMinimumWidth(160);
  connect(design_list_, &QComboBox::activated, this,
          [this](int index) { Handle([&] { model_.SelectDesign(index); }); });
  auto make_button = [this, designs](const char* name, const char* caption, const char* hint) {
    auto* button = new QPushButton(tr(caption), designs);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tr(hint));
    return button;
  };
  auto* rename = make_button("DesignNameChangeButton", QT_TR_NOOP("Rename"),
                             QT_TR_NOOP("Rename the selected settings"));
  auto* load =
      make_button("DesignLoadButton", QT_TR_NOOP("Load"), QT_TR_NOOP("Load selected setting"));
  auto* save =
      make_button("DesignSaveButton", QT_TR_NOOP("Save"), QT_TR_NOOP("Save current setting"));
  connect(rename, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.DesignNameChangeClick(); }); });
  connect(load, &QPushButton::clicked, this, [this] {
    bool running = true;
    Handle([&] { running = model_.DesignLoadClick(); });
    if (!running) run_ended_();
  });
  connect(save, &QPushButton::clicked, this, [this] { Handle([&] { model_.DesignSaveClick(); }); });
  auto* name_label = new QLabel(tr("Name"), designs);
  name_label->setBuddy(design_list_);
  auto* design_grid = new QGridLayout(designs);
  design_grid->addWidget(name_label, 0, 0);
  design_grid->addWidget(design_list_, 0, 1, 1, 3);
  design_grid->addWidget(rename, 1, 1);
  design_grid->addWidget(load, 1, 2);
  design_grid->addWidget(save, 1, 3);
  for (int column = 1; column <= 3; ++column) design_grid->setColumnStretch(column, 1);

  text_color_ = new ColorButton(tr("Text Color"), this);
  text_color_->setObjectName(QStringLiteral("TextColorButton"));
  text_color_->setToolTip(tr("Icon Text's Color"));
  connect(text_color_, &QPushButton::clicked, this,
          [this] { Handle([&] { model_.TextColorButtonClick(); }); });
  auto* icon_text = new QHBoxLayout;
  icon_text->addWidget(
      MakeCheck("TransparentCheckBox", QT_TR_NOOP("Transparent Background for Icon Text"),
                QT_TR_NOOP("Recommended to stay OFF if Active Desktop is being used Text Color"),
                CheckControl::kTransparent));
  icon_text->addStretch();
  icon_text->addWidget(text_color_);

  delay_ = new QSpinBox(this);
  delay_->setObjectName(QStringLiteral("DelaySpinEdit"));
  delay_->setRange(0, 180);
  delay_->setToolTip(tr("See help for detailes"));
  connect(delay_, &QSpinBox::valueChanged, this,
          [this](int value) { Handle([&] { model_.DelaySecondsChange(value); }); });
  auto* delay_row = new QHBoxLayout;
  QCheckBox* wait = MakeCheck("DelayCheckBox", QT_TR_NOOP("Wait"),
                              QT_TR_NOOP("See help for detailes"), CheckControl::kDelayedOnlyDraw);
  delay_row->addWidget(wait);
  delay_row->addWidget(delay_);
  delay_row->addWidget(new QLabel(tr("second after startup"), this));
  delay_row->addStretch();

  auto* temp = new QPushButton(tr("Change Temporary Folder"), this);
  temp->setObjectName(QStringLiteral("TempFolderButton"));
  connect(temp, &QPushButton::clicked, this, [this] { Handle([&] { model_.TempFolderClick(); }); });
  auto* temp_row = new QHBoxLayout;
  temp_row->addWidget(temp);
  temp_row->addStretch();

  auto* page = new QVBoxLayout(this);
  page->addWidget(designs);
  page->addWidget(MakeCheck(
      "TaskbarCheckBox", QT_TR_NOOP("Consider TaskBar when stretching wallpaper"),
      QT_TR_NOOP("Adjust the wallpaper with TaskBar position"), CheckControl::kTaskbarAdjust));
  page->addLayout(icon_text);
  page->addLayout(delay_row);
  page->addLayout(temp_row);
  page->addStretch();
}

void AdvancedPage::Refresh() {
  const WorkingSettings& s = model_.settings();
  {
    const QSignalBlocker blocker(design_list_);
    QStringList names;
    for (const std::string& name : model_.design_names()) names << QString::fromStdString(name);
    QStringList shown;
    for (int i = 0; i < design_list_->count(); ++i) shown << design_list_->itemText(i);
    if (names != shown) {
      design_list_->clear();
      design_list_->addItems(names);
    }
    SelectIndex(design_list_, model_.selected_design());
  }
  RefreshChecks();
  text_color_->SetCaptionColor(ToQColor(s.icon_text_color));
  text_color_->setEnabled(model_.TextColorButtonEnabled());
  const QSignalBlocker blocker(delay_);
  delay_->setValue(s.delay_seconds);
}

}  // namespace orbeline
