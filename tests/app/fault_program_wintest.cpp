// Real faults met by the running sim build: a read-only settings file, the logs folder deleted
// while it runs, a disk that vanishes between polls. Each time it must go on monitoring, keep
// what it had written and report only what it reports anyway.
#include "app_program_win.h"
#include "file_names_win.h"
#include "settings/location/data_folder.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace korvane {
namespace {

constexpr const char* kDiskA = "[PhysicalDrive0]\r\n"
                               "Model=FAULT DISK A\r\n"
                               "Sectors=156301488\r\n"
                               "Temperature=40\r\n";
constexpr const char* kDiskB = "[PhysicalDrive1]\r\n"
                               "Model=FAULT DISK B\r\n"
                               "Sectors=156301488\r\n"
                               "Temperature=41\r\n";

// Settings of a user who has run the program before: both disks known, polled every second.
std::string KnownSettings() {
    std::string ini = "[General]\r\nUseCelsius=1\r\nShowMainIcon=1\r\nLogEnabled=1\r\nLogDays=3\r\n"
                      "[Drive_COMMON]\r\nPollInterval=1\r\nPollUnits=0\r\nShowDriveTempInTray=0\r\n"
                      "WarningTemp_Level=50\r\nCriticalTemp_Level=60\r\n";
    for (const char* model : {"FAULT DISK A", "FAULT DISK B"})
        ini += std::string("[Drive_") + model +
               "]\r\nEnableTempControl=1\r\nUseCommonSettings=1\r\nShowDriveTempInTray=0\r\n";
    return ini;
}

class FaultProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        exe = test::SimProgramIn("fault_program", std::string(kDiskA) + kDiskB);
        ASSERT_FALSE(exe.empty());
        folder = exe.substr(0, exe.find_last_of('\\'));
        data = test::ProgramDataFolder();
        CreateDirectoryA(data.substr(0, data.size() - 1).c_str(), nullptr);
        test::WriteFileBytes(data + kSettingsFileName, KnownSettings());
    }
    void TearDown() override {
        DumpOnFailure();
        SetFileAttributesA((data + kSettingsFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    void Simulate(const std::string& ini) {
        test::WriteFileBytes(test::JoinPath(folder, "simulation.ini"), ini);
    }
    void Start() {
        ASSERT_TRUE(program.Start(exe)) << program.failure;
        ASSERT_EQ(nullptr, program.box);
    }
    // The disk's temperature log, whatever its capacity text.
    std::string LogPath(const std::string& model) const {
        const std::vector<std::string> found =
            test::FileNames(data + "logs\\" + model + " (*).log");
        if (found.empty())
            return data + "logs\\" + model + ".missing";
        return data + "logs\\" + found.front();
    }
    size_t Lines(const std::string& model) const { return test::ReadLines(LogPath(model)).size(); }
    // Waits until the disk's log has `more` lines more than now.
    bool GrowsBy(const std::string& model, size_t more) const {
        const size_t now = Lines(model);
        return test::PumpUntil([&] { return Lines(model) >= now + more; }, 20000);
    }
    // Ends the program as the user does and checks that it ended well, with no box shown.
    void ExitCleanly() {
        EXPECT_EQ(nullptr, test::DialogOf(program.Id(), "Korvane"));
        ASSERT_NE(nullptr, program.window);
        ASSERT_TRUE(program.Exit(20000));
        EXPECT_EQ(0u, program.process.ExitCode());
        EXPECT_EQ(test::kFinalizationFinished, test::DebugMessages().back());
    }
    // The program's own complaints: error lines in the debug log.
    std::vector<std::string> ErrorLines() const {
        std::vector<std::string> found;
        for (const std::string& line : test::ReadLines(data + kDebugLogName))
            if (line.find("] [error]") != std::string::npos)
                found.push_back(line);
        return found;
    }
    // On failure, what the program logged.
    void DumpOnFailure() const {
        if (!HasFailure())
            return;
        for (const std::string& line : test::ReadLines(data + kDebugLogName))
            std::printf("debug.log: %s\n", line.c_str());
    }

    test::CleanDataFolder clean;
    std::string folder, exe, data;
    test::RunningProgram program;
};

TEST_F(FaultProgram, AReadOnlySettingsFileChangesNothingButTheFileStaysAsItWas) {
    const std::string ini = data + kSettingsFileName;
    ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    Start();
    EXPECT_TRUE(GrowsBy("FAULT DISK A", 3));
    EXPECT_TRUE(GrowsBy("FAULT DISK B", 3));
    // Heating up still raises the alarm, read from the settings as usual.
    Simulate(std::string(kDiskA) + "[PhysicalDrive1]\r\nModel=FAULT DISK B\r\n"
                                   "Sectors=156301488\r\nTemperature=55\r\n");
    EXPECT_TRUE(test::PumpUntil(
        [] { return test::DebugLogHas("HDD2 - FAULT DISK B: put Warning Action in queue"); },
        20000));
    ExitCleanly();
    EXPECT_EQ(KnownSettings(), test::ReadFileBytes(ini));
    EXPECT_TRUE(ErrorLines().empty());
}

TEST_F(FaultProgram, TheLogsFolderDeletedWhileRunningIsMadeAgainAndLoggingGoesOn) {
    Start();
    ASSERT_TRUE(GrowsBy("FAULT DISK A", 2));
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(data + "logs"), ec);
    ASSERT_FALSE(ec) << ec.message();
    // The next polls write again, into a folder made anew.
    EXPECT_TRUE(test::PumpUntil([&] { return Lines("FAULT DISK A") >= 3; }, 20000));
    EXPECT_TRUE(test::PumpUntil([&] { return Lines("FAULT DISK B") >= 3; }, 20000));
    for (const std::string& line : test::ReadLines(LogPath("FAULT DISK A")))
        EXPECT_NE(std::string::npos, line.find("] Temperature = 40")) << line;
    ExitCleanly();
    EXPECT_TRUE(ErrorLines().empty());
}

TEST_F(FaultProgram, ADiskVanishingBetweenPollsLeavesTheOthersMonitoredAndComesBack) {
    Start();
    ASSERT_TRUE(GrowsBy("FAULT DISK B", 2));
    const std::string before = test::ReadFileBytes(LogPath("FAULT DISK B"));
    // Disk B leaves in the middle of the run (its next open finds no device), then returns.
    Simulate(kDiskA);
    const size_t left = Lines("FAULT DISK B");
    EXPECT_TRUE(GrowsBy("FAULT DISK A", 3));
    // Not read while gone: at most the poll that was running when it left wrote a line.
    const size_t gone = Lines("FAULT DISK B");
    EXPECT_LE(gone, left + 1);
    EXPECT_TRUE(GrowsBy("FAULT DISK A", 2));
    EXPECT_EQ(gone, Lines("FAULT DISK B"));
    EXPECT_EQ(0u, test::ReadFileBytes(LogPath("FAULT DISK B")).rfind(before, 0));
    Simulate(std::string(kDiskA) + kDiskB);
    EXPECT_TRUE(GrowsBy("FAULT DISK B", 2));
    EXPECT_EQ(0u, test::ReadFileBytes(LogPath("FAULT DISK B")).rfind(before, 0));

    // Now it goes in the middle of a refresh: the disk still opens, but its attribute and
    // threshold reads fail. The usual notice, and the readings come back with the disk.
    Simulate(std::string(kDiskA) + kDiskB + "Fail=attributes,thresholds\r\n");
    const std::string lost = "HDD2 - FAULT DISK B: no temperature in this reading, reading the "
                             "disk again at every poll";
    EXPECT_TRUE(test::PumpUntil([&] { return test::DebugLogHas(lost); }, 20000));
    EXPECT_TRUE(GrowsBy("FAULT DISK A", 2));
    Simulate(std::string(kDiskA) + kDiskB);
    EXPECT_TRUE(test::PumpUntil(
        [] { return test::DebugLogHas("HDD2 - FAULT DISK B: temperature readings are back"); },
        20000));
    EXPECT_TRUE(GrowsBy("FAULT DISK B", 2));
    EXPECT_EQ(0u, test::ReadFileBytes(LogPath("FAULT DISK B")).rfind(before, 0));
    ExitCleanly();
    EXPECT_TRUE(ErrorLines().empty());
    const std::vector<std::string> messages = test::DebugMessages();
    EXPECT_EQ(1, std::count(messages.begin(), messages.end(), lost));
}

} // namespace
} // namespace korvane
