// TLogger over real Win32 files: purge, interrupted purge, locked logs and the real clock.
#include "log/logger.h"
#include "log/purge.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "settings/registry.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"

#include "fake_clock.h"
#include "fake_registry.h"
#include "faulty_file_system.h"
#include "test_env.h"

#include "settings/profile_win.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

class Win32LoggerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteFileBytes(ini, "[General]\r\nLogEnabled=1\r\nLogDays=2\r\n");
        files->CreateFolder(dir + "\\logs");
    }
    std::string Log(const std::string& name) { return test::ReadFileBytes(logs + name); }

    std::string dir = test::FreshTempDir("win_logger");
    std::string logs = dir + "\\logs\\";
    std::string ini = dir + "\\Korvn.ini";
    std::unique_ptr<ProfilePort> profile = CreateWin32Profile();
    test::FakeRegistry registry; // an existing settings file never touches it
    std::unique_ptr<FileSystemPort> files = CreateWin32FileSystem();
    test::FixedClock clock{LocalTime{2026, 1, 1, 0, 0, 3, 0}};
    TOptions options{OptionsDeps{*profile, registry, *files, "C:\\K.exe", "C:\\"}, ini};
};

TEST_F(Win32LoggerTest, PurgeKeepsTodayAndYesterdayOnly) {
    test::WriteFileBytes(logs + "a.log", "[01/Jan/2025 1:00:00] last year\r\n"
                                         "[31/Dec/2025 23:59:59] yesterday\r\n"
                                         "[02/Jan/2026 0:00:00] future\r\n"
                                         "[01/Jan/2026 0:00:01] today\r\n");
    test::WriteFileBytes(logs + "b.log", "[30/Dec/2025 1:00:00] too old\r\n");
    test::WriteFileBytes(dir + "\\debug.log", "previous run\r\n");
    TLogger logger(*files, clock, options, dir + "\\");
    EXPECT_EQ("[31/Dec/2025 23:59:59] yesterday\r\n[01/Jan/2026 0:00:01] today\r\n", Log("a.log"));
    EXPECT_FALSE(files->FileExists(logs + "b.log"));
    EXPECT_FALSE(files->FileExists(dir + "\\debug.log"));
    EXPECT_TRUE(files->FindFiles(logs + "*.tmp").empty());

    logger.Log(kTemperatureLog, "a.log",
               "Temperature = 45\xB0"
               "C (113\xB0"
               "F)",
               kNotice);
    EXPECT_EQ("[31/Dec/2025 23:59:59] yesterday\r\n[01/Jan/2026 0:00:01] today\r\n"
              "[01/Jan/2026 0:00:03] Temperature = 45\xB0"
              "C (113\xB0"
              "F)\r\n",
              Log("a.log"));
}

TEST_F(Win32LoggerTest, AnInterruptedPurgeLeavesTheLogIntact) {
    const std::string original = "[31/Dec/2025 1:00:00] kept\r\n[01/Jan/2020 1:00:00] old\r\n";
    const KeepWindow window(clock.now, 2);
    test::FaultyFileSystem counting(*files);
    test::WriteFileBytes(logs + "a.log", original);
    ASSERT_EQ(PurgeOutcome::Rewritten, PurgeLogFile(counting, logs + "a.log", window));
    for (int failAt = 1; failAt <= counting.Steps(); ++failAt) {
        test::WriteFileBytes(logs + "a.log", original);
        test::FaultyFileSystem faulty(*files, failAt);
        EXPECT_EQ(PurgeOutcome::Failed, PurgeLogFile(faulty, logs + "a.log", window));
        EXPECT_EQ(original, Log("a.log")) << "step " << failAt;
        EXPECT_TRUE(files->FindFiles(logs + "*.tmp").empty()) << "step " << failAt;
    }
}

TEST_F(Win32LoggerTest, ALockedLogLosesTheLineAndNothingElse) {
    TLogger logger(*files, clock, options, dir + "\\");
    logger.Log(kTemperatureLog, "held.log", "first", kNotice);
    ScopedFile viewer(CreateFileA((logs + "held.log").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(viewer);
    logger.Log(kTemperatureLog, "held.log", "dropped", kNotice);
    logger.Log(kDebugLog, "", "debug goes on", kWarning);
    viewer.Reset();
    logger.Log(kTemperatureLog, "held.log", "third", kNotice);
    EXPECT_EQ("[01/Jan/2026 0:00:03] first\r\n[01/Jan/2026 0:00:03] third\r\n", Log("held.log"));
    EXPECT_EQ("[01/Jan/2026 0:00:03] [warning] debug goes on\r\n",
              test::ReadFileBytes(dir + "\\debug.log"));
}

TEST_F(Win32LoggerTest, AReaderSharingTheLogCostsNoLine) {
    TLogger logger(*files, clock, options, dir + "\\");
    logger.Log(kDebugLog, "", "first", kNotice);
    // As a log viewer or a mail client attaching debug.log opens it.
    ScopedFile reader(CreateFileA((dir + "\\debug.log").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    logger.Log(kDebugLog, "", "second", kNotice);
    reader.Reset();
    EXPECT_EQ("[01/Jan/2026 0:00:03] [notice]  first\r\n[01/Jan/2026 0:00:03] [notice]  second\r\n",
              test::ReadFileBytes(dir + "\\debug.log"));
}

// The log's append: the line and CR LF at the very end of what is there, the file created when
// missing, and a failure reported when it cannot be written.
TEST_F(Win32LoggerTest, AnAppendGoesToTheEndCreatesTheFileAndReportsFailure) {
    const std::string path = logs + "append.log";
    EXPECT_TRUE(files->AppendLine(path, "one"));
    EXPECT_EQ("one\r\n", Log("append.log"));
    // Written meanwhile by another program, without a line end, and grown past where it was.
    test::WriteFileBytes(path, "one\r\nby hand, longer than before");
    EXPECT_TRUE(files->AppendLine(path, "two"));
    EXPECT_TRUE(files->AppendLine(path, ""));
    EXPECT_EQ("one\r\nby hand, longer than beforetwo\r\n\r\n", Log("append.log"));

    // A folder of that name, and a folder that is not there (an exclusive holder: see above).
    ASSERT_TRUE(files->CreateFolder(logs + "folder.log"));
    EXPECT_FALSE(files->AppendLine(logs + "folder.log", "refused"));
    EXPECT_TRUE(files->FolderExists(logs + "folder.log"));
    EXPECT_FALSE(files->AppendLine(logs + "missing\\folder.log", "nowhere"));
    EXPECT_FALSE(files->FileExists(logs + "missing\\folder.log"));
}

TEST_F(Win32LoggerTest, RealClockStampsTheLine) {
    auto systemClock = CreateWin32Clock();
    TLogger logger(*files, *systemClock, options, dir + "\\");
    const LocalTime before = systemClock->Now();
    logger.Log(kDebugLog, "", "now", kNotice);
    const LocalTime after = systemClock->Now();
    const std::string line = test::ReadFileBytes(dir + "\\debug.log");
    EXPECT_TRUE(line == DebugLogLine(before, kNotice, "now") + "\r\n" ||
                line == DebugLogLine(after, kNotice, "now") + "\r\n")
        << line;
}

} // namespace
} // namespace korvane
