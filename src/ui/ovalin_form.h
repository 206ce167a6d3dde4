#pragma once

#include <QTabWidget>
#include <QWidget>
#include <array>
#include <memory>

#include "app/main_form.h"
#include "app/marker_panel.h"
#include "app/ovalin_form_model.h"
#include "app/shortcut_commands.h"
#include "ui/marker_form.h"
#include "ui/page_base.h"
#include "ui/right_button.h"

namespace orbeline {

// The settings window: four pages of settings and the row of Draw, Revert, Help and Quit.
// It binds the widgets to the window's model and calls the main form's operations; the
// rules live in the model.
class TOvalinForm : public QWidget {
  Q_OBJECT

 public:
  TOvalinForm(MainForm& form, OvalinFormModel::Ports ports, QWidget* parent = nullptr);
  ~TOvalinForm() override;

  // The positioning marker; null where the run has none.
  TMarkerForm* marker() { return marker_.get(); }
  // Shows the model's state in every control.
  void RefreshAll();
  // The run ended because of an error (a step that ended it, or close steps that failed):
  // the program then exits 1, as a draw-only run does.
  bool ended_by_error() const { return ended_by_error_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormShow();
  // Runs a launcher command of the Misc. page or the show handler; a failure goes to the
  // general error report.
  void RunShortcut(void (ShortcutCommands::*command)());
  void RunDraw(DrawSender sender);
  void RunRevert(RevertTarget target);
  void SetMainButtonsEnabled(bool enabled);
  void SetCaption(const std::string& caption);
  void PageChange(int page);
  // The general error report: the operation stopped, the user is told why.
  void Report(const std::exception& error);
  // A step that ended the run (the work bitmap could not be written, the store was
  // reset): the window closes through its close steps, so the desktop's values are put
  // back.
  void EndRun();

  MainForm& form_;
  OvalinFormModel::Ports ports_;
  std::unique_ptr<OvalinFormModel> model_;
  std::unique_ptr<TMarkerForm> marker_;
  std::unique_ptr<MarkerPanelModel> marker_panel_;
  ShortcutCommands shortcuts_;
  QTabWidget* pages_;
  std::array<SettingsPage*, 4> page_widgets_{};
  RightButton* draw_button_;
  RightButton* revert_button_;
  RightButton* help_button_;
  QPushButton* quit_button_;
  bool shown_once_ = false;
  bool painted_once_ = false;
  bool drawing_ = false;
  bool close_requested_ = false;  // while drawing_: the close follows the clean-up
  bool closed_ = false;
  bool ended_by_error_ = false;
};

}  // namespace orbeline
