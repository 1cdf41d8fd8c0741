// Reading temperature logs back: both units, damaged and out-of-order lines, following a file.
#include "log/log_format.h"
#include "log/log_reader.h"

#include "memory_file_system.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

constexpr const char* kPath = "C:\\data\\logs\\ST380011A (80 GB).log";

std::string Line(int hour, int minute, int second, const std::string& message) {
    return TemperatureLogLine(LocalTime{2026, 12, 6, hour, minute, second, 0}, message) + "\r\n";
}

std::vector<LogReading> ReadAll(LogReader& reader) {
    std::vector<LogReading> out;
    reader.Read([&](const LogReading& r) { out.push_back(r); });
    return out;
}

TEST(LogReader, ReadsTheLoggersOwnLinesInBothUnits) {
    // What the drive monitor writes, the units either way round, a status change in between.
    test::MemoryFileSystem files;
    files.files[kPath] = Line(9, 5, 7,
                              "Temperature = 45\xB0"
                              "C (113\xB0"
                              "F)") +
                         Line(9, 5, 27,
                              "changed temperature status (from \"normal\" to "
                              "\"warning\")") +
                         Line(23, 59, 59,
                              "Temperature = 122\xB0"
                              "F (50\xB0"
                              "C)");
    LogReader reader(files, kPath);
    const std::vector<LogReading> got = ReadAll(reader);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].celsius, 45);
    EXPECT_EQ(got[1].celsius, 50);
    EXPECT_EQ(FromLocalSeconds(got[0].time).hour, 9);
    EXPECT_EQ(got[1].time - got[0].time, 14 * 3600 + 54 * 60 + 52);
    EXPECT_EQ(reader.Skipped(), 0);
}

TEST(LogReader, SkipsAndCountsWhatItDoesNotRecogniseNeverStopping) {
    test::MemoryFileSystem files;
    const std::string good = "Temperature = 40\xB0"
                             "C (104\xB0"
                             "F)";
    files.files[kPath] = Line(10, 0, 0, good) + "edited by hand\r\n\r\n" +
                         "[31/Feb/2026 10:00:20] " + good + "\r\n" +    // no such day
                         Line(9, 0, 0, good) +                          // the clock went back
                         Line(10, 0, 40, "Temperature = 4") +           // torn in the middle
                         Line(10, 1, 0, good) + "[06/Dec/2026 10:01:2"; // cut off at the end
    LogReader reader(files, kPath);
    const std::vector<LogReading> got = ReadAll(reader);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(FromLocalSeconds(got[1].time).minute, 1);
    EXPECT_EQ(reader.Skipped(), 5);

    // The cut-off line is left for later; completed, it is read as one line.
    files.files[kPath] += "0] " + good + "\r\n";
    const std::vector<LogReading> more = ReadAll(reader);
    ASSERT_EQ(more.size(), 1u);
    EXPECT_EQ(FromLocalSeconds(more[0].time).second, 20);
}

TEST(LogReader, EmptyAndMissingFilesGiveNothing) {
    test::MemoryFileSystem files;
    LogReader missing(files, kPath);
    EXPECT_FALSE(missing.Read([](const LogReading&) { FAIL(); }));
    files.files[kPath] = "";
    LogReader empty(files, kPath);
    EXPECT_TRUE(empty.Read([](const LogReading&) { FAIL(); }));
    EXPECT_EQ(empty.Skipped(), 0);
}

TEST(LogReader, FollowsAGrowingFileAndStartsAgainWhenItShrank) {
    test::MemoryFileSystem files;
    const auto reading = [](int c) {
        return "Temperature = " + std::to_string(c) + "\xB0" + "C (" +
               std::to_string(c * 9 / 5 + 32) + "\xB0" + "F)";
    };
    files.files[kPath] = Line(8, 0, 0, reading(30)) + Line(8, 0, 20, reading(31));
    LogReader reader(files, kPath);
    EXPECT_EQ(ReadAll(reader).size(), 2u);

    files.files[kPath] += Line(8, 0, 40, reading(32));
    std::vector<LogReading> added = ReadAll(reader);
    ASSERT_EQ(added.size(), 1u); // only the new line
    EXPECT_EQ(added[0].celsius, 32);
    EXPECT_FALSE(reader.Restarted());

    // Purged at a restart of the program: a shorter file, read from its start.
    files.files[kPath] = Line(9, 0, 0, reading(35));
    added = ReadAll(reader);
    EXPECT_TRUE(reader.Restarted());
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].celsius, 35);
}

TEST(LogReader, ScanStartsNearTheTimeAskedForAndStopsWhenTold) {
    // Enough lines for several seek marks; a scan from late in the file reads only its end.
    test::MemoryFileSystem files;
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += TemperatureLogLine(FromLocalSeconds(1'700'000'000 + i * 20), "Temperature = 40\xB0"
                                                                             "C (104\xB0"
                                                                             "F)") +
                "\r\n";
    files.files[kPath] = text;
    LogReader reader(files, kPath);
    ReadAll(reader);
    const int64_t from = 1'700'000'000 + 39990 * 20;
    int seen = 0;
    int64_t firstTime = 0;
    reader.Scan(from, [&](const LogReading& r) {
        if (seen++ == 0)
            firstTime = r.time;
        return true;
    });
    EXPECT_LE(firstTime, from);
    EXPECT_LT(seen, 40000 / 3);
    EXPECT_GE(seen, 10);

    int taken = 0;
    reader.Scan(0, [&](const LogReading&) { return ++taken < 5; });
    EXPECT_EQ(taken, 5);
}

TEST(LogReader, LocalSecondsRoundTripAcrossLeapDaysAndCenturies) {
    for (const LocalTime t :
         {LocalTime{2024, 2, 29, 23, 59, 59, 0}, LocalTime{2100, 3, 1, 0, 0, 0, 0},
          LocalTime{1969, 12, 31, 12, 30, 0, 0}}) {
        const LocalTime back = FromLocalSeconds(LocalSeconds(t));
        EXPECT_EQ(FormatTimeStamp(back), FormatTimeStamp(t));
    }
    EXPECT_EQ(LocalSeconds(LocalTime{2000, 3, 1, 0, 0, 0, 0}) -
                  LocalSeconds(LocalTime{2000, 2, 28, 0, 0, 0, 0}),
              2 * 86400);
}

TEST(LogReader, CaptionIsTheTrayMenusName) {
    EXPECT_EQ(LogCaption("ST380011A (80 GB).log"), "HDD - ST380011A (80 GB)");
    EXPECT_EQ(LogCaption("a.b.log"), "HDD - a.b");
}

} // namespace
} // namespace korvane
