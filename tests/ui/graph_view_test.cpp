// The graph window's rules: ranges and moving in time, keys, axis ticks, bounds, readout, CSV.
#include "log/log_reader.h"
#include "ui/graph_view.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const int64_t kNow = LocalSeconds(LocalTime{2026, 12, 6, 9, 30, 0, 0});

TEST(GraphView, RangesFollowTheClockAndMoveByQuarters) {
    GraphViewState view{GraphSpan::Day, 0, true};
    const GraphRange live = ViewRange(view, kNow, kNow - 90 * 86400, 800);
    EXPECT_EQ(live.end - live.start, 86400);
    EXPECT_GT(live.end, kNow); // room on the right for the next lines
    EXPECT_EQ(live.width, 800);

    // Back a quarter, then forward past now: live again.
    view = MoveView(view, -1, kNow, kNow - 90 * 86400);
    EXPECT_FALSE(view.live);
    EXPECT_EQ(ViewRange(view, kNow, 0, 800).end, live.end - 86400 / 4);
    view = MoveView(view, 2, kNow, kNow - 90 * 86400);
    EXPECT_TRUE(view.live);

    // Not back beyond the first reading; All spans from it.
    GraphViewState far{GraphSpan::Hour, 0, true};
    for (int i = 0; i < 100; ++i)
        far = MoveView(far, -1, kNow, kNow - 3 * 3600);
    EXPECT_GE(ViewRange(far, kNow, kNow - 3 * 3600, 1).end, kNow - 3 * 3600);
    const GraphRange all = ViewRange({GraphSpan::All, 0, true}, kNow, kNow - 400 * 86400, 800);
    EXPECT_EQ(all.start, kNow - 400 * 86400); // the first 400 days' twentieth included
    EXPECT_GT(all.end, kNow);
    EXPECT_TRUE(MoveView({GraphSpan::All, 0, true}, -1, kNow, kNow - 400 * 86400).live);
}

TEST(GraphView, KeysChooseRangesMoveCopyAndClose) {
    EXPECT_EQ(GraphKeyFor('7', 0).action, GraphKey::Span);
    EXPECT_EQ(GraphKeyFor('7', 0).span, GraphSpan::Week);
    EXPECT_EQ(GraphKeyFor('2', 32).span, GraphSpan::Day); // with Alt, as the access key
    EXPECT_EQ(GraphKeyFor('A', 0).span, GraphSpan::All);
    EXPECT_EQ(GraphKeyFor(0x25, 0).action, GraphKey::Back);
    EXPECT_EQ(GraphKeyFor(0x22, 0).action, GraphKey::Forward);
    EXPECT_EQ(GraphKeyFor('C', 8).action, GraphKey::Copy);
    EXPECT_EQ(GraphKeyFor('1', 8).action, GraphKey::None); // Ctrl+1 is no range
    EXPECT_EQ(GraphKeyFor(0x1B, 0).action, GraphKey::Close);
    for (GraphSpan span : kGraphSpans) {
        const std::string text = GraphSpanText(span);
        const size_t amp = text.find('&');
        ASSERT_NE(amp, std::string::npos);
        const GraphKeyAction key =
            GraphKeyFor(static_cast<uint32_t>(std::toupper(text[amp + 1])), 0);
        EXPECT_EQ(key.action, GraphKey::Span) << text; // every button's access key is its key
        EXPECT_EQ(key.span, span) << text;
    }
}

TEST(GraphView, TimeTicksAreRoundAndMarkEveryMidnight) {
    const int64_t midnight = LocalSeconds(LocalTime{2026, 12, 6, 0, 0, 0, 0});
    // A day from 6:00 at 800 pixels: labels every 3 hours, one midnight as a date.
    const std::vector<AxisTick> day =
        TimeTicks({midnight - 18 * 3600, midnight + 6 * 3600, 800}, 80);
    int majors = 0;
    for (const AxisTick& t : day) {
        if (t.major) {
            ++majors;
            EXPECT_EQ(t.label, "06/Dec");
            EXPECT_EQ(t.at, 600);
        }
    }
    EXPECT_EQ(majors, 1);
    EXPECT_EQ(day.front().label, "6:00");
    EXPECT_EQ(day[1].label, "9:00");
    // A week: seven midnights, labelled by date.
    const std::vector<AxisTick> week = TimeTicks({midnight - 7 * 86400 + 1, midnight + 1, 800}, 80);
    EXPECT_EQ(week.size(), 7u);
    EXPECT_EQ(week.back().label, "06/Dec");
    // Years: far fewer labels than days, no midnight lines packed together.
    const std::vector<AxisTick> years = TimeTicks({midnight - 800 * 86400, midnight, 800}, 80);
    EXPECT_LE(years.size(), 12u);
    for (const AxisTick& t : years)
        EXPECT_FALSE(t.major);
}

TEST(GraphView, TemperatureAxisInTheUnitShown) {
    int32_t low = 0, high = 0;
    TemperatureBounds(38, 61, true, low, high);
    EXPECT_EQ(low, 35);
    EXPECT_EQ(high, 65);
    TemperatureBounds(38, 61, false, low, high); // 100 to 141 degrees F
    EXPECT_EQ(low, 95);
    EXPECT_EQ(high, 145);
    const std::vector<AxisTick> ticks = TemperatureTicks(35, 65, 300, 24, true);
    EXPECT_EQ(ticks.front().label, "35\xB0"
                                   "C");
    EXPECT_EQ(ticks.front().at, 300);
    EXPECT_EQ(ticks.back().at, 0);
    EXPECT_EQ(TemperatureTicks(95, 145, 300, 24, false).back().label, "145\xB0"
                                                                      "F");
}

TEST(GraphView, ReadoutAndCsvRows) {
    GraphColumn column;
    column.count = 3;
    column.min = 44;
    column.max = 46;
    EXPECT_EQ(ReadoutValue("HDD - A (80 GB)", &column, true), "HDD - A (80 GB): 44-46\xB0"
                                                              "C");
    column.max = 44;
    EXPECT_EQ(ReadoutValue("HDD - A (80 GB)", &column, false), "HDD - A (80 GB): 111\xB0"
                                                               "F");
    EXPECT_EQ(ReadoutValue("HDD - A (80 GB)", nullptr, true), "HDD - A (80 GB): -");
    const int64_t t = LocalSeconds(LocalTime{2026, 12, 6, 9, 5, 7, 0});
    EXPECT_EQ(CsvRow(t, "HDD - ST380011A (80 GB)", 45),
              "2026-12-06T09:05:07,HDD - ST380011A (80 GB),45\r\n");
    // A name with a comma or quote stays one field.
    EXPECT_EQ(CsvRow(t, "HDD - A,\"B\" (1 GB)", -1),
              "2026-12-06T09:05:07,\"HDD - A,\"\"B\"\" (1 GB)\",-1\r\n");
}

TEST(GraphView, LayoutScalesFromNinetySixDpi) {
    const GraphLayout at96 = LayoutGraph(800, 480, 4, 96);
    const GraphLayout at144 = LayoutGraph(1200, 720, 4, 144);
    ASSERT_EQ(at96.buttons.size(), 5u);
    EXPECT_EQ(at144.buttons[4].left, at96.buttons[4].left * 3 / 2);
    EXPECT_EQ(at144.plot.left, at96.plot.left * 3 / 2);
    // The plot leaves room for the legend's four rows under the time labels.
    EXPECT_LE(at96.legendTop + 4 * at96.legendRow, at96.plotArea.height);
    EXPECT_GT(at96.plot.width, 700);
}

} // namespace
} // namespace korvane
