// The action executor under Wine: the real worker thread handing its lines to the real
// application window, a real balloon on a disk's tray icon, a real sound, a real program started
// and waited for.
#include "actions/action_launcher_win.h"
#include "actions/executor.h"
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

#include "executor_fakes.h"
#include "fake_profile.h"
#include "monitor_shell_win.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "toolkit_fakes.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace korvane {
namespace {

// Stays shown until the test lets it go: a countdown the user never answers.
class HeldCountdown final : public IPowerOffCountdown {
  public:
    void ShowCountdown(const std::string&, int32_t, int32_t, int32_t, int32_t) override {
        shown = true;
    }
    void WaitUntilClosed() override {
        while (!released)
            Sleep(10);
    }
    bool PowerOffSucceeded() const override { return false; }
    std::atomic<bool> shown{false};
    std::atomic<bool> released{false};
};

class ExecutorWine : public ::testing::Test {
  protected:
    void SetUp() override {
        options.GetDriveSection("COMMON").WriteInteger(key::ShowDriveTempInTray.name, 1);
        test::WriteSimulationIni(dir, "[PhysicalDrive0]\nModel=SIM DISK 80\nSectors=156301488\n"
                                      "Temperature=55\n");
        drives = std::make_unique<TDrives>(context);
        drives->PollAll(); // warning: the indicator is in the tray
    }
    void TearDown() override {
        executor.reset();
        drives.reset();
    }
    TActionExecutor& Executor(IPowerOffCountdown* countdown = nullptr) {
        executor = std::make_unique<TActionExecutor>(TExecutorContext{
            toolkit, messages, *logger, *files, launcher, [countdown] { return countdown; }, {}});
        return *executor;
    }
    std::vector<std::string> DebugMessages() const {
        std::vector<std::string> result;
        const std::string bytes = test::ReadFileBytes(dir + "\\debug.log");
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find("\r\n", start);
            if (end == std::string::npos)
                end = bytes.size();
            const std::string line = bytes.substr(start, end - start);
            const size_t close = line.find("] ");
            if (close != std::string::npos && line.size() > close + 12)
                result.push_back(line.substr(close + 12)); // after the level field
            start = end + 2;
        }
        return result;
    }
    int Count(const std::string& message) const {
        const auto lines = DebugMessages();
        return static_cast<int>(std::count(lines.begin(), lines.end(), message));
    }
    bool Pump(const std::function<bool()>& done, DWORD timeoutMs) {
        return test::PumpUntil(done, timeoutMs, [&] { return window.ProcessOneMessage(); });
    }

    std::string dir = test::FreshTempDir("executor_wine");
    std::unique_ptr<ProfilePort> profile = CreateWin32Profile();
    std::unique_ptr<FileSystem> files = CreateWin32FileSystem();
    std::unique_ptr<Clock> clock = CreateSystemClock();
    test::FakeRegistry registry;
    TOptions options{
        TOptionsEnvironment{*profile, registry, *files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
        dir + "\\Korvn.ini"};
    bool logsFolder = files->CreateFolder(dir + "\\logs"); // the logger expects it
    std::unique_ptr<TLogger> logger =
        std::make_unique<TLogger>(*files, *clock, options, dir + "\\");
    AppWindow window;
    Win32Toolkit toolkit{window};
    std::unique_ptr<IndicatorIconPort> icons = CreateWin32IndicatorIcons();
    std::unique_ptr<sim::SimulatedDriver> driver =
        sim::CreateSimulatedDriver(dir + "\\simulation.ini");
    SystemOsVersion os;
    test::RecordingWin32Shell shell{window.Handle()};
    TTrayMessages messages{shell, os};
    TDriveContext context{options, *logger,
                          toolkit, *icons,
                          nullptr, *driver,
                          os,      nullptr,
                          nullptr, [this](ITrayIcon& icon) { messages.HideBalloon(icon); }};
    std::unique_ptr<TDrives> drives;
    Win32AppLauncher launcher;
    std::unique_ptr<TActionExecutor> executor;
};

TEST_F(ExecutorWine, AnAlarmShowsABalloonPlaysTheSoundAndWaitsForTheProgram) {
    TDrive& disk = *drives->GetDrive(0);
    ASSERT_TRUE(test::ShellHasIcon(disk.TrayIcon().Identity()));
    const std::string sound = test::JoinPath(test::TestDataDir(), "toolkit\\tone_700ms.wav");
    const std::string marker = dir + "\\ran.txt";
    const std::string script = dir + "\\alarm.bat";
    test::WriteFileBytes(script, "@echo ran>\"" + marker + "\"\r\n");
    Executor();

    const double start = test::NowMs();
    executor->QueueAction(1, disk, 0, script, sound, false, true, true, true, 50);
    const std::string appLine = "App started successfully (" + script + ")";
    // The worker's lines reach the log only while this thread takes its synchronous calls.
    ASSERT_TRUE(Pump([&] { return executor->QueueLength() == 0 && Count(appLine) == 1; }, 30000));
    const double took = test::NowMs() - start;

    const auto lines = DebugMessages();
    const auto first = std::find(lines.begin(), lines.end(), "Start Action");
    ASSERT_NE(lines.end(), first);
    EXPECT_EQ((std::vector<std::string>{"Start Action", "Show notification",
                                        "Play sound (" + sound + ")", appLine}),
              std::vector<std::string>(first, lines.end()));
    // The balloon went to the disk's own icon and the shell took it.
    ASSERT_EQ(2u, shell.sent.size());
    EXPECT_EQ(disk.TrayIcon().Identity().id, shell.sent[1].icon.id);
    EXPECT_EQ("Hard Disk 1: SIM DISK 80", shell.sent[1].title);
    EXPECT_EQ((std::vector<bool>{true, true}), shell.accepted);
    // The program ran to its end before the record was done; the sound was waited for.
    EXPECT_TRUE(files->FileExists(marker));
    EXPECT_GE(took, 500.0);

    // A missing sound and a program the shell cannot open are errors, reported without a box
    // that would hold the queue; the record still ends.
    executor->QueueAction(2, disk, 0, dir + "\\missing.exe", dir + "\\missing.wav", false, true,
                          true, false, 60);
    ASSERT_TRUE(
        Pump([&] { return Count("App execute failed (" + dir + "\\missing.exe)") == 1; }, 30000));
    EXPECT_EQ(1, Count("Play sound failed (" + dir + "\\missing.wav)"));
    EXPECT_EQ(2, Count("Start Action"));
}

TEST_F(ExecutorWine, DestroyingAbandonsTheRecordInProgressAndDropsTheWaitingOnes) {
    TDrive& disk = *drives->GetDrive(0);
    HeldCountdown countdown;
    Executor(&countdown);
    executor->QueueAction(2, disk, 0, "", "", true, false, false, false, 60);
    executor->QueueAction(1, disk, 0, "", "", false, false, false, true, 50);
    ASSERT_TRUE(Pump([&] { return countdown.shown.load(); }, 10000));
    const double start = test::NowMs();
    executor.reset();
    const double took = test::NowMs() - start;
    countdown.released = true; // the worker is gone: nothing may run now
    Pump([] { return false; }, 300);
    EXPECT_EQ(1, Count("Start Action"));
    EXPECT_TRUE(shell.sent.empty());
    EXPECT_LT(took, 10000.0); // ended, not waited for
}

} // namespace
} // namespace korvane
