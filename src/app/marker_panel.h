#pragma once

#include "app/main_form.h"
#include "app/marker_model.h"
#include "settings/settings_store.h"

namespace orbeline {

// The positioning marker's rules in the main window: the marker stands on the calendar's
// anchor and follows the position settings, a drag of the marker sets them, and the
// marker panel shows or hides it (left button) and switches its blinking (right button).
// Nothing moves before the main window's first paint.
class MarkerPanelModel {
 public:
  // `view` is null where the run has no marker: a draw-only run that opened the window
  // after a message, or a window system that does not let a program place its windows.
  MarkerPanelModel(MainForm& form, SettingsStore& store, MarkerView* view);

  // The panel can be used.
  bool available() const { return view_ != nullptr; }
  // The panel lowered, its caption in the button-text colour: the marker is shown.
  bool panel_lowered() const { return view_ != nullptr && form_.settings().marker_visible; }

  // The main window's first paint: the marker placed, and shown as MarkerVisible says,
  // blinking as MarkerAnimate says. Later calls do nothing.
  void FirstPaint();
  // Puts the marker on the anchor of the position settings.
  void PlaceMarker();
  // The marker was moved so that its hot spot is at `hot_spot`: the position settings
  // follow it, held inside their ranges, and the marker snaps back onto what they allow.
  void MarkerMoved(Point hot_spot);
  void PanelClick();
  void PanelRightClick();
  // Around a drawing: a shown marker is hidden, then shown again.
  void ShowDuringDrawing(bool shown);

 private:
  MainForm& form_;
  SettingsStore& store_;
  MarkerView* view_;
  bool painted_ = false;
};

}  // namespace orbeline
