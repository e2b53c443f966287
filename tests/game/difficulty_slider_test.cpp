#include "game/difficulty_slider.h"

#include <gtest/gtest.h>

#include "game/level_labels.h"

namespace kx {
namespace {

TEST(Slider, RangesAndLabels) {
  SliderField field{0, 0, 100, 20};
  SliderRange left = SliderToRange(0, 0, field);
  EXPECT_EQ(left.minimum, 500u);
  EXPECT_EQ(left.maximum, 625u);
  EXPECT_EQ(SliderFieldLabel(left), "Neues Spiel  Schwierigkeit:   562");

  SliderRange middle = SliderToRange(32767, 0, SliderField{0, 0, 65535, 1});  // p = 32767
  EXPECT_EQ(middle.minimum, 16883u);
  EXPECT_EQ(middle.maximum, 21103u);
  EXPECT_EQ(SliderFieldLabel(middle), "Neues Spiel  Schwierigkeit:   18.993");

  // On the right border column p passes 65535 and its square wraps.
  SliderRange border = SliderToRange(100, 10, field);
  EXPECT_EQ(border.minimum, 1153u);

  // Positions left of the field wrap as unsigned numbers; an empty field stays at the left edge.
  EXPECT_EQ(SliderToRange(5, 5, SliderField{10, 10, 10, 30}).minimum, 500u);
}

TEST(LevelLabels, FollowSignedThresholds) {
  EXPECT_STREQ(LevelLabel(999), " (Leichtes Spiel)");
  EXPECT_STREQ(LevelLabel(1000), " (Mittel-schweres Spiel)");
  EXPECT_STREQ(LevelLabel(49999), " (Schweres Spiel)");
  EXPECT_STREQ(LevelLabel(50000), " (Super-Schweres Spiel)");
  EXPECT_STREQ(LevelLabel(-1), " (Leichtes Spiel)");  // 0xFFFFFFFF as signed
}

}  // namespace
}  // namespace kx
