#include <gtest/gtest.h>

#include "ui/button_enabling.h"
#include "ui/controls/hover_tracker.h"
#include "ui/progress_bar.h"

namespace {

// --- Progress bar width ---------------------------------------------------------------

struct BarCase {
  int position;
  int total;
  int areaWidth;
  int width;  // 0: no bar
};

class ProgressBar : public ::testing::TestWithParam<BarCase> {};

TEST_P(ProgressBar, Width) {
  const BarCase& c = GetParam();
  EXPECT_EQ(ui::ProgressBarWidth(c.position, c.total, c.areaWidth), c.width)
      << c.position << "/" << c.total << " of " << c.areaWidth;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ProgressBar,
    ::testing::Values(BarCase{10, 400, 396, 0},   // 9 pixels: no bar
                      BarCase{11, 400, 396, 0},   // 10 pixels: still no bar
                      BarCase{12, 400, 396, 11},  // the narrowest bar drawn
                      BarCase{0, 25, 462, 0},     // the first entry of a run
                      BarCase{24, 25, 462, 443},  // the last message of a run: one entry short
                      BarCase{25, 25, 462, 462},  // full width
                      BarCase{0, 1, 462, 0},      // a one-entry archive never shows a bar
                      BarCase{5, 0, 462, 0},      // no total yet
                      BarCase{5, -3, 462, 0},     // a negative total
                      BarCase{-50, 10, 462, 0},   // a negative width
                      BarCase{30, 25, 462, 462},  // past the total: kept inside the area
                      BarCase{2147483647, 2147483647, 462, 462},  // no 32-bit overflow
                      BarCase{1073741824, 2147483647, 462, 231}));

// --- Hover edges ------------------------------------------------------------------------

struct MoveCase {
  int x;
  int y;
  ui::HoverChange change;  // for a move while hovered over a 100 x 20 label
};

class HoverEdges : public ::testing::TestWithParam<MoveCase> {};

TEST_P(HoverEdges, MoveWhileHovered) {
  ui::HoverTracker hover;
  ASSERT_EQ(hover.OnMouseMove(50, 10, 100, 20), ui::HoverChange::kEntered);
  const MoveCase& c = GetParam();
  EXPECT_EQ(hover.OnMouseMove(c.x, c.y, 100, 20), c.change) << c.x << "," << c.y;
  EXPECT_EQ(hover.Hovered(), c.change == ui::HoverChange::kNone);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, HoverEdges,
    ::testing::Values(MoveCase{0, 0, ui::HoverChange::kNone}, MoveCase{100, 10, ui::HoverChange::kNone},
                      MoveCase{50, 20, ui::HoverChange::kNone}, MoveCase{100, 20, ui::HoverChange::kNone},
                      MoveCase{101, 10, ui::HoverChange::kLeft}, MoveCase{50, 21, ui::HoverChange::kLeft},
                      MoveCase{-1, 10, ui::HoverChange::kLeft}, MoveCase{50, -1, ui::HoverChange::kLeft}));

TEST(HoverTracker, FirstMoveEntersWhereverItIs) {
  ui::HoverTracker hover;
  EXPECT_EQ(hover.OnMouseMove(500, -40, 100, 20), ui::HoverChange::kEntered);
  EXPECT_TRUE(hover.Hovered());
}

TEST(HoverTracker, EndReportsOnlyAHoverThatWasThere) {
  ui::HoverTracker hover;
  EXPECT_FALSE(hover.End());
  hover.OnMouseMove(1, 1, 100, 20);
  EXPECT_TRUE(hover.End());
  EXPECT_FALSE(hover.Hovered());
  EXPECT_FALSE(hover.End());
  // After a click the next move enters again.
  EXPECT_EQ(hover.OnMouseMove(1, 1, 100, 20), ui::HoverChange::kEntered);
}

// --- Button enabling --------------------------------------------------------------------

struct StateCase {
  const char* state;
  bool workerRunning;
  bool completed;
  bool uninstallMode;
  bool setup, browse, start;
};

class Buttons : public ::testing::TestWithParam<StateCase> {};

TEST_P(Buttons, EnabledByStateAndMode) {
  const StateCase& c = GetParam();
  const ui::ButtonEnabling e = ui::EnabledButtons(c.workerRunning, c.completed, c.uninstallMode);
  EXPECT_EQ(e.setup, c.setup) << c.state;
  EXPECT_EQ(e.browse, c.browse) << c.state;
  EXPECT_EQ(e.start, c.start) << c.state;
}

INSTANTIATE_TEST_SUITE_P(
    EveryStateAndMode, Buttons,
    ::testing::Values(StateCase{"Ready, install", false, false, false, true, true, false},
                      StateCase{"Running, install", true, false, false, false, false, false},
                      StateCase{"Completed, install", false, true, false, true, true, true},
                      StateCase{"Ready, uninstall", false, false, true, true, true, false},
                      StateCase{"Running, uninstall", true, false, true, false, false, false},
                      StateCase{"Completed, uninstall", false, true, true, true, true, false}));

}  // namespace
