#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "app/ovalin_form_model.h"

namespace orbeline {

// What every settings page shares: the model it binds to and the window's refresh, which
// runs after every handler (a rule on one page may change a control on another).
class SettingsPage : public QWidget {
  Q_OBJECT

 public:
  SettingsPage(OvalinFormModel& model, std::function<void()> changed, QWidget* parent);
  // Shows what the model holds, without running any handler.
  virtual void Refresh() = 0;

 protected:
  // Runs a handler of the model, then refreshes the window.
  template <typename F>
  void Handle(F&& handler) {
    handler();
    changed_();
  }
  // A check box bound to the model; `hint` may be null.
  QCheckBox* MakeCheck(const char* name, const char* caption, const char* hint,
                       CheckControl control);
  // Sets the check boxes made with MakeCheck to the model's state and enabled rules.
  void RefreshChecks();
  // A list index outside the entries shows no selection.
  static void SelectIndex(QComboBox* list, int index);

  OvalinFormModel& model_;
  std::function<void()> changed_;

 private:
  std::vector<std::pair<QCheckBox*, CheckControl>> checks_;
};

}  // namespace orbeline
