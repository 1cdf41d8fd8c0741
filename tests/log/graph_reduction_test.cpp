// A log reduced to pixel columns: every peak kept, gaps where the program was not running.
#include "log/graph_reduction.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr int64_t kStart = 1'000'000;

LogReading At(int64_t seconds, int32_t celsius) {
    return {kStart + seconds, celsius};
}

TEST(GraphSeries, MinAndMaxPerColumnKeepEveryPeak) {
    // A day at 20-s polls in 100 columns: 43 readings per column, one spike each way hidden in
    // the middle of a column still shows as that column's max or min.
    GraphSeries series({kStart, kStart + 86400, 100}, 20);
    for (int64_t t = 0; t < 86400; t += 20) {
        int32_t c = 40;
        if (t == 30000)
            c = 70;
        if (t == 60000)
            c = 10;
        series.Add(At(t, c));
    }
    const auto& columns = series.Columns();
    const int32_t hot = series.ColumnOf(kStart + 30000);
    const int32_t cold = series.ColumnOf(kStart + 60000);
    EXPECT_EQ(columns[hot].max, 70);
    EXPECT_EQ(columns[hot].min, 40);
    EXPECT_EQ(columns[cold].min, 10);
    for (size_t i = 0; i < columns.size(); ++i) {
        EXPECT_GT(columns[i].count, 0) << i;
        if (static_cast<int32_t>(i) != hot && static_cast<int32_t>(i) != cold) {
            EXPECT_EQ(columns[i].max - columns[i].min, 0) << i;
        }
    }
    EXPECT_FALSE(series.Steps());
}

TEST(GraphSeries, NoLineAcrossAGap) {
    // 10-s polls: 40 s of silence is more than three intervals; at 60-s polls 2 minutes is a gap
    // all the same, while 119 s is not.
    GraphSeries fast({kStart, kStart + 1000, 1000}, 10);
    for (int64_t t : {0, 10, 20, 60, 70})
        fast.Add(At(t, 40));
    EXPECT_TRUE(fast.Columns()[10].linked);
    EXPECT_FALSE(fast.Columns()[60].linked);
    EXPECT_TRUE(fast.Columns()[70].linked);
    EXPECT_FALSE(fast.Columns()[0].linked); // nothing before it

    GraphSeries slow({kStart, kStart + 1000, 1000}, 60);
    for (int64_t t : {0, 119, 239})
        slow.Add(At(t, 40 + static_cast<int32_t>(t % 2)));
    EXPECT_TRUE(slow.Columns()[119].linked);
    EXPECT_FALSE(slow.Columns()[239].linked);
    // History written at 60-s polls by a disk polled every second today is still one line.
    GraphSeries history({kStart, kStart + 1000, 1000}, 1);
    for (int64_t t : {0, 60, 120 - 1, 179, 180, 181, 185})
        history.Add(At(t, 40 + static_cast<int32_t>(t % 3)));
    EXPECT_TRUE(history.Columns()[119].linked);
    EXPECT_TRUE(history.Columns()[179].linked);
    EXPECT_TRUE(history.Columns()[181].linked);
    EXPECT_FALSE(history.Columns()[185].linked); // 4 s at 1-s polls
    EXPECT_TRUE(IsGraphGap(120, 0));
    EXPECT_FALSE(IsGraphGap(119, 0));
}

TEST(GraphSeries, TheLineEntersAndLeavesTheRangeFromReadingsOutsideIt) {
    GraphSeries series({kStart + 100, kStart + 200, 10}, 20);
    series.Add(At(90, 41));  // before: only how the line comes in
    series.Add(At(110, 42)); // column 1
    series.Add(At(205, 43)); // after
    series.Add(At(225, 44));
    const auto& column = series.Columns()[1];
    EXPECT_TRUE(column.linked);
    EXPECT_EQ(column.before, 41);
    EXPECT_EQ(series.Columns()[0].count, 0);
    ASSERT_TRUE(series.AfterKnown());
    EXPECT_EQ(series.After(), 43);
    EXPECT_FALSE(series.LinkedAfter()); // 95 s of silence at 20-s polls
}

TEST(GraphSeries, ALogOfChangesOnlyIsDrawnAsSteps) {
    GraphSeries changes({kStart, kStart + 3600, 60}, 20);
    for (auto [t, c] : {std::pair{0, 40}, {900, 41}, {1500, 43}, {3000, 42}})
        changes.Add(At(t, c));
    EXPECT_TRUE(changes.Steps());
    GraphSeries polls({kStart, kStart + 3600, 60}, 20);
    for (auto [t, c] : {std::pair{0, 40}, {20, 40}, {40, 41}, {60, 42}})
        polls.Add(At(t, c));
    EXPECT_FALSE(polls.Steps());
    // A disk warming by a degree at every poll changes at every line too, but with no silences.
    GraphSeries ramp({kStart, kStart + 3600, 60}, 1);
    for (int t = 0; t < 10; ++t)
        ramp.Add(At(t, 40 + t));
    EXPECT_FALSE(ramp.Steps());
    // How a log of changes enters the range: from its last value before it, not from nothing.
    changes.Reset({kStart + 1000, kStart + 3600, 26});
    for (auto [t, c] : {std::pair{900, 41}, {1500, 43}})
        changes.Add(At(t, c));
    EXPECT_TRUE(changes.Columns()[5].preceded);
    EXPECT_EQ(changes.Columns()[5].before, 41);
}

} // namespace
} // namespace korvane
