// Aligned children, the Tab order and the small input rules of the controls.
#include "toolkit/forms/input_rules.h"
#include "toolkit/forms/layout.h"

#include <gtest/gtest.h>

namespace korvane::forms {
namespace {

TEST(Alignment, TopAndBottomStackClientTakesTheRest) {
    // A settings-like frame: a button strip at the bottom, a header at the top, a page between,
    // and a free control that keeps its place.
    const std::vector<AlignedChild> children = {
        {Align::Bottom, {5, 5, 10, 36}}, {Align::Client, {0, 0, 1, 1}},
        {Align::None, {7, 8, 9, 10}},    {Align::Top, {0, 0, 50, 75}},
        {Align::Top, {0, 0, 50, 20}},
    };
    const auto placed = ArrangeAligned(500, 411, children);
    EXPECT_EQ((Rect{0, 375, 500, 36}), placed[0]);
    EXPECT_EQ((Rect{0, 95, 500, 280}), placed[1]);
    EXPECT_EQ((Rect{7, 8, 9, 10}), placed[2]);
    EXPECT_EQ((Rect{0, 0, 500, 75}), placed[3]);
    EXPECT_EQ((Rect{0, 75, 500, 20}), placed[4]);
}

TEST(Alignment, TooSmallParentNeverGivesNegativeSizes) {
    const auto placed = ArrangeAligned(
        40, 30, {{Align::Top, {0, 0, 0, 25}}, {Align::Bottom, {0, 0, 0, 25}}, {Align::Client, {}}});
    EXPECT_EQ((Rect{0, 0, 40, 25}), placed[0]);
    EXPECT_EQ((Rect{0, 25, 40, 5}), placed[1]);
    EXPECT_EQ((Rect{0, 25, 40, 0}), placed[2]);
}

// The settings, countdown and about windows all go there.
TEST(WorkAreaCentring, ByTheAreaSizeWithIntegerHalves) {
    EXPECT_EQ(CentreInWorkArea({0, 0, 1024, 738}, 426, 374), (Rect{299, 182, 426, 374}));
    EXPECT_EQ(CentreInWorkArea({0, 0, 1025, 739}, 426, 374), (Rect{299, 182, 426, 374}));
    // A work area smaller than the window puts it partly off the top-left edge.
    EXPECT_EQ(CentreInWorkArea({0, 0, 400, 300}, 426, 374), (Rect{-13, -37, 426, 374}));
    // A task bar at the top or left: centred in the area that is left, from its own origin.
    EXPECT_EQ(CentreInWorkArea({0, 40, 1024, 728}, 426, 374), (Rect{299, 217, 426, 374}));
    EXPECT_EQ(CentreInWorkArea({60, 0, 964, 768}, 426, 374), (Rect{329, 197, 426, 374}));
}

TEST(TabOrder, SkipsIneligibleAndWrapsBothWays) {
    const std::vector<bool> eligible = {false, true, false, true, true, false};
    EXPECT_EQ(3, NextTabStop(eligible, 1, false));
    EXPECT_EQ(1, NextTabStop(eligible, 4, false));  // wraps past the end
    EXPECT_EQ(4, NextTabStop(eligible, 1, true));   // wraps past the start
    EXPECT_EQ(1, NextTabStop(eligible, -1, false)); // focus outside: first stop
    EXPECT_EQ(4, NextTabStop(eligible, -1, true));  // ... or the last one backwards
    EXPECT_EQ(3, NextTabStop(eligible, 2, false));  // from a control that is no stop
    EXPECT_EQ(1, NextTabStop({true, true}, 0, false));
    EXPECT_EQ(0, NextTabStop({true}, 0, false)); // a single stop keeps the focus
    EXPECT_EQ(-1, NextTabStop({false, false}, 0, false));
    EXPECT_EQ(-1, NextTabStop({}, -1, false));
}

TEST(UpDownStep, ClampsToRangeWithoutOverflow) {
    EXPECT_EQ(100, UpDownCandidate(100, 1, 1, 100));
    EXPECT_EQ(1, UpDownCandidate(1, -1, 1, 100));
    EXPECT_EQ(51, UpDownCandidate(50, 1, 1, 100));
    EXPECT_EQ(200, UpDownCandidate(250, 1, 1, 200)); // a typed value above the range comes back
    EXPECT_EQ(INT32_MAX, UpDownCandidate(INT32_MAX, 1, INT32_MIN, INT32_MAX));
    EXPECT_EQ(10, UpDownCandidate(0, 0, 10, 5)); // reversed range: raised to the minimum last
}

TEST(FileFilter, BarsBecomeSeparatorsAndTheEndIsDoubled) {
    using namespace std::string_literals;
    EXPECT_EQ("Wave\0*.wav\0All\0*.*\0\0"s, FileDialogFilter("Wave|*.wav|All|*.*"));
    EXPECT_EQ("A\0*.a\0\0"s, FileDialogFilter("A|*.a|"));
    EXPECT_EQ(""s, FileDialogFilter(""));
}

TEST(KeyShiftState, CombinesModifierBits) {
    EXPECT_EQ(0u, ShiftState(false, false, false));
    EXPECT_EQ(4u, ShiftState(true, false, false));
    EXPECT_EQ(8u | 32u, ShiftState(false, true, true));
}

} // namespace
} // namespace korvane::forms
