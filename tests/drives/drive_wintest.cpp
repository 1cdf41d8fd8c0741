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

#include "fake_profile.h"
#include "monitor_shell_win.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "toolkit_fakes.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

class DriveShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files->CreateFolder(dir + "\\logs");
        logger = std::make_unique<TLogger>(*files, *clock, options, dir + "\\");
        options.GetDriveSection("COMMON").WriteInteger(key::ShowDriveTempInTray.name, 1);
    }
    void Simulate(int temperature) {
        test::WriteSimulationIni(dir, "[PhysicalDrive0]\nModel=SIM DISK 80\nSectors=156301488\n"
                                      "Temperature=" +
                                          std::to_string(temperature) + "\n");
    }
    bool InTray(TDrive& d) { return test::ShellHasIcon(d.TrayIcon().Identity()); }

    std::string dir = test::FreshTempDir("drive_shell");
    std::unique_ptr<ProfilePort> profile = CreateWin32Profile();
    std::unique_ptr<FileSystem> files = CreateWin32FileSystem();
    std::unique_ptr<Clock> clock = CreateSystemClock();
    test::FakeRegistry registry; // the autostart value is not this test's business
    TOptions options{
        TOptionsEnvironment{*profile, registry, *files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
        dir + "\\Korvn.ini"};
    std::unique_ptr<TLogger> logger;
    AppWindow window;
    Win32Toolkit toolkit{window};
    std::unique_ptr<IndicatorIconPort> icons = CreateWin32IndicatorIcons();
    test::FakeAppServices app;
    std::unique_ptr<sim::SimulatedDriver> driver =
        sim::CreateSimulatedDriver(dir + "\\simulation.ini");
    SystemOsVersion os;
};

TEST_F(DriveShellTest, IndicatorComesAndGoesWithTheLevelsAndCarriesTheBalloon) {
    test::RecordingWin32Shell shell(window.Handle());
    TTrayMessages messages(shell, os);
    TDriveContext context{
        options, *logger, toolkit, *icons,  [&] { app.TrimWorkingSet(); },
        *driver, os,      nullptr, nullptr, [&](ITrayIcon& icon) { messages.HideBalloon(icon); }};
    Simulate(45);
    TDrives drives(context);
    ASSERT_EQ(1, drives.Count());
    TDrive& disk = *drives.GetDrive(0);
    std::vector<bool> shown;
    drives.OnIconChange = [&](TDrives&, TDrive&, bool s) { shown.push_back(s); };
    EXPECT_FALSE(InTray(disk));

    Simulate(55);
    drives.PollAll();
    EXPECT_EQ(Warning, disk.Status());
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
    EXPECT_EQ(Normal, disk.Status());

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
    TDriveContext context{options, *logger, toolkit, *icons,  [&] { app.TrimWorkingSet(); },
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
    EXPECT_EQ(Critical, disk.Status()); // both levels read below 45
    EXPECT_TRUE(InTray(disk));          // 4294967295 reads as 0: always shown
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

} // namespace
} // namespace korvane
