// Faults that cannot be made real here, injected through the platform ports under Wine: every
// file write failing (a full disk), the shell refusing every tray record, MCI failing, the shell
// failing to start the alarm's program, the clock jumping back a day. The rest is real: Win32
// files, settings and tray, the simulated disk, the worker thread. Each time monitoring must go
// on, nothing already written may be lost, and only the usual lines may be reported.
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
#include "toolkit/files.h"
#include "toolkit/toolkit_win.h"

#include "drives/indicator_icons_win.h"
#include "executor_fakes.h"
#include "fake_clock.h"
#include "fake_registry.h"
#include "faulty_file_system.h"
#include "monitor_shell_win.h"
#include "settings/profile_win.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/files_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit_fakes.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace korvane {
namespace {

// A sound device that refuses every command, as MCI does without a working output.
class FailingSoundPlayer final : public SoundPlayerPort {
  public:
    explicit FailingSoundPlayer(std::atomic<int>& commands) : commands_(commands) {}
    void SetWait(bool wait) override { wait_ = wait; }
    bool Wait() const override { return wait_; }
    bool SetFileName(const std::string& path) override {
        name_ = path;
        return Refuse();
    }
    std::string FileName() const override { return name_; }
    bool Stop() override { return Refuse(); }
    bool Pause() override { return Refuse(); }
    bool SeekToStart() override { return Refuse(); }
    bool SetTimeFormatMilliseconds() override { return Refuse(); }
    uint32_t Length() override { return Refuse(); }
    uint32_t Position() override { return Refuse(); }
    bool Play() override { return Refuse(); }
    bool PlayFor(uint32_t) override { return Refuse(); }
    uint32_t LastError() const override { return error_; }

  private:
    bool Refuse() {
        ++commands_;
        error_ = 275; // MCIERR_FILE_NOT_FOUND
        return false;
    }
    std::atomic<int>& commands_;
    bool wait_ = false;
    std::string name_;
    uint32_t error_ = 0;
};

// The real toolkit, but its sound players fail while `mciFails` is set.
class FaultToolkit final : public test::ForwardingToolkit {
  public:
    using ForwardingToolkit::ForwardingToolkit;
    std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() override {
        if (mciFails)
            return std::make_unique<FailingSoundPlayer>(mciCommands);
        return inner_.CreateSoundPlayer();
    }
    bool mciFails = false;
    std::atomic<int> mciCommands{0};
};

// The shell refusing balloons (Shell_NotifyIconA answering FALSE), and recording message boxes,
// which the program must not show for any of these faults.
class RefusingTrayShell final : public TrayShellPort {
  public:
    explicit RefusingTrayShell(HWND owner) : inner_(CreateWin32TrayShell(owner)) {}
    void ModifyBalloon(const BalloonRequest& request) override {
        if (refuse)
            ++refused;
        else
            inner_->ModifyBalloon(request);
    }
    int32_t ShowMessageBox(const std::string& text, const std::string&, uint32_t) override {
        boxes.push_back(text);
        return 1;
    }
    std::atomic<bool> refuse{false};
    std::atomic<int> refused{0};
    std::vector<std::string> boxes;

  private:
    std::unique_ptr<TrayShellPort> inner_;
};

constexpr const char* kModel = "FAULT PORT DISK";

class FaultPorts : public ::testing::Test {
  protected:
    void SetUp() override {
        options.GetDriveSection("COMMON").WriteInteger(key::ShowDriveTempInTray.name, 1);
        Heat(40);
        drives = std::make_unique<TDrives>(context);
        drives->PollAll();
        drives->PollAll();
        ASSERT_EQ(1, drives->Count());
        test::WriteFileBytes(script, "@echo ran>>\"" + marker + "\"\r\n");
    }
    void TearDown() override {
        executor.reset();
        drives.reset();
        // The indicators leave the real tray with the window.
        window.SetShellNotifier([](DWORD message, NOTIFYICONDATAA& data) {
            return Shell_NotifyIconA(message, &data) != FALSE;
        });
    }
    void Heat(int temperature) {
        test::WriteSimulationIni(
            dir, std::string("[PhysicalDrive0]\nModel=") + kModel +
                     "\nSectors=156301488\nTemperature=" + std::to_string(temperature) + "\n");
    }
    TDrive& Disk() { return *drives->GetDrive(0); }
    std::string LogPath() { return dir + "\\logs\\" + Disk().LogFileName(); }
    std::string LogBytes() { return test::ReadFileBytes(LogPath()); }
    std::vector<std::string> DebugLines() { return test::ReadLines(dir + "\\debug.log"); }
    // The messages of the debug log from line `from` on (time stamp cut off, level kept).
    std::vector<std::string> MessagesFrom(size_t from) {
        std::vector<std::string> lines = DebugLines();
        std::vector<std::string> messages;
        for (size_t i = from; i < lines.size(); ++i)
            messages.push_back(test::AfterStamp(lines[i]));
        return messages;
    }
    bool Pump(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
        return test::PumpUntil(done, timeoutMs, [&] { return window.ProcessOneMessage(); });
    }
    TActionExecutor& Executor(AppLauncherPort& launcher) {
        executor = std::make_unique<TActionExecutor>(ExecutorDeps{faultToolkit,
                                                                  messages,
                                                                  *logger,
                                                                  files,
                                                                  test::Borrowed(launcher),
                                                                  [this] { return &countdown; },
                                                                  {},
                                                                  {}});
        return *executor;
    }
    // One critical alarm with every action on; returns when the worker has finished it.
    void RaiseAlarm(TActionExecutor& ex) {
        const size_t before = countdown.shown.size();
        ex.QueueAction(2, Disk(),
                       {.showMessage = true,
                        .playSound = true,
                        .soundFile = sound,
                        .executeApp = true,
                        .application = script,
                        .poweroff = true},
                       60);
        ASSERT_TRUE(Pump([&] { return countdown.shown.size() > before && ex.QueueLength() == 0; }));
    }
    // The disk heats up to the critical level: polled, logged, status raised, all as usual.
    void HeatAndPoll(int temperature) {
        Heat(temperature);
        drives->PollAll();
        EXPECT_EQ(temperature, Disk().Temperature());
    }

    std::string dir = test::FreshTempDir("fault_ports");
    std::string sound = test::JoinPath(test::TestDataDir(), "toolkit\\tone_700ms.wav");
    std::string marker = dir + "\\ran.txt";
    std::string script = dir + "\\alarm.bat";
    std::unique_ptr<ProfilePort> profile = CreateWin32Profile();
    std::unique_ptr<FileSystemPort> win32Files = CreateWin32FileSystem();
    test::FaultyFileSystem files{*win32Files}; // a disk that fills up when told
    test::FixedClock clock{LocalTime{2026, 12, 9, 10, 0, 0, 0}};
    test::FakeRegistry registry;
    TOptions options{OptionsDeps{*profile, registry, files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
                     dir + "\\Korvn.ini"};
    bool logsFolder = files.CreateFolder(dir + "\\logs"); // the logger expects it
    std::unique_ptr<TLogger> logger = std::make_unique<TLogger>(files, clock, options, dir + "\\");
    AppWindow window;
    const std::unique_ptr<ToolkitPort> win32Toolkit = CreateWin32Toolkit(window);
    ToolkitPort& toolkit = *win32Toolkit;
    FaultToolkit faultToolkit{toolkit};
    std::unique_ptr<IndicatorIconPort> icons = CreateWin32IndicatorIcon();
    std::unique_ptr<sim::SimulatedDriver> driver =
        sim::CreateSimulatedDriver(dir + "\\simulation.ini");
    const std::unique_ptr<OsVersionPort> osPort = CreateWin32OsVersion();
    const OsVersionPort& os = *osPort;
    RefusingTrayShell shell{window.Handle()};
    TTrayMessages messages{shell, os};
    DriveDeps context{options, *logger,
                      toolkit, *icons,
                      nullptr, *driver,
                      os,      nullptr,
                      nullptr, [this](TrayIconPort& icon) { messages.HideBalloon(icon); }};
    std::unique_ptr<TDrives> drives;
    const std::unique_ptr<AppLauncherPort> launcherPort = CreateWin32AppLauncher();
    AppLauncherPort& launcher = *launcherPort;
    test::FakeCountdown countdown;
    std::unique_ptr<TActionExecutor> executor;
};

// The usual lines of one alarm with every action, in order; the sound's line only where the
// test makes MCI fail (whether Wine's sound output plays depends on the machine's sink).
std::vector<std::string> AlarmLines(const std::string& script) {
    return {"[notice]  Start Action", "[notice]  Show notification",
            "[notice]  App started successfully (" + script + ")"};
}

std::vector<std::string> WithoutSound(std::vector<std::string> lines) {
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& l) {
                                   return l.find("  Play sound (") != std::string::npos ||
                                          l.find("  Play sound failed (") != std::string::npos;
                               }),
                lines.end());
    return lines;
}

TEST_F(FaultPorts, EveryFileWriteFailingLosesOnlyTheLinesOfThatTimeAndNothingWritten) {
    const std::string written = LogBytes();
    ASSERT_FALSE(written.empty());
    const std::string debugWritten = test::ReadFileBytes(dir + "\\debug.log");
    const std::string settings = test::ReadFileBytes(dir + "\\Korvn.ini");
    TActionExecutor& ex = Executor(launcher);

    files.full = true;
    HeatAndPoll(55);
    EXPECT_EQ(TTempStatus::Warning, Disk().Status());
    HeatAndPoll(65);
    EXPECT_EQ(TTempStatus::Critical, Disk().Status());
    RaiseAlarm(ex);
    EXPECT_GT(files.refused.load(), 0);
    // Every action still ran: balloon, sound, program, countdown.
    EXPECT_EQ(1u, countdown.shown.size());
    EXPECT_TRUE(Pump([&] { return files.FileExists(marker); }, 10000));
    // Nothing written before was touched; no line came from the time of the full disk.
    EXPECT_EQ(written, LogBytes());
    EXPECT_EQ(debugWritten, test::ReadFileBytes(dir + "\\debug.log"));
    EXPECT_EQ(settings, test::ReadFileBytes(dir + "\\Korvn.ini"));
    EXPECT_TRUE(shell.boxes.empty());

    // Space again: the next poll's line follows the old ones.
    files.full = false;
    HeatAndPoll(62);
    const std::string after = LogBytes();
    EXPECT_EQ(0u, after.rfind(written, 0));
    EXPECT_NE(std::string::npos, after.find("] Temperature = 62", written.size()));
    EXPECT_EQ(TTempStatus::Critical, Disk().Status());
}

TEST_F(FaultPorts, TheShellRefusingEveryTrayRecordStopsNeitherPollsNorAlarms) {
    std::atomic<int> refusedIcons{0};
    window.SetShellNotifier([&](DWORD, NOTIFYICONDATAA&) {
        ++refusedIcons;
        return false;
    });
    shell.refuse = true;
    TActionExecutor& ex = Executor(launcher);
    const size_t from = DebugLines().size();
    const std::string written = LogBytes();

    HeatAndPoll(55);
    HeatAndPoll(65); // the indicator changes colour: a tray record the shell refuses
    EXPECT_EQ(TTempStatus::Critical, Disk().Status());
    RaiseAlarm(ex);
    EXPECT_GT(refusedIcons.load(), 0);
    EXPECT_EQ(2, shell.refused.load()); // the old balloon hidden, the new one shown
    EXPECT_EQ(AlarmLines(script), WithoutSound(MessagesFrom(from)));
    EXPECT_EQ(1u, countdown.shown.size());
    EXPECT_TRUE(shell.boxes.empty());
    // Both polls logged, after what was there.
    const std::string after = LogBytes();
    EXPECT_EQ(0u, after.rfind(written, 0));
    EXPECT_NE(std::string::npos, after.find("] Temperature = 55", written.size()));
    EXPECT_NE(std::string::npos, after.find("] Temperature = 65", written.size()));
}

TEST_F(FaultPorts, MciFailingReportsTheSoundAndRunsTheOtherActions) {
    faultToolkit.mciFails = true;
    TActionExecutor& ex = Executor(launcher);
    const size_t from = DebugLines().size();
    HeatAndPoll(65);
    RaiseAlarm(ex);
    EXPECT_GT(faultToolkit.mciCommands.load(), 0);
    std::vector<std::string> expected = AlarmLines(script);
    expected.insert(expected.begin() + 2, "[error]   Play sound failed (" + sound + ")");
    EXPECT_EQ(expected, MessagesFrom(from));
    EXPECT_EQ(1u, countdown.shown.size());
    EXPECT_TRUE(shell.boxes.empty());
    // Still monitoring.
    HeatAndPoll(58);
    EXPECT_EQ(TTempStatus::Warning, Disk().Status());
}

TEST_F(FaultPorts, TheShellFailingToStartTheProgramReportsItAndStillCountsDown) {
    test::RecordingLauncher failing;
    failing.fail = true;
    TActionExecutor& ex = Executor(failing);
    const size_t from = DebugLines().size();
    HeatAndPoll(65);
    RaiseAlarm(ex);
    EXPECT_EQ(std::vector<std::string>{script}, failing.opened);
    std::vector<std::string> expected = AlarmLines(script);
    expected[2] = "[error]   App execute failed (" + script + ")";
    EXPECT_EQ(expected, WithoutSound(MessagesFrom(from)));
    EXPECT_EQ(1u, countdown.shown.size());
    EXPECT_TRUE(shell.boxes.empty());
    HeatAndPoll(40);
    EXPECT_EQ(TTempStatus::Normal, Disk().Status());
}

TEST_F(FaultPorts, TheClockJumpingBackADayKeepsEveryLineAndGoesOnLogging) {
    const std::string written = LogBytes();
    ASSERT_NE(std::string::npos, written.find("[09/Dec/2026 10:00:00] Temperature = 40"));
    const size_t from = DebugLines().size();
    clock.now = LocalTime{2026, 12, 8, 10, 0, 5, 0};
    HeatAndPoll(55);
    EXPECT_EQ(TTempStatus::Warning, Disk().Status());
    TActionExecutor& ex = Executor(launcher);
    RaiseAlarm(ex);
    const std::string after = LogBytes();
    EXPECT_EQ(0u, after.rfind(written, 0));
    EXPECT_NE(std::string::npos, after.find("[08/Dec/2026 10:00:05] Temperature = 55"));
    // Nothing but the alarm's own lines in the debug log: no purge, no complaint.
    EXPECT_EQ(AlarmLines(script), WithoutSound(MessagesFrom(from)));
    // A later poll back on the right day appends too.
    clock.now = LocalTime{2026, 12, 9, 10, 0, 9, 0};
    HeatAndPoll(45);
    EXPECT_EQ(0u, LogBytes().rfind(after, 0));
    EXPECT_EQ(TTempStatus::Normal, Disk().Status());
}

} // namespace
} // namespace korvane
