#include "ui/controls/button_pulse.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The caption level each paint shows, for paints 1..count.
std::vector<int> ShownLevels(int count) {
  ui::ButtonPulse pulse;
  std::vector<int> shown;
  for (int i = 0; i < count; ++i) {
    shown.push_back(pulse.ShownLevel());
    pulse.Step();
  }
  return shown;
}

struct PaintCase {
  int paint;  // 1-based
  int shown;
};

class PulseSequence : public ::testing::TestWithParam<PaintCase> {};

TEST_P(PulseSequence, ShowsTheLevelOfThatPaint) {
  const auto levels = ShownLevels(300);
  EXPECT_EQ(levels[GetParam().paint - 1], GetParam().shown) << "paint " << GetParam().paint;
}

INSTANTIATE_TEST_SUITE_P(
    FirstRiseFallAndRise, PulseSequence,
    ::testing::Values(PaintCase{1, 0}, PaintCase{2, 16}, PaintCase{16, 240},
                      PaintCase{17, 255},                      // 256 stored as 255: the first turn
                      PaintCase{18, 239}, PaintCase{32, 15},   // falling through 15
                      PaintCase{33, 0},                        // -1: black
                      PaintCase{54, 0},                        // -337, the last step before the turn
                      PaintCase{55, 0},                        // -353 stored as -350
                      PaintCase{76, 0},                        // -14
                      PaintCase{77, 2}, PaintCase{91, 226}, PaintCase{92, 242},
                      PaintCase{93, 255},                      // 258 stored as 255
                      PaintCase{94, 239}));

TEST(ButtonPulse, TurnPointsAreStoredAsTheLimits) {
  ui::ButtonPulse pulse;
  int lowest = 0;
  int highest = 0;
  for (int i = 0; i < 500; ++i) {
    pulse.Step();
    if (pulse.Level() < lowest) lowest = pulse.Level();
    if (pulse.Level() > highest) highest = pulse.Level();
  }
  EXPECT_EQ(lowest, ui::ButtonPulse::kBottom);
  EXPECT_EQ(highest, ui::ButtonPulse::kTop);
}

TEST(ButtonPulse, SteadyCycleIs76PaintsWith44Black) {
  const auto levels = ShownLevels(400);
  // From the first turn at 255 (paint 17) on, the sequence repeats every 76 paints.
  for (std::size_t i = 16; i + 76 < levels.size(); ++i) ASSERT_EQ(levels[i], levels[i + 76]) << "paint " << i + 1;
  int black = 0;
  for (std::size_t i = 16; i < 16 + 76; ++i) black += levels[i] == 0;
  EXPECT_EQ(black, 44);
  // ...and not every fewer paints: 38 paints after a peak the caption is black.
  EXPECT_NE(levels[16], levels[16 + 38]);
}

}  // namespace
