// Expiry of old temperature records: the keep window, line splitting, and the safe rewrite.
#include "log/log_format.h"
#include "log/purge.h"

#include "faulty_file_system.h"
#include "posix_file_system.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <set>

namespace korvane {
namespace {

LocalTime Day(int year, int month, int day) {
    return LocalTime{year, month, day, 12, 0, 0, 0};
}

// The day before, by plain calendar rules, for the reference keep set.
LocalTime DayBefore(LocalTime t) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (--t.day == 0) {
        if (--t.month == 0) {
            t.month = 12;
            --t.year;
        }
        const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
        t.day = t.month == 2 && leap ? 29 : kDays[t.month - 1];
    }
    return t;
}

TEST(KeepWindow, KeepsExactlyTheDatesOfTheLastNDays) {
    // Across a year end, a leap day and a century rule, compared with the set built day by day.
    for (const LocalTime today : {Day(2027, 1, 2), Day(2024, 3, 1), Day(2100, 3, 1)}) {
        for (int n : {1, 2, 3, 40}) {
            std::set<std::string> keep;
            LocalTime d = today;
            for (int i = 0; i < n; ++i, d = DayBefore(d)) {
                keep.insert("[" + FormatLogDate(d));
            }
            const KeepWindow window(today, n);
            for (int i = -3; i < n + 3; ++i) {
                // Walk from 3 days in the future to 3 days before the window.
                LocalTime t = today;
                if (i < 0) {
                    t.day += -i; // still a valid date for the chosen days
                } else {
                    for (int k = 0; k < i; ++k) {
                        t = DayBefore(t);
                    }
                }
                const std::string prefix = "[" + FormatLogDate(t);
                EXPECT_EQ(keep.count(prefix) == 1, window.Keeps(prefix)) << prefix << " n=" << n;
            }
        }
    }
}

TEST(KeepWindow, OnlyTheLoggersOwnDateTextMatches) {
    const KeepWindow window(Day(2026, 12, 6), 3);
    EXPECT_TRUE(window.Keeps("[06/Dec/2026"));
    EXPECT_TRUE(window.Keeps("[04/Dec/2026"));
    EXPECT_FALSE(window.Keeps("[03/Dec/2026"));
    EXPECT_FALSE(window.Keeps("[07/Dec/2026")); // the future: clock set back
    EXPECT_FALSE(window.Keeps("[6/Dec/2026 "));
    EXPECT_FALSE(window.Keeps("[06/dec/2026"));
    EXPECT_FALSE(window.Keeps(std::string("[06/Dec/2026").substr(0, 11)));
    EXPECT_FALSE(window.Keeps("(06/Dec/2026"));
    EXPECT_FALSE(window.Keeps("[31/Nov/2026"));
    EXPECT_FALSE(window.Keeps("[0x/Dec/2026"));
    EXPECT_FALSE(KeepWindow(Day(2026, 12, 6), 0).Keeps("[06/Dec/2026"));
    EXPECT_TRUE(KeepWindow(Day(2026, 12, 6), INT32_MAX).Keeps("[01/Jan/0001"));
}

std::string Filter(const std::string& input, size_t piece) {
    const KeepWindow window(Day(2026, 12, 6), 2);
    RecordFilter filter(window);
    std::string out;
    for (size_t i = 0; i < input.size(); i += piece) {
        filter.Feed(input.data() + i, std::min(piece, input.size() - i), out);
    }
    filter.Finish(out);
    return out;
}

TEST(RecordFilter, SplitsAtCrAndCrLfAndKeepsOnlyDatedLinesOfTheWindow) {
    const std::string input = "[05/Dec/2026 1:00:00] a\r"     // CR alone ends a line
                              "[06/Dec/2026 2:00:00] b\r\n"   // CR LF is one break
                              "\r\n"                          // empty line
                              "[04/Dec/2026 3:00:00] old\r\n" // outside the window
                              "[07/Dec/2026 3:00:00] future\r\n"
                              "no date at all here\r\n"
                              "[06/Dec/202\r\n"       // shorter than 12
                              "[06/Dec/2026\r\n"      // just the date: kept
                              "[06/Dec/2026 x\ny\r\n" // a lone LF stays inside
                              "[06/Dec/2026 last";    // no final break
    const std::string expected = "[05/Dec/2026 1:00:00] a\r\n"
                                 "[06/Dec/2026 2:00:00] b\r\n"
                                 "[06/Dec/2026\r\n"
                                 "[06/Dec/2026 x\ny\r\n"
                                 "[06/Dec/2026 last\r\n";
    // The result does not depend on how the stream is cut into pieces.
    for (size_t piece : {size_t{1}, size_t{2}, size_t{5}, size_t{12}, size_t{13}, input.size()}) {
        EXPECT_EQ(expected, Filter(input, piece)) << "pieces of " << piece;
    }
    EXPECT_EQ("", Filter("", 4));
    EXPECT_EQ("", Filter("\r\n\r\r\n", 1));
}

class PurgeFileTest : public ::testing::Test {
  protected:
    std::string dir = test::FreshTempDir("purge");
    std::string log = test::JoinPath(dir, "disk.log");
    test::PosixFileSystem files;
    KeepWindow window{Day(2026, 12, 6), 2};
    const std::string original = "[04/Dec/2026 1:00:00] old\r\n"
                                 "[05/Dec/2026 1:00:00] kept\r"
                                 "[06/Dec/2027 1:00:00] future\r\n";
};

TEST_F(PurgeFileTest, RewritesWithKeptLinesOrDeletesAnEmptiedLog) {
    test::WriteFileBytes(log, original);
    EXPECT_EQ(PurgeOutcome::Rewritten, PurgeLogFile(files, log, window));
    EXPECT_EQ("[05/Dec/2026 1:00:00] kept\r\n", test::ReadFileBytes(log));
    EXPECT_FALSE(files.FileExists(log + ".tmp"));

    test::WriteFileBytes(log, "[01/Jan/2020 1:00:00] x\r\n\r\n");
    EXPECT_EQ(PurgeOutcome::Deleted, PurgeLogFile(files, log, window));
    EXPECT_FALSE(files.FileExists(log));
    EXPECT_EQ(PurgeOutcome::Failed, PurgeLogFile(files, log, window)); // nothing to read
}

TEST_F(PurgeFileTest, AnInterruptionAtAnyWriteStepLeavesTheLogIntact) {
    test::WriteFileBytes(log, original);
    test::FaultyFileSystem counting(files);
    PurgeLogFile(counting, log, window);
    const int steps = counting.Steps();
    ASSERT_GE(steps, 3); // create, write, finish, replace at least

    for (int failAt = 1; failAt <= steps; ++failAt) {
        test::WriteFileBytes(log, original);
        test::FaultyFileSystem faulty(files, failAt);
        EXPECT_EQ(PurgeOutcome::Failed, PurgeLogFile(faulty, log, window)) << "step " << failAt;
        EXPECT_EQ(original, test::ReadFileBytes(log)) << "step " << failAt;
        EXPECT_FALSE(files.FileExists(log + ".tmp")) << "step " << failAt;
    }
}

} // namespace
} // namespace korvane
