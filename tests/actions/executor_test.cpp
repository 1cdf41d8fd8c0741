// TActionExecutor over real disks of the simulated driver, real log files, the real tray
// notifications on a recording shell, and doubles for the worker, sound, launcher and countdown.
#include "actions/executor.h"

#include "actions/tray_messages.h"
#include "settings/keys.h"

#include "executor_fakes.h"
#include "monitor_rig.h"
#include "test_env.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <numeric>
#include <stdexcept>
#include <thread>

namespace korvane {
namespace {

using test::MonitorRig;

const std::string kDeg = "\xB0";

class ExecutorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        rig = std::make_unique<MonitorRig>(std::string("executor_") + info->name());
        trayMessages = std::make_unique<TTrayMessages>(shell, rig->os);
    }
    void TearDown() override {
        executor.reset();
        drives.clear();
    }
    // The disks, each polled once so that their model and temperature are known.
    void Disks(const std::string& ini) {
        rig->Simulate(ini);
        for (uint8_t n = 0; n < 4; ++n) {
            auto drive = std::make_unique<TDrive>(n, rig->context);
            drive->Poll();
            if (drive->IsPresent())
                drives.push_back(std::move(drive));
        }
        debugLinesBefore = RawDebugLines().size();
    }
    // With the fixture's launcher, or with one the executor alone holds.
    TActionExecutor& Executor(std::shared_ptr<AppLauncherPort> own = nullptr) {
        executor = std::make_unique<TActionExecutor>(
            ExecutorDeps{rig->toolkit, *trayMessages, *rig->logger, rig->files,
                         own ? own : test::Borrowed(launcher),
                         [this] { return countdownSet ? &countdown : nullptr; },
                         [this](uint32_t ms) {
                             slept.push_back(ms);
                             if (onSleep)
                                 onSleep();
                         },
                         // The worker idles once the queue is empty: the test's run ends
                         // there.
                         [this] { Worker().Terminate(); }});
        return *executor;
    }
    test::FakeWorkerThread& Worker() { return *rig->toolkit.workers.back(); }
    test::FakeSoundPlayer& Player() { return *rig->toolkit.soundPlayers.back(); }
    void RunWorker() { Worker().RunBody(); }
    void Queue(TDrive& drive, uint8_t level, uint8_t actions, int32_t limit = 50,
               const std::string& sound = "", const std::string& app = "", uint8_t method = 0) {
        executor->QueueAction(level, drive,
                              {.showMessage = (actions & kActionShowMessage) != 0,
                               .playSound = (actions & kActionPlaySound) != 0,
                               .soundFile = sound,
                               .executeApp = (actions & kActionExecuteApp) != 0,
                               .application = app,
                               .poweroff = (actions & kActionPoweroff) != 0,
                               .poweroffMethod = method},
                              limit);
    }
    std::vector<std::string> RawDebugLines() const {
        return test::ReadLines(rig->dir + "/debug.log");
    }
    // The executor's lines: level field and message, after the disks' own lines.
    std::vector<std::string> NewLines() const {
        std::vector<std::string> result;
        const auto lines = RawDebugLines();
        for (size_t i = debugLinesBefore; i < lines.size(); ++i)
            result.push_back(test::AfterStamp(lines[i]));
        return result;
    }
    std::string SoundFile(const std::string& name) {
        const std::string path = rig->dir + "/" + name;
        test::WriteFileBytes(path, "RIFF");
        return path;
    }
    uint32_t Slept() const { return std::accumulate(slept.begin(), slept.end(), 0u); }
    // The player's commands with each run of position polls cut to one.
    static std::vector<std::string> WithoutRepeatedPolls(const std::vector<std::string>& commands) {
        std::vector<std::string> result;
        for (const std::string& c : commands)
            if (c != "position" || result.empty() || result.back() != "position")
                result.push_back(c);
        return result;
    }

    std::unique_ptr<MonitorRig> rig;
    test::RecordingTrayShell shell;
    std::unique_ptr<TTrayMessages> trayMessages;
    test::RecordingLauncher launcher;
    test::FakeCountdown countdown;
    bool countdownSet = true;
    std::vector<std::unique_ptr<TDrive>> drives;
    std::unique_ptr<TActionExecutor> executor;
    std::vector<uint32_t> slept;
    std::function<void()> onSleep; // inside the worker's sleeps
    size_t debugLinesBefore = 0;
};

TEST_F(ExecutorTest, AllStepsRunInOrderWithTheirLinesAndTexts) {
    Disks(MonitorRig::Disk(1, "ST380011A", 51));
    Executor();
    const std::string sound = SoundFile("warn.wav");
    launcher.onOpen = [&] {
        // The sound has been played to its end before the application starts.
        ASSERT_FALSE(Player().commands.empty());
        EXPECT_EQ("position", Player().commands.back()); // watched to its end
        EXPECT_TRUE(countdown.shown.empty());
    };
    Queue(*drives[0], 1,
          kActionShowMessage | kActionPlaySound | kActionExecuteApp | kActionPoweroff, 50, sound,
          "C:\\alarm.exe", 1);
    EXPECT_EQ(1u, executor->QueueLength());
    EXPECT_EQ(1, Worker().synchronized); // the append went through the synchronous call
    EXPECT_TRUE(NewLines().empty());     // nothing runs on the GUI thread's call

    RunWorker();
    EXPECT_EQ(0u, executor->QueueLength());
    EXPECT_EQ((std::vector<std::string>{"[notice]  Start Action", "[notice]  Show notification",
                                        "[notice]  Play sound (" + sound + ")",
                                        "[notice]  App started successfully (C:\\alarm.exe)"}),
              NewLines());
    // Every line was handed to the GUI thread: one call for the append, one per line, and one
    // to look up the countdown window there.
    EXPECT_EQ(6, Worker().synchronized);

    // The balloon: cleared, then shown on the disk's own indicator for 8 seconds.
    ASSERT_EQ(2u, shell.balloons.size());
    const BalloonRequest& b = shell.balloons[1];
    EXPECT_EQ(drives[0]->TrayIcon().Identity().id, b.icon.id);
    EXPECT_EQ(8000u, b.timeoutMs);
    EXPECT_EQ(kNiifWarning, b.infoFlags);
    EXPECT_EQ("Hard Disk 2: ST380011A", b.title);
    EXPECT_EQ("Hard disk temperature has exceeded Warning value of 50" + kDeg +
                  "C\r\rCurrent HDD temperature: 51" + kDeg + "C",
              b.text);
    EXPECT_EQ(0, drives[0]->TrayIcon().Tag());

    // The play does not wait; the worker watches the position instead, to notice a stop.
    EXPECT_EQ((std::vector<std::string>{"stop", "open " + sound, "seek 0", "time format ms",
                                        "length", "play notify", "position"}),
              WithoutRepeatedPolls(Player().commands));
    EXPECT_TRUE(Player().Wait()); // every other command waits
    EXPECT_EQ(std::vector<std::string>{"C:\\alarm.exe"}, launcher.opened);
    EXPECT_EQ(1, launcher.released);

    ASSERT_EQ(1u, countdown.shown.size());
    EXPECT_EQ("ST380011A", countdown.shown[0].heading);
    EXPECT_EQ(20, countdown.shown[0].seconds);
    EXPECT_EQ(51, countdown.shown[0].current);
    EXPECT_EQ(50, countdown.shown[0].limit);
    EXPECT_EQ(1, countdown.shown[0].method);
    EXPECT_EQ(1, countdown.waits);
}

TEST_F(ExecutorTest, CriticalTextInFahrenheitAndModelCutToTwentyCharacters) {
    Disks(MonitorRig::Disk(0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 61));
    rig->options->General().WriteBool(key::UseCelsius.name, false);
    Executor();
    Queue(*drives[0], 2, kActionShowMessage | kActionPoweroff, 60);
    RunWorker();
    ASSERT_EQ(2u, shell.balloons.size());
    EXPECT_EQ("Hard Disk 1: ABCDEFGHIJKLMNOPQRST", shell.balloons[1].title);
    EXPECT_EQ("Hard disk temperature has exceeded Critical value of 140" + kDeg +
                  "F\r\rCurrent HDD temperature: 141" + kDeg +
                  "F\r\rYOU CAN LOOSE YOUR DATA BECAUSE OF OVERHEAT!!!",
              shell.balloons[1].text);
    ASSERT_EQ(1u, countdown.shown.size());
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRST", countdown.shown[0].heading);
}

TEST_F(ExecutorTest, FailedStepsAreLoggedAsErrorsAndLaterStepsStillRun) {
    Disks(MonitorRig::Disk(0, "ST380011A", 51));
    Executor();
    launcher.fail = true;
    // The owner hears of each failed step (the event log), and of the countdown shown.
    std::vector<AlarmStep> failed;
    int countdowns = 0;
    executor->OnStepFailed = [&](const TActionRec&, AlarmStep step) { failed.push_back(step); };
    executor->OnCountdownShown = [&](const TActionRec& rec) { countdowns += rec.Level; };
    const std::string missing = rig->dir + "/missing.wav";
    Queue(*drives[0], 1, kActionPlaySound | kActionExecuteApp | kActionPoweroff, 50, missing,
          "notepad.exe C:\\x.txt");
    RunWorker();
    EXPECT_EQ((std::vector<AlarmStep>{AlarmStep::Sound, AlarmStep::Application}), failed);
    EXPECT_EQ(1, countdowns);
    EXPECT_EQ((std::vector<std::string>{"[notice]  Start Action",
                                        "[error]   Play sound failed (" + missing + ")",
                                        "[error]   App execute failed (notepad.exe C:\\x.txt)"}),
              NewLines());
    EXPECT_TRUE(Player().commands.empty()); // a missing file is not given to the device
    EXPECT_EQ(std::vector<std::string>{"notepad.exe C:\\x.txt"}, launcher.opened);
    EXPECT_EQ(1u, countdown.shown.size());

    // A file the device refuses fails the same way.
    Player().failWith = 277;
    const std::string bad = SoundFile("bad.wav");
    Queue(*drives[0], 1, kActionPlaySound, 50, bad);
    Worker().terminated = false;
    RunWorker();
    EXPECT_EQ("[error]   Play sound failed (" + bad + ")", NewLines().back());
}

TEST_F(ExecutorTest, AnExceptionEndsItsRecordWithAnErrorLineAndTheNextRecordRuns) {
    Disks(MonitorRig::Disk(0, "ST380011A", 51));
    Executor();
    int opens = 0;
    launcher.onOpen = [&] {
        if (++opens == 1)
            throw std::runtime_error("shell extension failed");
    };
    Queue(*drives[0], 2, kActionExecuteApp | kActionPoweroff, 60, "", "C:\\first.exe");
    Queue(*drives[0], 1, kActionExecuteApp, 50, "", "C:\\second.exe");
    RunWorker();
    EXPECT_EQ((std::vector<std::string>{"[notice]  Start Action",
                                        "[error]   Action failed (exception: shell extension "
                                        "failed)",
                                        "[notice]  Start Action",
                                        "[notice]  App started successfully (C:\\second.exe)"}),
              NewLines());
    EXPECT_TRUE(countdown.shown.empty()); // the rest of the failed record did not run
    EXPECT_EQ(0u, executor->QueueLength());
}

TEST_F(ExecutorTest, BlankPathsAndNoFlagsLeaveOnlyTheStartLine) {
    Disks(MonitorRig::Disk(0, "ST380011A", 51));
    Executor();
    Queue(*drives[0], 1, kActionPlaySound | kActionExecuteApp, 50, " \t ", "\r\n ");
    Queue(*drives[0], 1, 0, 50, SoundFile("a.wav"), "C:\\a.exe");
    countdownSet = false; // a flag off: nothing of the countdown is needed either
    RunWorker();
    EXPECT_EQ((std::vector<std::string>{"[notice]  Start Action", "[notice]  Start Action"}),
              NewLines());
    EXPECT_TRUE(Player().commands.empty());
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(shell.balloons.empty());
    // A power-off that finds no countdown window says why nothing was powered off.
    Queue(*drives[0], 2, kActionPoweroff, 60, "", "", 0);
    Worker().terminated = false;
    RunWorker();
    EXPECT_EQ("[error]   POWEROFF: no countdown window, nothing powered off", NewLines().back());
}

TEST_F(ExecutorTest, SoundsOfTwentySecondsOrMoreArePlayedForTwentySeconds) {
    Disks(MonitorRig::Disk(0, "ST380011A", 51));
    Executor();
    const std::string sound = SoundFile("long.wav");
    for (uint32_t length : {25000u, 20000u, 19999u}) {
        Player().length = length;
        Player().commands.clear();
        slept.clear();
        Queue(*drives[0], 1, kActionPlaySound, 50, sound);
        Worker().terminated = false;
        RunWorker();
        const auto c = WithoutRepeatedPolls(Player().commands);
        ASSERT_GE(c.size(), 2u);
        EXPECT_EQ(length >= 20000 ? "play 20000 notify" : "play notify", c[c.size() - 2]) << length;
        // Watched in 50 ms slices for as long as it plays, not beyond.
        EXPECT_EQ((std::min(length, 20000u) + 49) / 50 * 50, Slept()) << length;
    }
    // The same file stays open between records; a stop comes before each play.
    EXPECT_EQ((std::vector<std::string>{"stop", "seek 0", "time format ms", "length", "play notify",
                                        "position"}),
              WithoutRepeatedPolls(Player().commands));
}

TEST_F(ExecutorTest, ARunningApplicationIsWaitedForTenSecondsAtMost) {
    Disks(MonitorRig::Disk(0, "ST380011A", 51));
    Executor();
    launcher.processEnds = false;
    Queue(*drives[0], 1, kActionExecuteApp, 50, "", "C:\\busy.exe");
    RunWorker();
    EXPECT_EQ(10000u, std::accumulate(launcher.waits.begin(), launcher.waits.end(), 0u));
    EXPECT_EQ(1, launcher.released);
    EXPECT_EQ("[notice]  App started successfully (C:\\busy.exe)", NewLines().back());

    // Started without a process to wait for (a document opened by a running program).
    launcher.waits.clear();
    launcher.withProcess = false;
    Queue(*drives[0], 1, kActionExecuteApp, 50, "", "C:\\doc.txt");
    Worker().terminated = false;
    RunWorker();
    EXPECT_TRUE(launcher.waits.empty());
    EXPECT_EQ("[notice]  App started successfully (C:\\doc.txt)", NewLines().back());
}

TEST_F(ExecutorTest, FiveSecondPauseOnlyAfterASuccessfulPowerOff) {
    Disks(MonitorRig::Disk(0, "ST380011A", 61));
    Executor();
    Queue(*drives[0], 2, kActionPoweroff, 60);
    RunWorker(); // cancelled or failed: straight on
    EXPECT_EQ(0u, Slept());

    slept.clear();
    countdown.succeed = true;
    Queue(*drives[0], 2, kActionPoweroff, 60);
    Worker().terminated = false;
    RunWorker();
    EXPECT_EQ(5000u, Slept());
}

TEST_F(ExecutorTest, RecordsRunOneAfterAnotherInQueuingOrder) {
    Disks(MonitorRig::Disk(0, "FIRST", 61) + MonitorRig::Disk(1, "SECOND", 55));
    ASSERT_EQ(2u, drives.size());
    Executor();
    countdown.whileShown = [&] {
        // The first disk's countdown holds back the second disk's record.
        EXPECT_EQ(2u, shell.balloons.size());
        EXPECT_EQ(2u, executor->QueueLength());
    };
    Queue(*drives[0], 2, kActionShowMessage | kActionPoweroff, 60);
    Queue(*drives[1], 1, kActionShowMessage, 50);
    RunWorker();
    ASSERT_EQ(4u, shell.balloons.size());
    EXPECT_EQ("Hard Disk 1: FIRST", shell.balloons[1].title);
    EXPECT_EQ("Hard Disk 2: SECOND", shell.balloons[3].title);
    EXPECT_EQ(1, countdown.waits);
}

TEST_F(ExecutorTest, ARecordNeedsNothingOfItsDiskOnceQueued) {
    Disks(MonitorRig::Disk(0, "ST380011A", 51));
    Executor();
    Queue(*drives[0], 1, kActionShowMessage);
    // Shut-down destroys the disks and the settings before the executor.
    drives.clear();
    rig->options->General().WriteBool(key::UseCelsius.name, false);
    RunWorker();
    ASSERT_EQ(2u, shell.balloons.size());
    EXPECT_EQ("Hard Disk 1: ST380011A", shell.balloons[1].title);
    EXPECT_NE(std::string::npos, shell.balloons[1].text.find("51" + kDeg + "C"));
}

TEST_F(ExecutorTest, AStopDuringTheSoundStopsItAndNothingLaterRuns) {
    Disks(MonitorRig::Disk(0, "ST380011A", 61));
    Executor();
    const std::string sound = SoundFile("long.wav");
    Player().length = 25000;
    Player().endsAtOnce = false; // still playing at every look
    int polls = 0;
    onSleep = [&] {
        if (!Player().commands.empty() && Player().commands.back() == "position" && ++polls == 3)
            executor->Stop(); // as the GUI thread does it, between two looks of the worker
    };
    Queue(*drives[0], 2,
          kActionShowMessage | kActionPlaySound | kActionExecuteApp | kActionPoweroff, 60, sound,
          "C:\\alarm.exe");
    Queue(*drives[0], 1, kActionShowMessage, 50);
    RunWorker();
    // Polled until the stop, then paused and stopped; no 20-second wait.
    ASSERT_GE(Player().commands.size(), 2u);
    EXPECT_EQ("pause", Player().commands[Player().commands.size() - 2]);
    EXPECT_EQ("stop", Player().commands.back());
    EXPECT_EQ(3, polls);
    // The later steps and the waiting record never ran; the lines after the stop were refused.
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(countdown.shown.empty());
    EXPECT_EQ(2u, shell.balloons.size()); // the first record's notification only
    EXPECT_EQ(0u, executor->QueueLength());
    RunWorker(); // a body started after the stop ends at once
    EXPECT_EQ(2u, shell.balloons.size());
    EXPECT_EQ(0, countdown.dismissed); // no countdown was shown
}

TEST_F(ExecutorTest, AStopWhileTheApplicationStartsOrRunsEndsTheRecord) {
    Disks(MonitorRig::Disk(0, "ST380011A", 61));
    Executor();
    launcher.processEnds = false;
    // Started before the stop came (the stop waits for the start to end, then sets the flag):
    // not waited for, nothing logged after it.
    launcher.onOpen = [&] { Worker().Terminate(); };
    Queue(*drives[0], 2, kActionExecuteApp | kActionPoweroff, 60, "", "C:\\busy.exe");
    RunWorker();
    EXPECT_EQ(std::vector<std::string>{"C:\\busy.exe"}, launcher.opened);
    EXPECT_TRUE(launcher.waits.empty());
    // Taken by the worker, or released by the start's own thread when the worker gave up first.
    for (int i = 0; i < 500 && launcher.released == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(1, launcher.released);
    EXPECT_TRUE(countdown.shown.empty());
    EXPECT_EQ(std::vector<std::string>{"[notice]  Start Action"}, NewLines());
}

TEST_F(ExecutorTest, AStartGivenUpOnKeepsItsLauncherUntilItReturns) {
    Disks(MonitorRig::Disk(0, "ST380011A", 61));
    std::mutex guard;
    std::condition_variable changed;
    bool release = false;
    auto owned = std::make_shared<test::RecordingLauncher>();
    const std::weak_ptr<test::RecordingLauncher> watch = owned;
    // A shell that hangs: the stop comes while it holds the start.
    owned->onOpen = [&] {
        Worker().Terminate();
        std::unique_lock<std::mutex> lock(guard);
        changed.wait(lock, [&] { return release; });
    };
    Executor(std::move(owned));
    Queue(*drives[0], 2, kActionExecuteApp, 60, "", "C:\\hangs.exe");
    RunWorker();
    executor.reset();
    // The executor is gone; the start still runs on the launcher, which must still be there.
    EXPECT_FALSE(watch.expired());
    {
        std::lock_guard<std::mutex> lock(guard);
        release = true;
    }
    changed.notify_all();
    for (int i = 0; i < 500 && !watch.expired(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(watch.expired()); // and freed once the start has returned
}

TEST_F(ExecutorTest, AStopDuringTheCountdownEndsTheWaitAndDismissesIt) {
    Disks(MonitorRig::Disk(0, "ST380011A", 61));
    Executor();
    countdown.succeed = true; // even a power-off that went through is not paused after
    countdown.whileShown = [&] { executor->Stop(); };
    Queue(*drives[0], 2, kActionPoweroff, 60);
    Queue(*drives[0], 2, kActionPoweroff, 60);
    RunWorker();
    EXPECT_EQ(1u, countdown.shown.size());
    EXPECT_TRUE(countdown.stopSeen);
    EXPECT_EQ(1, countdown.dismissed);
    EXPECT_EQ(0u, Slept()); // no pause after a stopped countdown
    EXPECT_EQ(0u, executor->QueueLength());
    executor.reset(); // stopping again is harmless
    EXPECT_EQ(1, countdown.dismissed);
}

TEST(LogHandoff, CodesSayTargetAndLevelAndTheTextIsTakenApartAtTheFirstSemicolon) {
    EXPECT_EQ("0a.log;m", MakeLogHandoff(false, kNotice, "a.log", "m"));
    EXPECT_EQ("1a.log;m", MakeLogHandoff(false, kWarning, "a.log", "m"));
    EXPECT_EQ("2a.log;m", MakeLogHandoff(true, kNotice, "a.log", "m"));
    EXPECT_EQ("3a.log;m", MakeLogHandoff(true, kError, "a.log", "m"));

    MonitorRig rig("executor_handoff");
    WriteLogHandoff(*rig.logger, "0t.log;first; with semicolon");
    WriteLogHandoff(*rig.logger, "1t.log;second");
    WriteLogHandoff(*rig.logger, "2t.log;to the debug log");
    WriteLogHandoff(*rig.logger, "3;debug error");
    WriteLogHandoff(*rig.logger, "9t.log;not a code");
    WriteLogHandoff(*rig.logger, "");
    WriteLogHandoff(*rig.logger, "0u.log"); // no ";": all of it is the file name
    EXPECT_EQ((std::vector<std::string>{"first; with semicolon", "second"}),
              rig.TemperatureMessages("t.log"));
    EXPECT_EQ(std::vector<std::string>{""}, rig.TemperatureMessages("u.log"));
    const std::string debug = test::ReadFileBytes(rig.dir + "/debug.log");
    EXPECT_NE(std::string::npos, debug.find("[notice]  to the debug log"));
    EXPECT_NE(std::string::npos, debug.find("[error]   debug error"));
    EXPECT_EQ(std::string::npos, debug.find("not a code"));
}

TEST(LogHandoff, AModelWithASemicolonKeepsItsFileNameAndTheWholeMessage) {
    MonitorRig rig("executor_handoff_semicolon");
    const std::string name = "WDC;X (80.0 GB).log";
    WriteLogHandoff(*rig.logger, MakeLogHandoff(false, kNotice, name, "36; warm"));
    WriteLogHandoff(*rig.logger, MakeLogHandoff(true, kError, name, "Could not start a;b.exe"));
    EXPECT_EQ(std::vector<std::string>{"36; warm"}, rig.TemperatureMessages(name));
    const std::string debug = test::ReadFileBytes(rig.dir + "/debug.log");
    EXPECT_NE(std::string::npos, debug.find("[error]   Could not start a;b.exe\r\n"));
}

} // namespace
} // namespace korvane
