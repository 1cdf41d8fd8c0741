// TLogger over real files in a temp folder, with settings in memory and a fixed clock.
#include "log/logger.h"

#include "settings/keys.h"
#include "settings/options.h"

#include "fake_clock.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "posix_file_system.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace korvane {
namespace {

class LoggerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteFileBytes(ini, "");
        files.CreateFolder(dir + "/logs");
        general().WriteBool(key::LogEnabled.name, true);
        general().WriteInteger(key::LogDays.name, 2);
    }
    TOptionsSection& general() { return options.General(); }
    std::string Log(const std::string& name) { return test::ReadFileBytes(dir + "/logs/" + name); }
    std::string Debug() { return test::ReadFileBytes(dir + "/debug.log"); }

    std::string dir = test::FreshTempDir("logger");
    std::string ini = dir + "/Korvn.ini";
    std::string dataPath = dir + "\\"; // the logger adds Windows separators
    test::FakeProfile profile;
    test::FakeRegistry registry;
    test::PosixFileSystem files;
    test::FixedClock clock{LocalTime{2026, 12, 6, 9, 5, 7, 0}};
    TOptions options{OptionsDeps{profile, registry, files, "C:\\K.exe", "C:\\"}, ini};
};

TEST_F(LoggerTest, StartDeletesTheDebugLogAndPurgesTemperatureLogs) {
    test::WriteFileBytes(dir + "/debug.log", "old run\r\n");
    test::WriteFileBytes(dir + "/logs/a.log",
                         "[04/Dec/2026 1:00:00] old\r\n[05/Dec/2026 1:00:00] new\r\n");
    test::WriteFileBytes(dir + "/logs/b.log", "[01/Jan/2025 1:00:00] old\r\n");
    test::WriteFileBytes(dir + "/logs/c.txt", "[01/Jan/2025 1:00:00] not a log\r\n");
    TLogger logger(files, clock, options, dataPath);
    EXPECT_FALSE(files.FileExists(dir + "/debug.log"));
    EXPECT_EQ("[05/Dec/2026 1:00:00] new\r\n", Log("a.log"));
    EXPECT_FALSE(files.FileExists(dir + "/logs/b.log"));
    EXPECT_EQ("[01/Jan/2025 1:00:00] not a log\r\n", Log("c.txt"));
}

TEST_F(LoggerTest, AppendsBothKindsOfLines) {
    TLogger logger(files, clock, options, dataPath);
    logger.Log(kTemperatureLog, "M (1 GB).log", "Temperature = 45", kNotice);
    logger.Log(kTemperatureLog, "M (1 GB).log", "second", kError);
    logger.Log(kDebugLog, "ignored.log", "Start Action", kNotice);
    logger.Log(kDebugLog, "", "boom", kError);
    logger.Log(2, "M (1 GB).log", "nowhere", kNotice);
    logger.Log(-1, "", "nowhere", kNotice);
    EXPECT_EQ("[06/Dec/2026 9:05:07] Temperature = 45\r\n[06/Dec/2026 9:05:07] second\r\n",
              Log("M (1 GB).log"));
    EXPECT_EQ("[06/Dec/2026 9:05:07] [notice]  Start Action\r\n"
              "[06/Dec/2026 9:05:07] [error]   boom\r\n",
              Debug());
    EXPECT_FALSE(files.FileExists(dir + "/logs/ignored.log"));
}

TEST_F(LoggerTest, LogDisabledMeansNoTemperatureLogsAndNoPurge) {
    general().WriteBool(key::LogEnabled.name, false);
    const std::string old = "[01/Jan/2020 1:00:00] old\r\n";
    test::WriteFileBytes(dir + "/logs/a.log", old);
    TLogger logger(files, clock, options, dataPath);
    logger.Log(kTemperatureLog, "a.log", "Temperature = 45", kNotice);
    logger.Log(kDebugLog, "", "still written", kNotice);
    EXPECT_EQ(old, Log("a.log"));
    EXPECT_EQ("[06/Dec/2026 9:05:07] [notice]  still written\r\n", Debug());
}

TEST_F(LoggerTest, NoPositiveLogDaysKeepsEverythingAndSaysWhy) {
    const std::string old = "[01/Jan/2020 1:00:00] old\r\n";
    for (const char* days : {"0", "-3", "abc"}) {
        profile.WriteText(ini, "General", "LogDays", days);
        test::WriteFileBytes(dir + "/logs/a.log", old);
        TLogger logger(files, clock, options, dataPath);
        EXPECT_EQ(old, Log("a.log")) << days;
        const std::string debug = Debug();
        EXPECT_EQ(0u, debug.find("[06/Dec/2026 9:05:07] [warning] Purge of old temperature records "
                                 "skipped"))
            << debug;
        EXPECT_EQ(debug.size() - 2, debug.find("\r\n")) << "one line only: " << debug;
    }
}

TEST_F(LoggerTest, ManyLogFilesInTurnEachGetTheirOwnLines) {
    TLogger logger(files, clock, options, dataPath);
    // More names than the logger keeps paths for, twice round, and two names of one file.
    for (int round = 0; round < 2; ++round) {
        for (int disk = 0; disk < 20; ++disk) {
            logger.Log(kTemperatureLog, "D" + std::to_string(disk) + ".log", "t", kNotice);
        }
        logger.Log(kTemperatureLog, "a:b.log", "colon", kNotice);
        logger.Log(kTemperatureLog, "a_b.log", "underscore", kNotice);
    }
    for (int disk = 0; disk < 20; ++disk) {
        EXPECT_EQ("[06/Dec/2026 9:05:07] t\r\n[06/Dec/2026 9:05:07] t\r\n",
                  Log("D" + std::to_string(disk) + ".log"));
    }
    const std::string shared = Log("a_b.log");
    EXPECT_EQ(4, std::count(shared.begin(), shared.end(), '\n'));
}

TEST_F(LoggerTest, AModelWithPathCharactersStaysInTheLogsFolder) {
    TLogger logger(files, clock, options, dataPath);
    logger.Log(kTemperatureLog, "..\\..\\evil/x:y (1 GB).log", "t", kNotice);
    EXPECT_EQ("[06/Dec/2026 9:05:07] t\r\n", Log(".._.._evil_x_y (1 GB).log"));
    EXPECT_EQ(1u, files.FindFiles(dataPath + "logs\\*").size());
}

TEST_F(LoggerTest, AFolderDeletedWhileRunningIsMadeAgainAndLosesNoLine) {
    TLogger logger(files, clock, options, dataPath);
    logger.Log(kTemperatureLog, "a.log", "before", kNotice);
    std::filesystem::remove_all(dir + "/logs");
    logger.Log(kTemperatureLog, "a.log", "after", kNotice);
    EXPECT_EQ("[06/Dec/2026 9:05:07] after\r\n", Log("a.log"));

    // The whole data folder, both kinds of log.
    std::filesystem::remove_all(dir);
    logger.Log(kDebugLog, "", "debug again", kNotice);
    logger.Log(kTemperatureLog, "a.log", "temperature again", kNotice);
    EXPECT_EQ("[06/Dec/2026 9:05:07] [notice]  debug again\r\n", Debug());
    EXPECT_EQ("[06/Dec/2026 9:05:07] temperature again\r\n", Log("a.log"));
}

} // namespace
} // namespace korvane
