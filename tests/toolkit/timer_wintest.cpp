// Timers of the GUI thread, on real WM_TIMER messages; a tick that throws is reported.
#include "toolkit/timer_win.h"

#include "toolkit/failure_report.h"

#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {
namespace {

using test::NowMs;
using test::PumpUntil;

TEST(TimerTicks, IntervalZeroTicksAboutEverySecond) {
    Timer timer(0);
    EXPECT_EQ(1000, timer.Interval());
    EXPECT_FALSE(timer.Enabled());
    std::vector<double> ticks;
    timer.OnTick = [&](TimerPort& sender) {
        EXPECT_EQ(&timer, &sender);
        ticks.push_back(NowMs());
    };
    const double start = NowMs();
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks.size() >= 2; }, 8000));
    // Loose: the system may be busy, but a tick every ~10 ms or every 5 s is wrong.
    EXPECT_GT(ticks[0] - start, 700);
    EXPECT_LT(ticks[0] - start, 3000);
    EXPECT_GT(ticks[1] - ticks[0], 700);
    timer.SetEnabled(false);
    const size_t count = ticks.size();
    Timer probe(1200); // waits past one more period of the disabled timer
    bool probed = false;
    probe.OnTick = [&](TimerPort&) { probed = true; };
    probe.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return probed; }, 8000));
    EXPECT_EQ(count, ticks.size());
}

TEST(TimerTicks, ChangedIntervalRestartsThePeriod) {
    Timer watched(400);
    Timer trigger(150);
    double changedAt = 0, tickedAt = 0;
    watched.OnTick = [&](TimerPort&) {
        if (tickedAt == 0)
            tickedAt = NowMs();
    };
    trigger.OnTick = [&](TimerPort& t) {
        t.SetEnabled(false);
        changedAt = NowMs();
        watched.SetInterval(500);
    };
    const double start = NowMs();
    watched.SetEnabled(true);
    trigger.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return tickedAt != 0; }, 8000));
    ASSERT_NE(0, changedAt);
    EXPECT_EQ(500, watched.Interval());
    // Without the restart the first tick would come ~400 ms after the start.
    EXPECT_GT(tickedAt - changedAt, 400);
    EXPECT_GT(tickedAt - start, 500);
}

TEST(TimerTicks, EnablingTwiceKeepsThePeriodAFailedTickIsReportedAndFreeingStopsTicks) {
    std::vector<std::string> reported;
    SetFailureReport([&](const std::string& line) { reported.push_back(line); });
    auto timer = std::make_unique<Timer>(300);
    int ticks = 0;
    timer->OnTick = [&](TimerPort&) {
        if (++ticks == 1)
            throw std::runtime_error("poll failed");
    };
    timer->SetEnabled(true);
    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 5000)); // it ticks on after the failure
    SetFailureReport(nullptr);
    EXPECT_EQ(std::vector<std::string>{"Exception in the tick of a 300 ms timer: poll failed"},
              reported);
    timer.reset(); // a tick still due must not reach the freed object
    Timer probe(700);
    bool probed = false;
    probe.OnTick = [&](TimerPort&) { probed = true; };
    probe.SetEnabled(true);
    const int before = ticks;
    ASSERT_TRUE(PumpUntil([&] { return probed; }, 5000));
    EXPECT_EQ(before, ticks);
}

} // namespace
} // namespace korvane
