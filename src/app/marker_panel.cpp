#include "app/marker_panel.h"

#include "base/text_util.h"
#include "render/block_origin.h"
#include "settings/setting_names.h"

namespace orbeline {

MarkerPanelModel::MarkerPanelModel(MainForm& form, SettingsStore& store, MarkerView* view)
    : form_(form), store_(store), view_(view) {}

void MarkerPanelModel::FirstPaint() {
  if (painted_ || view_ == nullptr || form_.draw_only_run() || form_.draw_only_pending()) return;
  painted_ = true;
  PlaceMarker();
  WorkingSettings& s = form_.settings();
  s.marker_visible = store_.ReadInteger(setting::kMarkerVisible, 0) != 0;
  view_->SetAnimate(s.marker_animate);
  if (s.marker_visible) view_->SetMarkerShown(true);
}

void MarkerPanelModel::PlaceMarker() {
  if (!painted_) return;
  const WorkingSettings& s = form_.settings();
  view_->SetMarkerPos(
      BlockOrigin(s.calendar_type, {s.position_x, s.position_y}, form_.screen_rect()));
}

void MarkerPanelModel::MarkerMoved(Point hot_spot) {
  if (!painted_) return;
  WorkingSettings& s = form_.settings();
  const BlockPosition position = MarkerMovedTo(s.calendar_type, hot_spot, form_.screen_rect());
  s.position_x = position.position_x;
  s.position_y = position.position_y;
  PlaceMarker();
}

void MarkerPanelModel::PanelClick() {
  if (view_ == nullptr) return;
  bool& visible = form_.settings().marker_visible;
  visible = !visible;
  view_->SetMarkerShown(visible);
  store_.WriteSetting(setting::kMarkerVisible, FlagText(visible));
}

void MarkerPanelModel::PanelRightClick() {
  if (view_ == nullptr) return;
  const bool animate = store_.ReadSetting(setting::kMarkerAnimate) != "1";
  store_.WriteSetting(setting::kMarkerAnimate, FlagText(animate));
  form_.settings().marker_animate = animate;
  view_->SetAnimate(animate);
}

void MarkerPanelModel::ShowDuringDrawing(bool shown) {
  if (painted_ && form_.settings().marker_visible) view_->SetMarkerShown(shown);
}

}  // namespace orbeline
