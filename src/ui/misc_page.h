#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>

#include "ui/page_base.h"

namespace orbeline {

// Page "Misc.": wallpaper tiling, shortcuts, holiday rules, keeping the work bitmap, the
// version box.
class MiscPage : public SettingsPage {
  Q_OBJECT

 public:
  MiscPage(OvalinFormModel& model, std::function<void()> changed, QWidget* parent = nullptr);
  void Refresh() override;

 signals:
  void aboutRequested();
  void startUpShortcutRequested();
  void desktopShortcutRequested();

 private:
  QButtonGroup* tile_pattern_;
  QButtonGroup* substitute_type_;
};

}  // namespace orbeline
