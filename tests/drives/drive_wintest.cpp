// The drive list under Wine: the real toolkit and shell, settings file and logs in a temp folder,
// and the simulated driver reading a simulation.ini rewritten between polls.
#include "actions/tray_messages.h"
#include "drives/drives.h"
#include "drives/indicator_icons.h"
#include "drives/sim/sim_driver.h"
#include "log/logger.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"
#include "toolkit/toolkit_win.h"

#include "data_folder_rig_win.h"
#include "drives/indicator_icons_win.h"
#include "monitor_shell_win.h"
#include "settings/profile_win.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit_fakes.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace korvane {
namespace {

class DriveShellTest : public ::testing::Test, protected test::LoggedDataFolder {
  protected:
    DriveShellTest() : LoggedDataFolder("drive_shell") {}
    void SetUp() override {
        options.GetDriveSection("COMMON").WriteInteger(key::ShowDriveTempInTray.name, 1);
    }
    void Simulate(int temperature) {
        test::WriteSimulationIni(dir, "[PhysicalDrive0]\nModel=SIM DISK 80\nSectors=156301488\n"
                                      "Temperature=" +
                                          std::to_string(temperature) + "\n");
    }
    bool InTray(TDrive& d) { return test::ShellHasIcon(d.TrayIcon().Identity()); }

    AppWindow window;
    const std::unique_ptr<ToolkitPort> win32Toolkit = CreateWin32Toolkit(window);
    ToolkitPort& toolkit = *win32Toolkit;
    std::unique_ptr<IndicatorIconPort> icons = CreateWin32IndicatorIcon();
    test::FakeAppServices app;
    std::unique_ptr<sim::SimulatedDriver> driver =
        sim::CreateSimulatedDriver(dir + "\\simulation.ini");
    const std::unique_ptr<OsVersionPort> osPort = CreateWin32OsVersion();
    const OsVersionPort& os = *osPort;
};

TEST_F(DriveShellTest, IndicatorComesAndGoesWithTheLevelsAndCarriesTheBalloon) {
    test::RecordingWin32Shell shell(window.Handle());
    TTrayMessages messages(shell, os);
    DriveDeps context{options,
                      *logger,
                      toolkit,
                      *icons,
                      [&] { app.TrimWorkingSet(); },
                      *driver,
                      os,
                      nullptr,
                      nullptr,
                      [&](TrayIconPort& icon) { messages.HideBalloon(icon); }};
    Simulate(45);
    TDrives drives(context);
    ASSERT_EQ(1, drives.Count());
    TDrive& disk = *drives.GetDrive(0);
    std::vector<bool> shown;
    drives.OnIconChange = [&](TDrives&, TDrive&, bool s) { shown.push_back(s); };
    EXPECT_FALSE(InTray(disk));

    Simulate(55);
    drives.PollAll();
    EXPECT_EQ(TTempStatus::Warning, disk.Status());
    EXPECT_TRUE(InTray(disk));
    EXPECT_EQ("HDD 1: SIM DISK 80 (78,1 GB)\rTemperature: 55\xB0"
              "C",
              disk.TrayIcon().Tooltip());

    const int before = test::VisibleBalloonWindows();
    messages.ShowTrayMessage(disk.TrayIcon(), 0, 2, "Temperature is 55", "SIM DISK 80", 8000,
                             false);
    ASSERT_EQ(2u, shell.sent.size());
    EXPECT_EQ(disk.TrayIcon().Identity().id, shell.sent[1].icon.id);
    EXPECT_EQ((std::vector<bool>{true, true}), shell.accepted);
    EXPECT_TRUE(test::PumpUntil([&] { return test::VisibleBalloonWindows() > before; }, 10000,
                                [&] { return window.ProcessOneMessage(); }));
    drives.ResetBeforeHibernate();
    EXPECT_EQ(3u, shell.sent.size());
    EXPECT_EQ(TTempStatus::Normal, disk.Status());

    Simulate(48);
    drives.PollAll();
    EXPECT_FALSE(InTray(disk));
    EXPECT_EQ((std::vector<bool>{true, false}), shown);
    // The degree sign reaches the temperature log as the one ANSI byte.
    const std::string log = test::ReadFileBytes(dir + "\\logs\\SIM DISK 80 (78,1 GB).log");
    EXPECT_NE(std::string::npos, log.find("Temperature = 48\xB0"
                                          "C (118\xB0"
                                          "F)\r\n"));
    const std::string debug = test::ReadFileBytes(dir + "\\debug.log");
    EXPECT_NE(std::string::npos, debug.find("New HDD Found: HDD1 - SIM DISK 80\r\n"));
    EXPECT_NE(std::string::npos, debug.find("IDE 4: scanning for drive\r\n"));
}

TEST_F(DriveShellTest, GarbageSettingsInTheRealFileNeverBreakAPollOrTheTimer) {
    DriveDeps context{options, *logger, toolkit, *icons,  [&] { app.TrimWorkingSet(); },
                      *driver, os,      nullptr, nullptr, nullptr};
    Simulate(45);
    TDrives drives(context);
    ASSERT_EQ(1, drives.Count());
    TOptionsSection& common = options.GetDriveSection("COMMON");
    common.WriteString(key::ShowDriveTempInTray.name, "4294967295");
    common.WriteString(key::NormalTemp_IconTextColor.name, "-2147483648");
    common.WriteString(key::NormalTemp_IconBgColor.name, "zz");
    common.WriteString(key::WarningTemp_Level.name, "-2147483648");
    common.WriteString(key::CriticalTemp_Level.name, "hot");
    common.WriteString(key::PollUnits.name, "2");
    common.WriteString(key::PollInterval.name, "2147483647");
    drives.PollAll();
    TDrive& disk = *drives.GetDrive(0);
    EXPECT_EQ(TTempStatus::Critical, disk.Status()); // both levels read below 45
    EXPECT_TRUE(InTray(disk));                       // 4294967295 reads as 0: always shown
    drives.ApplyPollIntervals();
    drives.SetMonitoring(true);
    EXPECT_FALSE(disk.PollTimer().Enabled());

    // A sane short interval: the real timer polls by itself.
    common.WriteString(key::PollUnits.name, "0");
    common.WriteString(key::PollInterval.name, "1");
    drives.ApplyPollIntervals();
    drives.SetMonitoring(true);
    const int trims = app.trims;
    EXPECT_TRUE(test::PumpUntil([&] { return app.trims > trims; }, 10000,
                                [&] { return window.ProcessOneMessage(); }));
    drives.SetMonitoring(false);
}

// The model field as a disk stores it: blank-padded to its 40 bytes, two characters per word,
// swapped.
std::string StoredModelField(std::string model) {
    model.resize(40, ' ');
    for (size_t i = 0; i + 1 < model.size(); i += 2) {
        std::swap(model[i], model[i + 1]);
    }
    return model;
}

TEST_F(DriveShellTest, FirmwareTextsCannotForgeSettingsLogLinesOrDeviceNames) {
    DriveDeps context{options, *logger, toolkit, *icons,  [&] { app.TrimWorkingSet(); },
                      *driver, os,      nullptr, nullptr, nullptr};
    // Each fits the 40 bytes of the model field: a section break with a key of its own, a
    // forged debug-log record, and a name that Windows opens as the NUL device.
    const std::string sectionBreak = "X]\r\n[General]\r\nLogEnabled=0";
    const std::string forgedLine = "Y\r\n[01/Jan/2001 0:00:00] [error]   FAKE";
    const std::string device = "NUL.X";
    const std::string models[] = {sectionBreak, forgedLine, device};
    std::string ini;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "identify" + std::to_string(i) + ".bin";
        test::WriteFileBytes(dir + "\\" + name,
                             test::IdentifySectorBytes(StoredModelField(models[i]),
                                                       std::string(20, ' '), 156301488));
        ini += "[PhysicalDrive" + std::to_string(i) + "]\nIdentifySector=" + name +
               "\nTemperature=45\n";
    }
    test::WriteSimulationIni(dir, ini);
    TDrives drives(context);
    ASSERT_EQ(3, drives.Count());
    drives.PollAll();

    // One section per disk, read back by the real profile functions: a disk found once stays
    // known, and "General" keeps its only LogEnabled.
    const std::string settings = test::ReadFileBytes(dir + "\\Korvn.ini");
    for (const char* header :
         {"[Drive_X____General___LogEnabled=0]\r\n",
          "[Drive_Y___01/Jan/2001 0:00:00_ _error_   FAKE]\r\n", "[Drive_NUL.X]\r\n"}) {
        SCOPED_TRACE(header);
        EXPECT_NE(std::string::npos, settings.find(header));
    }
    int generals = 0;
    for (const std::string& line : test::SplitCrLf(settings)) {
        generals += line == "[General]";
        EXPECT_NE(0u, line.rfind("LogEnabled=0", 0)) << "injected: " << line;
    }
    EXPECT_EQ(1, generals);
    EXPECT_TRUE(options.General().ReadBool(key::LogEnabled.name));

    // Every debug-log line is one of ours; the forged record is part of the disk's name.
    const std::string debug = test::ReadFileBytes(dir + "\\debug.log");
    int found = 0;
    for (const std::string& line : test::SplitCrLf(debug)) {
        EXPECT_NE(0u, line.rfind("[01/Jan/2001 0:00:00]", 0)) << "forged: " << line;
        found += line.find("New HDD Found: ") != std::string::npos;
    }
    EXPECT_EQ(3, found); // and only once each, although every disk was polled twice
    EXPECT_NE(std::string::npos,
              debug.find("New HDD Found: HDD2 - Y__[01/Jan/2001 0:00:00] [error]   FAKE\r\n"));

    // The temperature logs are files in the logs folder, the device name made harmless.
    for (const char* log :
         {"X]__[General]__LogEnabled=0 (78,1 GB).log",
          "Y__[01_Jan_2001 0_00_00] [error]   FAKE (78,1 GB).log", "_NUL.X (78,1 GB).log"}) {
        SCOPED_TRACE(log);
        EXPECT_NE(std::string::npos,
                  test::ReadFileBytes(dir + "\\logs\\" + log).find("Temperature = 45\xB0"));
    }
}

// A poll that finds the same temperature sends the shell nothing; a restarted shell still gets
// the indicator back, and the next new temperature reaches it.
TEST_F(DriveShellTest, SteadyPollsLeaveTheShellAloneAndARestartedShellGetsTheIconBack) {
    std::vector<DWORD> requests;
    window.SetShellNotifier([&requests](DWORD message, NOTIFYICONDATAA& data) {
        requests.push_back(message);
        return Shell_NotifyIconA(message, &data) != FALSE;
    });
    options.GetDriveSection("COMMON").WriteInteger(key::ShowDriveTempInTray.name, 0);
    DriveDeps context{options, *logger, toolkit, *icons,  [&] { app.TrimWorkingSet(); },
                      *driver, os,      nullptr, nullptr, nullptr};
    Simulate(45);
    TDrives drives(context);
    ASSERT_EQ(1, drives.Count());
    TDrive& disk = *drives.GetDrive(0);
    drives.PollAll();
    ASSERT_TRUE(InTray(disk));
    const IconHandle icon = disk.TrayIcon().Icon();

    requests.clear();
    drives.PollAll();
    drives.PollAll();
    EXPECT_TRUE(requests.empty()) << requests.size() << " requests, the first " << requests[0];
    EXPECT_EQ(icon, disk.TrayIcon().Icon());

    SendMessageA(window.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(std::vector<DWORD>{NIM_ADD}, requests);
    EXPECT_TRUE(InTray(disk));

    requests.clear();
    Simulate(46);
    drives.PollAll();
    // The new picture, then the new tooltip.
    EXPECT_EQ((std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY}), requests);
    EXPECT_NE(icon, disk.TrayIcon().Icon());
    EXPECT_NE(std::string::npos, disk.TrayIcon().Tooltip().find("46"));
}

// The poll takes the settings file as its first read found it: a hand edit shows at the next
// poll, whenever it was made.
TEST_F(DriveShellTest, AHandEditOfTheSettingsFileShowsAtTheNextPoll) {
    DriveDeps context{options, *logger, toolkit, *icons,  [&] { app.TrimWorkingSet(); },
                      *driver, os,      nullptr, nullptr, nullptr};
    Simulate(55);
    TDrives drives(context);
    ASSERT_EQ(1, drives.Count());
    TDrive& disk = *drives.GetDrive(0);
    const std::string ini = dir + "\\Korvn.ini";
    // By hand: the same size, the time stamp an hour (and then two) back, as an editor may keep it.
    const auto edit = [&](const std::string& from, const std::string& to, int hoursAgo) {
        std::string text = test::ReadFileBytes(ini);
        const size_t at = text.find(from);
        ASSERT_NE(std::string::npos, at) << from;
        text.replace(at, from.size(), to);
        test::WriteFileBytes(ini, text);
        std::filesystem::last_write_time(ini, std::filesystem::file_time_type::clock::now() -
                                                  std::chrono::hours(hoursAgo));
    };
    edit("WarningTemp_Level=50", "WarningTemp_Level=50", 1);
    drives.PollAll();
    EXPECT_EQ(TTempStatus::Warning, disk.Status());
    edit("WarningTemp_Level=50", "WarningTemp_Level=58", 2);
    drives.PollAll();
    EXPECT_EQ(TTempStatus::Normal, disk.Status());
    edit("WarningTemp_Level=58", "WarningTemp_Level=50", 1);
    drives.PollAll();
    EXPECT_EQ(TTempStatus::Warning, disk.Status());
}

} // namespace
} // namespace korvane
