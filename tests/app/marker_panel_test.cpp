#include "app/marker_panel.h"

#include <gtest/gtest.h>

#include "app/marker_model.h"
#include "open_form.h"

namespace orbeline {
namespace {

class FakeMarkerView : public MarkerView {
 public:
  void SetMarkerPos(Point anchor) override { places.push_back(anchor); }
  void SetMarkerShown(bool value) override { shown = value; }
  void SetAnimate(bool value) override { animate = value; }
  std::vector<Point> places;
  bool shown = false;
  bool animate = false;
};

class MarkerPanelTest : public ::testing::Test, protected testing::OpenForm {
 protected:
  MarkerPanelModel& Panel(int auto_draw = 0) {
    Create(auto_draw);
    panel_ = std::make_unique<MarkerPanelModel>(*form, store, &view_);
    return *panel_;
  }
  FakeMarkerView view_;
  std::unique_ptr<MarkerPanelModel> panel_;
};

TEST_F(MarkerPanelTest, FollowsThePositionsFromTheFirstPaintOn) {
  MarkerPanelModel& panel = Panel();
  form->settings().calendar_type = CalendarType::kRight;
  form->settings().position_x = 20;
  form->settings().position_y = 30;
  panel.PlaceMarker();
  panel.MarkerMoved({100, 50});
  EXPECT_TRUE(view_.places.empty()) << "nothing moves before the first paint";
  EXPECT_EQ(form->settings().position_x, 20);
  panel.FirstPaint();
  ASSERT_EQ(view_.places.size(), 1u);
  EXPECT_EQ(view_.places.back(), (Point{300, 30})) << "the right edge of the 320-wide desktop";
  EXPECT_TRUE(view_.shown && view_.animate && panel.panel_lowered()) << "1 on a first run";
  panel.MarkerMoved({100, 50});
  EXPECT_EQ(std::pair(form->settings().position_x, form->settings().position_y),
            std::pair(220, 50));
  // Past the edge the scroll bar keeps its limit and the marker snaps back onto it.
  panel.MarkerMoved({400, 60});
  EXPECT_EQ(form->settings().position_x, 0);
  EXPECT_EQ(view_.places.back(), (Point{320, 60}));
}

TEST_F(MarkerPanelTest, PanelButtonsWriteVisibleAndAnimate) {
  MarkerPanelModel& panel = Panel();
  panel.FirstPaint();
  panel.PanelClick();
  EXPECT_FALSE(view_.shown || panel.panel_lowered());
  EXPECT_EQ(backend.Get("MarkerVisible"), "0");
  panel.ShowDuringDrawing(true);
  EXPECT_FALSE(view_.shown) << "a drawing shows only a marker that was shown";
  panel.PanelClick();
  EXPECT_TRUE(view_.shown);
  EXPECT_EQ(backend.Get("MarkerVisible"), "1");
  panel.PanelRightClick();
  EXPECT_EQ(backend.Get("MarkerAnimate"), "0");
  EXPECT_FALSE(view_.animate);
  store.WriteSetting("MarkerAnimate", "7");
  panel.PanelRightClick();
  EXPECT_EQ(backend.Get("MarkerAnimate"), "1") << "anything but 1 turns it on";
}

TEST_F(MarkerPanelTest, HiddenAtStartWhenMarkerVisibleIsZeroAndNeverInADrawOnlyRun) {
  Create();  // the first run's values
  store.WriteSetting("MarkerVisible", "0");
  store.WriteSetting("MarkerAnimate", "0");
  Panel().FirstPaint();
  EXPECT_EQ(view_.places.size(), 1u) << "placed all the same";
  EXPECT_FALSE(view_.shown || view_.animate || panel_->panel_lowered());
  store.WriteSetting("MarkerVisible", "1");
  view_ = {};
  Panel(13).FirstPaint();  // stopped by "Nothing registered!": the window opens
  EXPECT_TRUE(view_.places.empty());
  EXPECT_FALSE(view_.shown);
}

TEST(MarkerModelTest, DraggingTheMarkerSetsThePositionsOfEachType) {
  const Rect screen{0, 0, 1024, 768};
  struct Row {
    CalendarType type;
    Point hot_spot;
    BlockPosition expected;
  } rows[] = {
      {CalendarType::kTop, {100, 50}, {50, 100}},    {CalendarType::kLeft, {100, 50}, {100, 50}},
      {CalendarType::kRight, {100, 50}, {924, 50}},  {CalendarType::kBottom, {100, 50}, {718, 100}},
      {CalendarType::kCenter, {100, 50}, {100, 50}}, {CalendarType::kLeft, {-40, 900}, {0, 768}},
      {CalendarType::kRight, {1500, 10}, {0, 10}},  // past an edge: the limit
  };
  for (const Row& row : rows) {
    const BlockPosition position = MarkerMovedTo(row.type, row.hot_spot, screen);
    EXPECT_EQ(position, row.expected) << static_cast<int>(row.type);
    // The renderer anchors the block where the marker now stands.
    EXPECT_EQ(MarkerMovedTo(row.type, BlockOrigin(row.type, position, screen), screen), position);
  }
  EXPECT_EQ(MarkerWindowPosition({100, 50}), (Point{84, 34}));
  EXPECT_EQ(MarkerHotSpot({84, 34}), (Point{100, 50}));
}

TEST(MarkerModelTest, ShapesAndAnimation) {
  for (int phase = 0; phase < kMarkerPhases; ++phase) {
    EXPECT_EQ(MarkerShapeAt(phase).ring_red, phase == 4) << phase;
  }
  MarkerAnimation animation;
  EXPECT_FALSE(animation.Tick()) << "without the animate flag the phase stays";
  animation.set_animate(true);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(animation.Tick());
  EXPECT_EQ(animation.phase(), 7);
  animation.Tick();
  EXPECT_EQ(animation.phase(), 0) << "after 7 comes 0";
}

}  // namespace
}  // namespace orbeline
