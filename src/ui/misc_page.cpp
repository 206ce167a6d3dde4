#include "ui/misc_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_controls.h"
#include "ui/ui_text.h"

namespace orbeline {
namespace {

// A radio group: a titled box of radio buttons, one per entry.
template <std::size_t N>
QButtonGroup* MakeRadioGroup(QGroupBox* box, const std::array<std::string_view, N>& entries) {
  auto* group = new QButtonGroup(box);
  auto* column = new QVBoxLayout(box);
  for (std::size_t i = 0; i < N; ++i) {
    auto* radio = new QRadioButton(Tr(entries[i]), box);
    group->addButton(radio, static_cast<int>(i));
    column->addWidget(radio);
  }
  return group;
}

}  // namespace

MiscPage::MiscPage(OvalinFormModel& model, std::function<void()> changed, QWidget* parent)
    : SettingsPage(model, std::move(changed), parent) {
  auto* tiling = new QGroupBox(tr("Wallpaper Tiling"), this);
  tiling->setObjectName(QStringLiteral("TilePatternGroupBox"));
  tiling->setToolTip(tr("Affects when using small pattern"));
  tile_pattern_ = MakeRadioGroup(tiling, kTilePatternEntries);
  connect(tile_pattern_, &QButtonGroup::idClicked, this,
          [this](int index) { Handle([&] { model_.TilePatternClick(index); }); });

  // The window writes the launchers, so that a failure reaches its error report.
  auto* shortcuts = new QGroupBox(tr("Create Shortcuts"), this);
  auto* startup = new QPushButton(tr("Startup"), shortcuts);
  startup->setObjectName(QStringLiteral("StartUpButton"));
  startup->setToolTip(tr("Create shortcut in startup items with -OnlyDraw option"));
  connect(startup, &QPushButton::clicked, this, &MiscPage::startUpShortcutRequested);
  auto* desktop = new QPushButton(tr("Desktop"), shortcuts);
  desktop->setObjectName(QStringLiteral("DesktopButton"));
  desktop->setToolTip(tr("Create shortcut on Desktop"));
  connect(desktop, &QPushButton::clicked, this, &MiscPage::desktopShortcutRequested);
  auto* shortcut_column = new QVBoxLayout(shortcuts);
  shortcut_column->addWidget(startup);
  shortcut_column->addWidget(desktop);
  shortcut_column->addStretch();

  auto* furikae = new QGroupBox(tr("Weekend Holiday Extension"), this);
  furikae->setObjectName(QStringLiteral("FurikaeRadioGroup"));
  substitute_type_ = MakeRadioGroup(furikae, kSubstituteTypeEntries);
  connect(substitute_type_, &QButtonGroup::idClicked, this,
          [this](int index) { Handle([&] { model_.SubstituteTypeClick(index); }); });

  auto* about = new QPushButton(tr("&Version Information"), this);
  about->setObjectName(QStringLiteral("AboutButton"));
  about->setToolTip(tr("Version Information"));
  connect(about, &QPushButton::clicked, this, &MiscPage::aboutRequested);

  auto* top = new QHBoxLayout;
  top->addWidget(tiling, 1);
  top->addWidget(shortcuts, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(
      MakeCheck("NoRestoreCheckBox", QT_TR_NOOP("Make working bitmaps to the wallpaper"),
                QT_TR_NOOP("See help for details"), CheckControl::kNoRestoreWallpaper));
  bottom->addStretch();
  bottom->addWidget(about);
  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addWidget(MakeCheck("EquinoxCheckBox",
                            QT_TR_NOOP("Don't auto apply Vernal/Autumnal Equinox"), nullptr,
                            CheckControl::kAutoCalcEquinox));
  page->addWidget(MakeCheck("NoKokuminCheckBox",
                            QT_TR_NOOP("Don't auto apply National People's Day"), nullptr,
                            CheckControl::kNoKokumin));
  page->addWidget(furikae);
  page->addLayout(bottom);
  page->addStretch();
}

void MiscPage::Refresh() {
  const WorkingSettings& s = model_.settings();
  SelectRadio(tile_pattern_, static_cast<int>(s.tile_pattern));
  SelectRadio(substitute_type_, static_cast<int>(s.substitute_type));
  RefreshChecks();
}

}  // namespace orbeline
