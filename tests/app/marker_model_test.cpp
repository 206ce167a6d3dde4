#include "app/marker_model.h"

#include <gtest/gtest.h>

namespace orbeline {
namespace {

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
