// The sim build run as a user runs it, on disks read without administrator rights: SATA disks
// through the storage temperature property, NVMe disks through it or their health log, Windows 7
// through the failure-prediction data, sleeping disks left asleep, and a mixed set of all kinds.
// The system version is Wine's per-program one; the program reads its disks from simulation.ini
// beside it and logs every request it sends to requests.log.
#include "app_program_win.h"
#include "file_names_win.h"
#include "monitor_shell_win.h"
#include "registry_win.h"
#include "settings/location/data_folder.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"
#include "tray_tooltips_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace korvane {
namespace {

// A 1-second poll seen from outside: the tick, the driver's file reads, the log writes.
constexpr DWORD kPollTimeoutMs = 15000;
constexpr const char* kProgramKey = "Software\\Wine\\AppDefaults\\KorvaneMonitor.exe";
constexpr const char* kNoTemperatureText =
    "None of your hard disks supports temperature measurement!";

using test::DebugLogHas;
using test::kInitializationFinished;

// The Windows version Wine tells every KorvaneMonitor.exe, for as long as the object lives.
class ReportedVersion {
  public:
    explicit ReportedVersion(const char* version)
        : ok_(test::SetRegistryString(HKEY_CURRENT_USER, kProgramKey, "Version", version)) {}
    ~ReportedVersion() {
        test::DeleteRegistryValue(HKEY_CURRENT_USER, kProgramKey, "Version");
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey); // only when nothing else is in it
    }
    ReportedVersion(const ReportedVersion&) = delete;
    ReportedVersion& operator=(const ReportedVersion&) = delete;
    bool Ok() const { return ok_; }

  private:
    bool ok_ = false;
};

// The sim build in a program folder of its own, with its simulation.ini and request log.
struct SimFolder {
    std::string exe;
    std::string folder;

    explicit SimFolder(const std::string& name)
        : exe(test::SimProgramIn(name, "")), folder(exe.substr(0, exe.find_last_of('\\'))) {}
    std::string Ini() const { return test::JoinPath(folder, "simulation.ini"); }
    std::string RequestLog() const { return test::JoinPath(folder, "requests.log"); }

    // Replaces simulation.ini in one step: the running program re-reads it at every device
    // open and must never see half a file. A reader holding it open makes the move wait.
    ::testing::AssertionResult Simulate(const std::string& disks) const {
        const std::string text = "[Sim]\r\nRequestLog=requests.log\r\n" + disks;
        const std::string next = test::JoinPath(folder, "simulation.next");
        test::WriteFileBytes(next, text);
        const bool moved = test::PumpUntil(
            [&] { return MoveFileExA(next.c_str(), Ini().c_str(), MOVEFILE_REPLACE_EXISTING); },
            10000);
        return moved ? ::testing::AssertionSuccess()
                     : ::testing::AssertionFailure() << "simulation.ini not replaced";
    }
    std::vector<std::string> Requests() const { return test::ReadLines(RequestLog()); }
    void ClearRequests() const { DeleteFileA(RequestLog().c_str()); }
};

// The [Sim] section's Elevated line: it goes first, right under the section's head.
std::string Elevated(bool elevated) {
    return std::string("Elevated=") + (elevated ? "1" : "0") + "\r\n";
}

std::string Disk(int number, const std::string& model, const std::string& keys) {
    return "[PhysicalDrive" + std::to_string(number) + "]\r\nModel=" + model + "\r\nSerial=SN" +
           std::to_string(number) + "\r\n" + keys;
}

// Settings of a user who had the program before, with 1-second polls: what first-run writes,
// but a poll interval that makes a minute of polling take seconds.
void WriteQuickPollSettings() {
    const std::string data = test::ProgramDataFolder();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(data), ignored);
    test::WriteFileBytes(data + kSettingsFileName, "[General]\r\n"
                                                   "UseCelsius=1\r\n"
                                                   "ShowMainIcon=1\r\n"
                                                   "LogEnabled=1\r\n"
                                                   "LogDays=3\r\n"
                                                   "[Drive_COMMON]\r\n"
                                                   "PollInterval=1\r\n"
                                                   "PollUnits=0\r\n"
                                                   "ShowDriveTempInTray=0\r\n"
                                                   "NormalTemp_IconTextColor=16711680\r\n"
                                                   "NormalTemp_IconBgColor=536870911\r\n"
                                                   "WarningTemp_IconTextColor=255\r\n"
                                                   "WarningTemp_IconBgColor=536870911\r\n"
                                                   "CriticalTemp_IconTextColor=16777215\r\n"
                                                   "CriticalTemp_IconBgColor=255\r\n"
                                                   "WarningTemp_Level=70\r\n"
                                                   "CriticalTemp_Level=80\r\n");
}

// The indicator of this drive number: icon 1 is the main icon, and every drive number probed at
// start-up was given the next one.
bool ShowsIndicator(const test::RunningProgram& run, uint32_t driveNumber) {
    return run.window && test::ShellHasIcon(run.Icon(driveNumber + 2));
}

// The debug line that tells how a disk is read.
std::string ReadThrough(const std::string& display, const std::string& path) {
    return display + ": temperature read through " + path;
}

// The program's temperature-log files, by name, with their lines.
std::map<std::string, std::vector<std::string>> TemperatureLogs() {
    std::map<std::string, std::vector<std::string>> logs;
    const std::string folder = test::ProgramDataFolder() + kLogsFolderName;
    for (const std::string& name : test::FileNames(folder + "*.log"))
        logs[name] = test::ReadLines(folder + name);
    return logs;
}

size_t TemperatureLogLines(const std::string& name) {
    return test::ReadLines(test::ProgramDataFolder() + kLogsFolderName + name).size();
}

std::string Reading(int celsius) {
    return "Temperature = " + std::to_string(celsius) +
           "\xB0"
           "C (" +
           std::to_string(celsius * 9 / 5 + 32) +
           "\xB0"
           "F)";
}

// Every line of a temperature log says this reading.
::testing::AssertionResult AllRead(const std::vector<std::string>& lines, int celsius) {
    if (lines.empty()) {
        return ::testing::AssertionFailure() << "no line";
    }
    for (const std::string& line : lines) {
        if (test::AfterStamp(line) != Reading(celsius)) {
            return ::testing::AssertionFailure() << "line: " << line;
        }
    }
    return ::testing::AssertionSuccess();
}

// The [Drive_...] sections of the settings file, as the program wrote them.
std::string DriveSections() {
    const std::string ini = test::ReadFileBytes(test::ProgramDataFolder() + kSettingsFileName);
    std::string sections;
    size_t at = ini.find("[Drive_");
    while (at != std::string::npos) {
        const size_t next = ini.find("\r\n[", at);
        const size_t end = next == std::string::npos ? ini.size() : next + 2;
        sections += ini.substr(at, end - at);
        at = ini.find("[Drive_", end);
    }
    return sections;
}

// The tooltip of a disk's indicator: "HDD n: MODEL (capacity)", then its temperature.
std::string Tooltip(int driveNumber, const std::string& model) {
    return test::TrayTooltipStartingWith("HDD " + std::to_string(driveNumber + 1) + ": " + model +
                                         " (");
}

bool TooltipSays(int driveNumber, const std::string& model, int celsius) {
    return Tooltip(driveNumber, model)
               .find("Temperature: " + std::to_string(celsius) +
                     "\xB0"
                     "C") != std::string::npos;
}

size_t CountContaining(const std::vector<std::string>& lines, const std::string& part) {
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(part) != std::string::npos;
    }));
}

// ---------------------------------------------------------------------------------------------

struct RunOutcome {
    std::string sections;
    std::map<std::string, std::vector<std::string>> logs;
    std::vector<std::string> requests;
    bool indicators[2] = {false, false};
    bool readThroughProperty = false;
    bool readThroughSmart = false;
};

// Two SATA disks, one of them bigger than 28-bit sector numbers reach.
const std::string kTwoSataDisks = Disk(0, "ST2000DM008-2FR102",
                                       "Bus=SATA\r\nSectors=268435455\r\nSectors48=3907029168\r\n"
                                       "Temperature=38\r\n") +
                                  Disk(1, "WDC WD10EZEX-08WN4A0",
                                       "Bus=SATA\r\nSectors=268435455\r\nSectors48=1953525168\r\n"
                                       "Temperature=41\r\n");

RunOutcome RunTwoSataDisks(const SimFolder& sim, bool elevated) {
    RunOutcome outcome;
    test::RemoveProgramDataFolder();
    sim.ClearRequests();
    EXPECT_TRUE(sim.Simulate(Elevated(elevated) + kTwoSataDisks));
    test::RunningProgram run;
    EXPECT_TRUE(run.Start(sim.exe)) << run.failure;
    EXPECT_EQ(nullptr, run.box);
    // Both indicators, each with its reading.
    EXPECT_TRUE(test::PumpUntil([&] { return ShowsIndicator(run, 0) && ShowsIndicator(run, 1); },
                                kPollTimeoutMs));
    outcome.indicators[0] = ShowsIndicator(run, 0);
    outcome.indicators[1] = ShowsIndicator(run, 1);
    const std::string property = "the storage temperature property";
    const std::string smart = "S.M.A.R.T. attribute 194";
    outcome.readThroughProperty = DebugLogHas(ReadThrough("HDD1 - ST2000DM008-2FR102", property)) &&
                                  DebugLogHas(ReadThrough("HDD2 - WDC WD10EZEX-08WN4A0", property));
    outcome.readThroughSmart = DebugLogHas(ReadThrough("HDD1 - ST2000DM008-2FR102", smart)) &&
                               DebugLogHas(ReadThrough("HDD2 - WDC WD10EZEX-08WN4A0", smart));
    EXPECT_TRUE(run.Exit()) << run.failure;
    outcome.sections = DriveSections();
    outcome.logs = TemperatureLogs();
    outcome.requests = sim.Requests();
    return outcome;
}

TEST(ModernDisksUnelevated, TwoSataDisksAreReadThroughThePropertyAndKeptAsAnElevatedRunKeepsThem) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    // One program folder for both runs: the settings hold the sound files' paths in it.
    const SimFolder sim("modern_unelevated");
    ASSERT_FALSE(sim.exe.empty());

    const RunOutcome admin = RunTwoSataDisks(sim, true);
    EXPECT_TRUE(admin.readThroughSmart);
    const RunOutcome user = RunTwoSataDisks(sim, false);
    EXPECT_TRUE(user.readThroughProperty);
    EXPECT_TRUE(user.indicators[0] && user.indicators[1]);

    // Without rights the first read/write open is refused, and no disk asks for one again at
    // any later poll (the start-up's two reads of each disk at least); no S.M.A.R.T. request
    // goes out.
    EXPECT_EQ(0u, CountContaining(user.requests, "SMART_"));
    EXPECT_EQ(1u, CountContaining(user.requests, "open access=0xC0000000"));
    EXPECT_EQ(1u,
              CountContaining(user.requests, "PhysicalDrive0 open access=0xC0000000 -> error 5"));
    EXPECT_LE(4u, CountContaining(user.requests, "open access=0x00000000 -> ok"));
    EXPECT_LE(2u, CountContaining(user.requests,
                                  "IOCTL_STORAGE_QUERY_PROPERTY StorageDeviceTemperatureProperty "
                                  "-> ok"));
    EXPECT_LE(2u, CountContaining(admin.requests, "SMART_RCV_DRIVE_DATA"));

    // The same settings sections and the same log files, byte for byte: the 28-bit sector
    // count names the logs either way.
    ASSERT_FALSE(admin.sections.empty());
    EXPECT_NE(std::string::npos, admin.sections.find("[Drive_ST2000DM008-2FR102]\r\n"));
    EXPECT_NE(std::string::npos, admin.sections.find("[Drive_WDC WD10EZEX-08WN4A0]\r\n"));
    EXPECT_EQ(admin.sections, user.sections);
    std::vector<std::string> adminNames;
    std::vector<std::string> userNames;
    for (const auto& [name, lines] : admin.logs) {
        adminNames.push_back(name);
    }
    for (const auto& [name, lines] : user.logs) {
        userNames.push_back(name);
    }
    EXPECT_EQ((std::vector<std::string>{"ST2000DM008-2FR102 (134,2 GB).log",
                                        "WDC WD10EZEX-08WN4A0 (134,2 GB).log"}),
              adminNames);
    EXPECT_EQ(adminNames, userNames);
    if (user.logs.size() == 2) {
        EXPECT_TRUE(AllRead(user.logs.at("ST2000DM008-2FR102 (134,2 GB).log"), 38));
        EXPECT_TRUE(AllRead(user.logs.at("WDC WD10EZEX-08WN4A0 (134,2 GB).log"), 41));
    }
}

// ---------------------------------------------------------------------------------------------

TEST(ModernDisksNvme, ReadThroughThePropertyOrElseTheHealthLogElevatedOrNot) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    const SimFolder sim("modern_nvme");
    ASSERT_FALSE(sim.exe.empty());
    for (const bool elevated : {true, false}) {
        SCOPED_TRACE(elevated ? "elevated" : "not elevated");
        test::RemoveProgramDataFolder();
        sim.ClearRequests();
        ASSERT_TRUE(sim.Simulate(Elevated(elevated) +
                                 Disk(0, "Samsung SSD 980 PRO 1TB",
                                      "Bus=NVMe\r\nSectors=1953525168\r\nTemperature=44\r\n") +
                                 Disk(1, "WD Blue SN570 500GB",
                                      "Bus=NVMe\r\nSectors=976773168\r\nTemperature=48\r\n"
                                      "TemperatureProperty=0\r\n")));
        test::RunningProgram run;
        ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
        EXPECT_EQ(nullptr, run.box);
        EXPECT_TRUE(test::PumpUntil(
            [&] { return ShowsIndicator(run, 0) && ShowsIndicator(run, 1); }, kPollTimeoutMs));
        EXPECT_TRUE(DebugLogHas(
            ReadThrough("HDD1 - Samsung SSD 980 PRO 1TB", "the storage temperature property")));
        EXPECT_TRUE(DebugLogHas(ReadThrough("HDD2 - WD Blue SN570 500GB", "the NVMe health log")));
        ASSERT_TRUE(run.Exit()) << run.failure;

        // No 28-bit limit outside ATA: the whole disk names the log.
        const auto logs = TemperatureLogs();
        ASSERT_EQ(2u, logs.size());
        ASSERT_EQ(1u, logs.count("Samsung SSD 980 PRO 1TB (976,7 GB).log"));
        ASSERT_EQ(1u, logs.count("WD Blue SN570 500GB (488,3 GB).log"));
        EXPECT_TRUE(AllRead(logs.at("Samsung SSD 980 PRO 1TB (976,7 GB).log"), 44));
        EXPECT_TRUE(AllRead(logs.at("WD Blue SN570 500GB (488,3 GB).log"), 48));
        const std::vector<std::string> requests = sim.Requests();
        EXPECT_LE(1u, CountContaining(requests, "PhysicalDrive1 IOCTL_STORAGE_QUERY_PROPERTY "
                                                "StorageDeviceProtocolSpecificProperty -> ok"));
        EXPECT_LE(1u, CountContaining(requests, "PhysicalDrive0 IOCTL_STORAGE_QUERY_PROPERTY "
                                                "StorageDeviceTemperatureProperty -> ok"));
    }
}

TEST(ModernDisksNvme, ZeroKelvinAndZeroCelsiusAreNoTemperature) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    const SimFolder sim("modern_nvme_zero");
    ASSERT_FALSE(sim.exe.empty());
    // A health log page whose composite temperature is 0 kelvin: the property then says -273.
    test::WriteFileBytes(test::JoinPath(sim.folder, "kelvin0.bin"), std::string(512, '\0'));
    const std::string zeroes =
        Disk(0, "NVME KELVIN ZERO", "Bus=NVMe\r\nNvmeLogSector=kelvin0.bin\r\n") +
        // 0 C through the property, and 273 K in the health log.
        Disk(1, "NVME CELSIUS ZERO", "Bus=NVMe\r\nTemperature=0\r\n");

    // Alone, they are disks without temperature: the box, and the program ends.
    for (const bool elevated : {true, false}) {
        SCOPED_TRACE(elevated ? "elevated" : "not elevated");
        test::RemoveProgramDataFolder();
        ASSERT_TRUE(sim.Simulate(Elevated(elevated) + zeroes));
        test::RunningProgram run;
        ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
        ASSERT_NE(nullptr, run.box);
        const std::vector<std::string> texts = test::ui::AllTexts(run.box);
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), kNoTemperatureText));
        PostMessageA(run.box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(run.process.WaitExit(10000));
        EXPECT_EQ(0u, run.process.ExitCode());
        EXPECT_TRUE(TemperatureLogs().empty());
    }

    // Beside a disk that gives a temperature, they are no disks to watch at all.
    test::RemoveProgramDataFolder();
    sim.ClearRequests();
    ASSERT_TRUE(sim.Simulate(Elevated(false) + zeroes +
                             Disk(2, "SATA WARM", "Bus=SATA\r\nTemperature=39\r\n")));
    test::RunningProgram run;
    ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
    EXPECT_EQ(nullptr, run.box);
    EXPECT_TRUE(test::PumpUntil([&] { return ShowsIndicator(run, 2); }, kPollTimeoutMs));
    EXPECT_FALSE(ShowsIndicator(run, 0));
    EXPECT_FALSE(ShowsIndicator(run, 1));
    EXPECT_TRUE(DebugLogHas("New HDD Found: HDD3 - SATA WARM"));
    EXPECT_FALSE(DebugLogHas("New HDD Found: HDD1 - NVME KELVIN ZERO"));
    EXPECT_FALSE(DebugLogHas("New HDD Found: HDD2 - NVME CELSIUS ZERO"));
    // Both were asked every way before they were given up.
    const std::vector<std::string> requests = sim.Requests();
    EXPECT_LE(1u, CountContaining(requests, "PhysicalDrive1 IOCTL_STORAGE_QUERY_PROPERTY "
                                            "StorageDeviceTemperatureProperty -> ok"));
    EXPECT_LE(1u, CountContaining(requests, "PhysicalDrive1 IOCTL_STORAGE_QUERY_PROPERTY "
                                            "StorageDeviceProtocolSpecificProperty -> ok"));
    EXPECT_LE(1u, CountContaining(requests, "PhysicalDrive0 IOCTL_STORAGE_QUERY_PROPERTY "
                                            "StorageDeviceProtocolSpecificProperty -> ok"));
    ASSERT_TRUE(run.Exit()) << run.failure;
    const auto logs = TemperatureLogs();
    ASSERT_EQ(1u, logs.size());
    EXPECT_TRUE(AllRead(logs.begin()->second, 39));
}

// ---------------------------------------------------------------------------------------------

// The attribute sector of a desktop disk as it reads after some years: attribute 190 (airflow)
// one degree below 194, whose raw bytes also hold the lowest and highest temperatures seen.
std::string RealAttributeSector() {
    return test::AttributeSectorBytes({
        {1, 117, {0x3A, 0x7B, 0x92, 0x07, 0x00, 0x00}},
        {3, 97, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {4, 100, {0x6B, 0x04, 0x00, 0x00, 0x00, 0x00}},
        {5, 100, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {7, 84, {0x51, 0x9C, 0x4E, 0x0F, 0x00, 0x00}},
        {9, 72, {0xDE, 0x62, 0x00, 0x00, 0x00, 0x00}},
        {10, 100, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {12, 100, {0x9B, 0x04, 0x00, 0x00, 0x00, 0x00}},
        {187, 100, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {190, 64, {0x24, 0x00, 0x13, 0x2A, 0x00, 0x00}},
        {194, 37, {0x25, 0x00, 0x00, 0x00, 0x12, 0x00}},
        {197, 100, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {198, 100, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {199, 200, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    });
}

TEST(ModernDisksWindows7, ASataDiskIsReadThroughFailurePredictionAndAnNvmeDiskIsNot) {
    test::CleanDataFolder clean;
    ReportedVersion win7("win7");
    ASSERT_TRUE(win7.Ok());
    const SimFolder sim("modern_win7");
    ASSERT_FALSE(sim.exe.empty());
    test::WriteFileBytes(test::JoinPath(sim.folder, "attributes.bin"), RealAttributeSector());
    ASSERT_TRUE(sim.Simulate(Elevated(false) +
                             Disk(0, "ST1000DM003-1SB102",
                                  "Bus=SATA\r\nSectors=268435455\r\nSectors48=1953525168\r\n"
                                  "SmartSector=attributes.bin\r\n") +
                             Disk(1, "Samsung SSD 970 EVO 500GB",
                                  "Bus=NVMe\r\nSectors=976773168\r\n"
                                  "Temperature=40\r\n")));
    test::RunningProgram run;
    ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
    EXPECT_EQ(nullptr, run.box);
    EXPECT_TRUE(test::PumpUntil([&] { return ShowsIndicator(run, 0); }, kPollTimeoutMs));
    EXPECT_FALSE(ShowsIndicator(run, 1));
    EXPECT_TRUE(DebugLogHas(
        ReadThrough("HDD1 - ST1000DM003-1SB102", "the failure prediction data (attribute 194)")));
    EXPECT_FALSE(DebugLogHas("New HDD Found: HDD2 - Samsung SSD 970 EVO 500GB"));
    ASSERT_TRUE(run.Exit()) << run.failure;

    const auto logs = TemperatureLogs();
    ASSERT_EQ(1u, logs.size());
    ASSERT_EQ(1u, logs.count("ST1000DM003-1SB102 (134,2 GB).log"));
    // The lowest raw byte of attribute 194; not 190, not the whole raw value.
    EXPECT_TRUE(AllRead(logs.at("ST1000DM003-1SB102 (134,2 GB).log"), 37));

    // Windows 7 knows neither the temperature property nor the NVMe log request: none is sent.
    const std::vector<std::string> requests = sim.Requests();
    EXPECT_LE(1u, CountContaining(requests, "PhysicalDrive0 IOCTL_STORAGE_PREDICT_FAILURE -> ok"));
    EXPECT_EQ(0u, CountContaining(requests, "StorageDeviceTemperatureProperty"));
    EXPECT_EQ(0u, CountContaining(requests, "StorageDeviceProtocolSpecificProperty"));
    EXPECT_EQ(0u, CountContaining(requests, "SMART_"));
    EXPECT_EQ(0u, CountContaining(requests, "PhysicalDrive1 IOCTL_STORAGE_PREDICT_FAILURE"));
}

// ---------------------------------------------------------------------------------------------

constexpr const char* kSleeperModel = "WDC WD40EFRX-68N32N0";
constexpr const char* kSleeperLog = "WDC WD40EFRX-68N32N0 (134,2 GB).log";

std::string Sleeper(int celsius, bool sleeping) {
    return Disk(0, kSleeperModel,
                "Bus=SATA\r\nSectors=268435455\r\nSectors48=7814037168\r\nTemperature=" +
                    std::to_string(celsius) + "\r\nSleeping=" + (sleeping ? "1" : "0") + "\r\n");
}

// The polls the sleeping disk has had: each asks its power state once.
size_t PowerOffAnswers(const SimFolder& sim) {
    return CountContaining(sim.Requests(), "PhysicalDrive0 GetDevicePowerState -> off");
}

// Polls of the sleeping disk watched; a minute of 1-second polls would show the same.
constexpr size_t kSleepingPolls = 15;

TEST(ModernDisksSleeping, ASleepingDiskIsNotWokenKeepsItsNumberAndIsReadAgainWhenAwake) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    const SimFolder sim("modern_sleeping");
    ASSERT_FALSE(sim.exe.empty());
    for (const bool elevated : {true, false}) {
        SCOPED_TRACE(elevated ? "elevated" : "not elevated");
        test::RemoveProgramDataFolder();
        WriteQuickPollSettings();
        sim.ClearRequests();
        ASSERT_TRUE(sim.Simulate(Elevated(elevated) + Sleeper(45, false)));
        test::RunningProgram run;
        ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
        ASSERT_EQ(nullptr, run.box);
        ASSERT_TRUE(test::PumpUntil(
            [&] { return ShowsIndicator(run, 0) && TooltipSays(0, kSleeperModel, 45); },
            kPollTimeoutMs))
            << Tooltip(0, kSleeperModel);

        // It spins down, and would now read warmer if anyone woke it. A poll running while the
        // file is replaced may still read it once; from its first "off" on, nothing may.
        ASSERT_TRUE(sim.Simulate(Elevated(elevated) + Sleeper(50, true)));
        ASSERT_TRUE(test::PumpUntil([&] { return PowerOffAnswers(sim) >= 1; }, kPollTimeoutMs));
        ASSERT_TRUE(test::PumpUntil(
            [] {
                return DebugLogHas("HDD1 - " + std::string(kSleeperModel) +
                                   ": disk spun down, not read until it wakes");
            },
            kPollTimeoutMs));
        std::vector<std::string> requests = sim.Requests();
        const size_t firstOff =
            static_cast<size_t>(std::find(requests.begin(), requests.end(),
                                          "PhysicalDrive0 GetDevicePowerState -> off") -
                                requests.begin());
        const size_t logLines = TemperatureLogLines(kSleeperLog);
        const std::string kept = Tooltip(0, kSleeperModel);
        EXPECT_TRUE(TooltipSays(0, kSleeperModel, 45) || TooltipSays(0, kSleeperModel, 50)) << kept;
        ASSERT_TRUE(test::PumpUntil([&] { return PowerOffAnswers(sim) >= 1 + kSleepingPolls; },
                                    kSleepingPolls * 3000));

        // Only its power state was asked: every line since is an open without access rights or
        // the power-state answer.
        requests = sim.Requests();
        ASSERT_LT(firstOff, requests.size());
        size_t woke = 0;
        for (size_t i = firstOff; i < requests.size(); ++i) {
            EXPECT_TRUE(requests[i] == "PhysicalDrive0 open access=0x00000000 -> ok" ||
                        requests[i] == "PhysicalDrive0 GetDevicePowerState -> off")
                << requests[i];
            woke += requests[i].find("[woke the sleeping disk]") != std::string::npos ? 1 : 0;
        }
        EXPECT_EQ(0u, woke);
        EXPECT_EQ(logLines, TemperatureLogLines(kSleeperLog));
        EXPECT_TRUE(ShowsIndicator(run, 0));
        EXPECT_EQ(kept, Tooltip(0, kSleeperModel));

        // Awake: read again at the next tick, with its new temperature.
        ASSERT_TRUE(sim.Simulate(Elevated(elevated) + Sleeper(52, false)));
        EXPECT_TRUE(test::PumpUntil(
            [&] {
                const auto lines =
                    test::ReadLines(test::ProgramDataFolder() + kLogsFolderName + kSleeperLog);
                return !lines.empty() && test::AfterStamp(lines.back()) == Reading(52);
            },
            kPollTimeoutMs));
        EXPECT_TRUE(
            test::PumpUntil([&] { return TooltipSays(0, kSleeperModel, 52); }, kPollTimeoutMs))
            << Tooltip(0, kSleeperModel);
        EXPECT_TRUE(DebugLogHas("HDD1 - " + std::string(kSleeperModel) +
                                ": disk woke up, reading it again"));
        const auto log = test::ReadLines(test::ProgramDataFolder() + kLogsFolderName + kSleeperLog);
        ASSERT_LT(logLines, log.size());
        EXPECT_EQ(Reading(52), test::AfterStamp(log[logLines])); // the first line after the sleep
        ASSERT_TRUE(run.Exit()) << run.failure;
    }
}

TEST(ModernDisksSleeping, ADiskAsleepAtStartUpIsWatchedAndReadWhenItWakes) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    const SimFolder sim("modern_asleep_at_start");
    ASSERT_FALSE(sim.exe.empty());
    WriteQuickPollSettings();
    ASSERT_TRUE(sim.Simulate(Elevated(true) + Sleeper(42, true)));
    test::RunningProgram run;
    ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
    // Not "no disk supports temperature": the disk gives one when it wakes.
    EXPECT_EQ(nullptr, run.box);
    ASSERT_TRUE(DebugLogHas(kInitializationFinished));
    EXPECT_TRUE(DebugLogHas("New HDD Found: HDD1 - " + std::string(kSleeperModel)));
    EXPECT_TRUE(DebugLogHas("HDD1 - " + std::string(kSleeperModel) + ": gives no temperature yet"));
    EXPECT_FALSE(ShowsIndicator(run, 0));
    EXPECT_EQ(0u, CountContaining(sim.Requests(), "[woke the sleeping disk]"));
    EXPECT_TRUE(TemperatureLogs().empty());

    ASSERT_TRUE(sim.Simulate(Elevated(true) + Sleeper(42, false)));
    EXPECT_TRUE(test::PumpUntil([&] { return ShowsIndicator(run, 0); }, kPollTimeoutMs));
    EXPECT_TRUE(test::PumpUntil([&] { return TooltipSays(0, kSleeperModel, 42); }, kPollTimeoutMs))
        << Tooltip(0, kSleeperModel);
    EXPECT_TRUE(
        test::PumpUntil([] { return TemperatureLogLines(kSleeperLog) > 0; }, kPollTimeoutMs));
    EXPECT_TRUE(
        AllRead(test::ReadLines(test::ProgramDataFolder() + kLogsFolderName + kSleeperLog), 42));
    ASSERT_TRUE(run.Exit()) << run.failure;
}

// ---------------------------------------------------------------------------------------------

TEST(ModernDisksMixed, FourDisksOfEveryKindGiveThreeIndicatorsAndTheirLogs) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    const SimFolder sim("modern_mixed");
    ASSERT_FALSE(sim.exe.empty());
    WriteQuickPollSettings();
    ASSERT_TRUE(sim.Simulate(
        Disk(0, "SATA ADMIN 80", "Bus=SATA\r\nSectors=156301488\r\nTemperature=35\r\n") +
        Disk(1, "SATA USER 120",
             "Bus=SATA\r\nSectors=234441648\r\nTemperature=36\r\n"
             "Elevated=0\r\n") +
        Disk(2, "NVME FAST 256", "Bus=NVMe\r\nSectors=500118192\r\nTemperature=47\r\n") +
        Disk(3, "USB Flash Disk", "Bus=USB\r\nVendor=Generic\r\nSectors=30031872\r\n")));
    test::RunningProgram run;
    ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
    EXPECT_EQ(nullptr, run.box);
    EXPECT_TRUE(test::PumpUntil(
        [&] { return ShowsIndicator(run, 0) && ShowsIndicator(run, 1) && ShowsIndicator(run, 2); },
        kPollTimeoutMs));
    EXPECT_FALSE(ShowsIndicator(run, 3));
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            return TooltipSays(0, "SATA ADMIN 80", 35) && TooltipSays(1, "SATA USER 120", 36) &&
                   TooltipSays(2, "NVME FAST 256", 47);
        },
        kPollTimeoutMs));
    EXPECT_TRUE(Tooltip(3, "USB Flash Disk").empty());
    EXPECT_TRUE(DebugLogHas(ReadThrough("HDD1 - SATA ADMIN 80", "S.M.A.R.T. attribute 194")));
    EXPECT_TRUE(
        DebugLogHas(ReadThrough("HDD2 - SATA USER 120", "the storage temperature property")));
    EXPECT_TRUE(
        DebugLogHas(ReadThrough("HDD3 - NVME FAST 256", "the storage temperature property")));
    EXPECT_TRUE(DebugLogHas("IDE 4: scanning for drive"));
    EXPECT_FALSE(DebugLogHas("New HDD Found: HDD4 - Generic USB Flash Disk"));
    // A few polls of every disk.
    EXPECT_TRUE(test::PumpUntil(
        [] { return TemperatureLogLines("NVME FAST 256 (250 GB).log") >= 4; }, kPollTimeoutMs));
    ASSERT_TRUE(run.Exit()) << run.failure;

    const auto logs = TemperatureLogs();
    ASSERT_EQ(3u, logs.size());
    ASSERT_EQ(1u, logs.count("SATA ADMIN 80 (78,1 GB).log"));
    ASSERT_EQ(1u, logs.count("SATA USER 120 (117,2 GB).log"));
    ASSERT_EQ(1u, logs.count("NVME FAST 256 (250 GB).log"));
    EXPECT_TRUE(AllRead(logs.at("SATA ADMIN 80 (78,1 GB).log"), 35));
    EXPECT_TRUE(AllRead(logs.at("SATA USER 120 (117,2 GB).log"), 36));
    EXPECT_TRUE(AllRead(logs.at("NVME FAST 256 (250 GB).log"), 47));
}

TEST(ModernDisksMixed, TheNoTemperatureBoxOnlyWhenNoDiskAnswers) {
    test::CleanDataFolder clean;
    ReportedVersion win10("win10");
    ASSERT_TRUE(win10.Ok());
    const SimFolder sim("modern_mixed_none");
    ASSERT_FALSE(sim.exe.empty());
    // A USB disk without any answer and an unelevated SATA disk whose drivers give no
    // temperature either way.
    const std::string silent = Disk(1, "OLD SATA 160",
                                    "Bus=SATA\r\nTemperature=40\r\nElevated=0\r\n"
                                    "TemperatureProperty=0\r\nPredictFailure=0\r\n") +
                               Disk(3, "USB Flash Disk", "Bus=USB\r\nVendor=Generic\r\n");
    ASSERT_TRUE(sim.Simulate(silent));
    {
        test::RunningProgram run;
        ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
        ASSERT_NE(nullptr, run.box);
        const std::vector<std::string> texts = test::ui::AllTexts(run.box);
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), kNoTemperatureText));
        PostMessageA(run.box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(run.process.WaitExit(10000));
        EXPECT_EQ(0u, run.process.ExitCode());
    }
    // One answering disk beside them is enough.
    test::RemoveProgramDataFolder();
    ASSERT_TRUE(sim.Simulate(
        silent + Disk(2, "NVME ONLY 128", "Bus=NVMe\r\nSectors=250069680\r\nTemperature=33\r\n")));
    test::RunningProgram run;
    ASSERT_TRUE(run.Start(sim.exe)) << run.failure;
    EXPECT_EQ(nullptr, run.box);
    EXPECT_TRUE(
        test::PumpUntil([&] { return TooltipSays(2, "NVME ONLY 128", 33); }, kPollTimeoutMs));
    ASSERT_TRUE(run.Exit()) << run.failure;
    EXPECT_EQ(nullptr, test::DialogOf(run.process.Id(), "Korvane"));
}

} // namespace
} // namespace korvane
