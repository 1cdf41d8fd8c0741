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
#include "toolkit/sound_player_win.h"
#include "toolkit/toolkit_win.h"
#include "toolkit/worker_thread_win.h"
#include "ui/hibernate_form_win.h"

#include "app_program_win.h"
#include "data_folder_rig_win.h"
#include "drives/indicator_icons_win.h"
#include "executor_fakes.h"
#include "fake_os_version.h"
#include "monitor_shell_win.h"
#include "recording_engine.h"
#include "settings/profile_win.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit_fakes.h"
#include "toolkit_wait_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <stdexcept>

namespace korvane {
namespace {

// The real toolkit, with a sound player that tells when its play has begun: the tests catch the
// worker inside a long sound.
class WatchedPlayer final : public SoundPlayerPort {
  public:
    explicit WatchedPlayer(std::unique_ptr<SoundPlayerPort> inner) : inner_(std::move(inner)) {}
    void SetWait(bool wait) override { inner_->SetWait(wait); }
    bool Wait() const override { return inner_->Wait(); }
    bool SetFileName(const std::string& path) override { return inner_->SetFileName(path); }
    std::string FileName() const override { return inner_->FileName(); }
    bool Stop() override { return inner_->Stop(); }
    bool Pause() override { return inner_->Pause(); }
    bool SeekToStart() override { return inner_->SeekToStart(); }
    bool SetTimeFormatMilliseconds() override { return inner_->SetTimeFormatMilliseconds(); }
    uint32_t Length() override { return inner_->Length(); }
    uint32_t Position() override { return inner_->Position(); }
    bool Play() override { return Started(inner_->Play()); }
    bool PlayFor(uint32_t length) override { return Started(inner_->PlayFor(length)); }
    uint32_t LastError() const override { return inner_->LastError(); }
    static inline std::atomic<int> playing{0};

  private:
    bool Started(bool ok) {
        if (ok)
            ++playing;
        return ok;
    }
    std::unique_ptr<SoundPlayerPort> inner_;
};

class WatchedToolkit final : public test::ForwardingToolkit {
  public:
    using ForwardingToolkit::ForwardingToolkit;
    std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() override {
        return std::make_unique<WatchedPlayer>(inner_.CreateSoundPlayer());
    }
};

// The real launcher, telling when the shell has started the program.
class WatchedLauncher final : public AppLauncherPort {
  public:
    Result Open(const std::string& path) override {
        Result result = inner_->Open(path);
        if (result.started)
            ++opened;
        return result;
    }
    std::atomic<int> opened{0};

  private:
    const std::unique_ptr<AppLauncherPort> inner_ = CreateWin32AppLauncher();
};

// A countdown window double: it would hold the worker until stopped.
class HeldOpen final : public PowerOffCountdownPort {
  public:
    void ShowCountdown(const std::string&, int32_t, int32_t, int32_t, int32_t) override {
        shown = true;
    }
    void WaitUntilClosed(const std::function<bool()>& stop) override {
        while (!stop())
            Sleep(10);
    }
    bool PowerOffSucceeded() const override { return false; }
    void Dismiss() override {}
    std::atomic<bool> shown{false};
};

// A silent PCM wave file of `seconds` seconds at CD quality, as alarm sounds usually are.
void WriteSilentWave(const std::string& path, uint32_t seconds) {
    constexpr uint32_t kRate = 44100, kBlock = 4; // 16-bit stereo
    const uint32_t data = kRate * kBlock * seconds;
    std::string bytes;
    auto u32 = [&bytes](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&bytes](uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    bytes += "RIFF";
    u32(36 + data);
    bytes += "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(2); // stereo
    u32(kRate);
    u32(kRate * kBlock);
    u16(kBlock);
    u16(16);
    bytes += "data";
    u32(data);
    bytes.append(data, '\0');
    test::WriteFileBytes(path, bytes);
}

class ExecutorWine : public ::testing::Test, protected test::LoggedDataFolder {
  protected:
    ExecutorWine() : LoggedDataFolder("executor_wine") {}
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
    TActionExecutor& Executor(PowerOffCountdownPort* countdown = nullptr,
                              TTrayMessages* trayMessages = nullptr,
                              AppLauncherPort* appLauncher = nullptr) {
        executor = std::make_unique<TActionExecutor>(
            ExecutorDeps{watched,
                         trayMessages ? *trayMessages : messages,
                         *logger,
                         *files,
                         test::Borrowed(appLauncher ? *appLauncher : launcher),
                         [countdown] { return countdown; },
                         {},
                         {}});
        return *executor;
    }
    DWORD WorkerId() { return dynamic_cast<WorkerThread&>(executor->Worker()).ThreadId(); }
    // Destroys the executor and reports how long it took.
    double DestroyMs(const char* state) {
        const double start = test::NowMs();
        executor.reset();
        const double took = test::NowMs() - start;
        std::printf("[ figure ] executor destroyed %s: %.0f ms\n", state, took);
        return took;
    }
    std::vector<std::string> DebugMessages() const {
        std::vector<std::string> result;
        for (const std::string& line : test::ReadLines(dir + "\\debug.log")) {
            std::string message = test::DebugMessage(line);
            if (!message.empty())
                result.push_back(std::move(message));
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

    AppWindow window;
    const std::unique_ptr<ToolkitPort> win32Toolkit = CreateWin32Toolkit(window);
    ToolkitPort& toolkit = *win32Toolkit;
    WatchedToolkit watched{toolkit};
    std::unique_ptr<IndicatorIconPort> icons = CreateWin32IndicatorIcon();
    std::unique_ptr<sim::SimulatedDriver> driver =
        sim::CreateSimulatedDriver(dir + "\\simulation.ini");
    const std::unique_ptr<OsVersionPort> osPort = CreateWin32OsVersion();
    const OsVersionPort& os = *osPort;
    test::RecordingWin32Shell shell{window.Handle()};
    TTrayMessages messages{shell, os};
    DriveDeps context{options, *logger,
                      toolkit, *icons,
                      nullptr, *driver,
                      os,      nullptr,
                      nullptr, [this](TrayIconPort& icon) { messages.HideBalloon(icon); }};
    std::unique_ptr<TDrives> drives;
    WatchedLauncher launcher;
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
    executor->QueueAction(1, disk,
                          {.showMessage = true,
                           .playSound = true,
                           .soundFile = sound,
                           .executeApp = true,
                           .application = script},
                          50);
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
    executor->QueueAction(2, disk,
                          {.playSound = true,
                           .soundFile = dir + "\\missing.wav",
                           .executeApp = true,
                           .application = dir + "\\missing.exe"},
                          60);
    ASSERT_TRUE(
        Pump([&] { return Count("App execute failed (" + dir + "\\missing.exe)") == 1; }, 30000));
    EXPECT_EQ(1, Count("Play sound failed (" + dir + "\\missing.wav)"));
    EXPECT_EQ(2, Count("Start Action"));
}

// Destroying the executor ends the worker within a second whatever it is doing; the limit here
// is generous, the figures are printed.
constexpr double kStopLimitMs = 5000;

TEST_F(ExecutorWine, DestroyedWhileIdleOrInsideALongSoundItEndsAtOnceAndNothingLaterRuns) {
    TDrive& disk = *drives->GetDrive(0);
    Executor();
    executor->QueueAction(1, disk, {}, 50);
    ASSERT_TRUE(
        Pump([&] { return Count("Start Action") == 1 && executor->QueueLength() == 0; }, 10000));
    EXPECT_LT(DestroyMs("idle"), kStopLimitMs);

    const std::string sound = dir + "\\long.wav";
    WriteSilentWave(sound, 25);
    const std::string marker = dir + "\\ran.txt";
    const std::string script = dir + "\\alarm.bat";
    test::WriteFileBytes(script, "@echo ran>\"" + marker + "\"\r\n");
    HeldOpen held; // a countdown would show here if it ran
    Executor(&held);
    const int playsBefore = WatchedPlayer::playing;
    executor->QueueAction(2, disk,
                          {.playSound = true,
                           .soundFile = sound,
                           .executeApp = true,
                           .application = script,
                           .poweroff = true},
                          60);
    executor->QueueAction(1, disk, {.showMessage = true}, 50);
    ASSERT_TRUE(Pump([&] { return WatchedPlayer::playing > playsBefore; }, 10000));
    EXPECT_LT(DestroyMs("inside a 25-second sound"), kStopLimitMs);
    Pump([] { return false; }, 500); // anything still coming would come now
    EXPECT_EQ(0, Count("Play sound (" + sound + ")"));
    EXPECT_EQ(0, launcher.opened.load());
    EXPECT_FALSE(files->FileExists(marker));
    EXPECT_FALSE(held.shown);
    EXPECT_TRUE(shell.sent.empty());     // the waiting record was dropped
    EXPECT_EQ(2, Count("Start Action")); // the idle part's record and the abandoned one
}

// The idle worker waits without a time-out, so a lost wake-up would leave a record, or the stop,
// waiting for ever: records queued one after another each run, and a stop right after the start
// (the worker maybe not yet waiting) or while idle ends it at once.
TEST_F(ExecutorWine, AnIdleWorkerWakesForEveryRecordAndForTheStop) {
    TDrive& disk = *drives->GetDrive(0);
    for (int round = 0; round < 5; ++round) {
        Executor();
        EXPECT_LT(DestroyMs("just started"), kStopLimitMs);
    }
    Executor();
    for (int i = 1; i <= 20; ++i) {
        executor->QueueAction(1, disk, {}, 50);
        ASSERT_TRUE(
            Pump([&] { return Count("Start Action") == i && executor->QueueLength() == 0; }, 10000))
            << "record " << i;
    }
    EXPECT_LT(DestroyMs("idle after 20 records"), kStopLimitMs);
}

TEST_F(ExecutorWine, DestroyedWhileWaitingForAStartedProgramItEndsAtOnce) {
    TDrive& disk = *drives->GetDrive(0);
    const std::string done = dir + "\\done.txt";
    const std::string script = dir + "\\busy.bat";
    // Keeps running until the test lets it end.
    test::WriteFileBytes(script, ":wait\r\n@if exist \"" + done +
                                     "\" goto :eof\r\n@ping -n 2 127.0.0.1 >nul\r\n@goto wait\r\n");
    Executor();
    executor->QueueAction(1, disk, {.executeApp = true, .application = script}, 50);
    ASSERT_TRUE(Pump([&] { return launcher.opened == 1; }, 20000));
    const double took = DestroyMs("waiting for a started program");
    EXPECT_LT(took, kStopLimitMs);
    EXPECT_EQ(0, Count("App started successfully (" + script + ")")); // it was still waiting
    test::WriteFileBytes(done, "");
}

// The shell's start of a program on a network path, or through a slow shell extension, can
// take half a minute and cannot be cut short: the stop does not wait for it.
TEST_F(ExecutorWine, DestroyedDuringAStartThatBlocksItEndsAtOnceAndNothingLaterRuns) {
    TDrive& disk = *drives->GetDrive(0);
    test::RecordingLauncher hanging;
    std::atomic<bool> inside{false}, release{false};
    hanging.onOpen = [&] {
        inside = true;
        while (!release)
            Sleep(10);
    };
    HeldOpen held;
    Executor(&held, nullptr, &hanging);
    const std::string app = "\\\\server\\share\\alarm.exe";
    executor->QueueAction(2, disk, {.executeApp = true, .application = app, .poweroff = true}, 60);
    executor->QueueAction(1, disk, {.showMessage = true}, 50);
    ASSERT_TRUE(Pump([&] { return inside.load(); }, 10000));
    EXPECT_LT(DestroyMs("during a program start that blocks"), kStopLimitMs);

    // The start returns only now, long after the stop; nothing of either record follows it.
    release = true;
    ASSERT_TRUE(Pump([&] { return hanging.returned == 1; }, 10000));
    Pump([&] { return hanging.released == 1; }, 5000); // released by the start's own thread
    EXPECT_EQ(1, hanging.released);
    EXPECT_EQ(0, Count("App started successfully (" + app + ")"));
    EXPECT_FALSE(held.shown);
    EXPECT_TRUE(shell.sent.empty());
    EXPECT_EQ(1, Count("Start Action"));
}

// The real worker thread: an exception ends its record only, with an error line in the debug log.
TEST_F(ExecutorWine, AnExceptionInARecordIsLoggedAndTheWorkerServesTheNextOne) {
    TDrive& disk = *drives->GetDrive(0);
    test::RecordingLauncher failingOnce;
    std::atomic<int> opens{0};
    failingOnce.onOpen = [&] {
        if (++opens == 1)
            throw std::runtime_error("shell extension failed");
    };
    Executor(nullptr, nullptr, &failingOnce);
    executor->QueueAction(1, disk, {.executeApp = true, .application = "C:\\first.exe"}, 50);
    executor->QueueAction(1, disk, {.executeApp = true, .application = "C:\\second.exe"}, 50);
    ASSERT_TRUE(
        Pump([&] { return Count("App started successfully (C:\\second.exe)") == 1; }, 10000));
    std::vector<std::string> lines;
    for (const std::string& line : test::ReadLines(dir + "\\debug.log"))
        if (line.find("Action") != std::string::npos) {
            std::printf("[ line ] %s\n", line.c_str());
            lines.push_back(test::AfterStamp(line));
        }
    EXPECT_EQ((std::vector<std::string>{"[notice]  Start Action",
                                        "[error]   Action failed (exception: shell extension "
                                        "failed)",
                                        "[notice]  Start Action"}),
              lines);
}

TEST_F(ExecutorWine, DestroyedWhileTheCountdownIsShownItHidesItAndNothingPowersOff) {
    TDrive& disk = *drives->GetDrive(0);
    test::ProgramResources resources; // the countdown window's icon and picture
    ASSERT_NE(nullptr, resources.Get());
    test::RecordingEngine engine;
    test::FakeAppServices app;
    THibernateForm form(CountdownDeps{toolkit, engine, *logger, options, app, [] {}}, window,
                        resources.Get());
    Executor(&form);
    executor->QueueAction(2, disk, {.poweroff = true}, 60);
    executor->QueueAction(1, disk, {.showMessage = true}, 50);
    const HWND hwnd = form.Window().Handle();
    ASSERT_TRUE(Pump([&] { return IsWindowVisible(hwnd) != FALSE; }, 10000));
    EXPECT_LT(DestroyMs("with the countdown shown"), kStopLimitMs);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_FALSE(form.Logic().Counting());
    // Ticks still queued arrive now; none powers off, and the waiting record never runs.
    Pump([] { return false; }, 1500);
    EXPECT_TRUE(engine.Methods().empty());
    EXPECT_TRUE(shell.sent.empty());
}

TEST_F(ExecutorWine, DestroyedWhileTheNotificationBoxIsShownItClosesIt) {
    TDrive& disk = *drives->GetDrive(0);
    test::FixedOsVersion windows98(kPlatformWin32Windows, 4, 10); // no balloons: a message box
    TTrayMessages boxes{shell, windows98};
    ASSERT_FALSE(boxes.BalloonsSupported());
    Executor(nullptr, &boxes);
    executor->QueueAction(1, disk, {.showMessage = true}, 50);
    const DWORD worker = WorkerId();
    ASSERT_TRUE(Pump([&] { return test::ui::ShownWindowOf(worker) != nullptr; }, 10000));
    EXPECT_LT(DestroyMs("with the notification box shown"), kStopLimitMs);
    EXPECT_EQ(nullptr, test::ui::ShownWindowOf(worker));
    EXPECT_EQ(0, Count("Show notification"));
}

} // namespace
} // namespace korvane
