// TActionExecutor: the queue of alarm records and the single worker that carries them out.
#include "actions/executor.h"

#include "actions/power_off_countdown.h"
#include "actions/tray_messages.h"
#include "drives/drive.h"
#include "log/logger.h"
#include "toolkit/failure_report.h"
#include "toolkit/files.h"
#include "toolkit/sound_player.h"
#include "toolkit/text.h"
#include "toolkit/toolkit.h"
#include "toolkit/worker_thread.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <string_view>
#include <thread>

namespace korvane {

namespace {

constexpr std::string_view kLogNameEnd = ".log;";

constexpr const char* kWarningBody =
    "Hard disk temperature has exceeded Warning value of %s\r\rCurrent HDD temperature: %s";
constexpr const char* kCriticalBody =
    "Hard disk temperature has exceeded Critical value of %s\r\rCurrent HDD temperature: "
    "%s\r\rYOU CAN LOOSE YOUR DATA BECAUSE OF OVERHEAT!!!";

// A stop is noticed within one slice of a long pause or wait.
constexpr uint32_t kSliceMs = 50;

std::string Cut(const std::string& text, size_t max) {
    return text.size() > max ? text.substr(0, max) : text;
}

std::string TemperatureTextOf(const TActionRec& rec, int32_t t) {
    return rec.UseCelsius ? CelsiusText(t) : FahrenheitText(t);
}

} // namespace

std::string MakeLogHandoff(bool debugLog, int32_t level, const std::string& fileName,
                           const std::string& message) {
    const bool notice = level == kNotice;
    char code = 0;
    if (debugLog)
        code = notice ? kHandoffDebugNotice : kHandoffDebugError;
    else
        code = notice ? kHandoffTemperatureNotice : kHandoffTemperatureError;
    return std::string(1, code) + fileName + ";" + message;
}

void WriteLogHandoff(TLogger& logger, const std::string& text) {
    if (text.empty())
        return;
    const char code = text[0];
    const std::string rest = text.substr(1);
    // Log file names end in ".log" but come from the disk's model text, which may hold ";" too:
    // the name ends at the first ".log;", and only a text without one is cut at its first ";".
    const size_t logEnd = rest.find(kLogNameEnd);
    const size_t semicolon =
        logEnd != std::string::npos ? logEnd + kLogNameEnd.size() - 1 : rest.find(';');
    const std::string fileName = semicolon == std::string::npos ? rest : rest.substr(0, semicolon);
    const std::string message =
        semicolon == std::string::npos ? std::string() : rest.substr(semicolon + 1);
    switch (code) {
    case kHandoffTemperatureNotice:
        logger.Log(kTemperatureLog, fileName, message, kNotice);
        break;
    case kHandoffTemperatureError:
        logger.Log(kTemperatureLog, fileName, message, kError);
        break;
    case kHandoffDebugNotice:
        logger.Log(kDebugLog, fileName, message, kNotice);
        break;
    case kHandoffDebugError:
        logger.Log(kDebugLog, fileName, message, kError);
        break;
    default:
        break; // not a code of ours: nothing is written rather than something misplaced
    }
}

TActionExecutor::TActionExecutor(ExecutorDeps deps) : deps_(std::move(deps)) {
    if (!deps_.sleep) {
        deps_.sleep = [](uint32_t ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        };
    }
    soundPlayer_ = deps_.toolkit.CreateSoundPlayer();
    worker_ = deps_.toolkit.CreateWorkerThread(
        [this](WorkerThreadPort& thread) { return WorkerBody(thread); });
}

TActionExecutor::~TActionExecutor() {
    Stop();
    worker_.reset(); // the thread has ended by now (or, as the very last resort, was ended)
    queue_.clear();
}

void TActionExecutor::Stop() {
    if (stopped_ || !worker_)
        return;
    stopped_ = true;
    // The worker holds the guard only while it looks at the stop and sets off a start, never
    // during the start itself; its calls are served meanwhile.
    bool locked = false;
    for (uint32_t waited = 0; !(locked = stepGuard_.try_lock()) && waited < kStopLimitMs;
         waited += kSliceMs)
        worker_->WaitFor(kSliceMs);
    worker_->Terminate();
    {
        // Taken so that an idle worker is either before its look at the stop or already waiting.
        std::lock_guard<std::mutex> lock(queueGuard_);
    }
    queueChanged_.notify_all();
    if (locked)
        stepGuard_.unlock();
    // The countdown's close request would wait for a message loop that no longer runs; its
    // timer must not power off a computer whose monitor has ended.
    if (PowerOffCountdownPort* countdown = shownCountdown_.exchange(nullptr))
        countdown->Dismiss();
    if (worker_->WaitFor(kStopLimitMs)) {
        std::lock_guard<std::mutex> lock(queueGuard_);
        queue_.clear(); // waiting records are dropped, the abandoned one with them
    }
}

void TActionExecutor::QueueAction(uint8_t level, TDrive& drive, const AlarmSettings& alarm,
                                  int32_t limitTemp) {
    TActionRec rec;
    rec.Drive = &drive;
    rec.Level = level;
    rec.Model = Cut(drive.Smart().Model(), kActionModelMax);
    rec.CurrentTemp = drive.Temperature();
    rec.LimitTemp = limitTemp;
    rec.Actions = static_cast<uint8_t>(
        (alarm.showMessage ? kActionShowMessage : 0) | (alarm.playSound ? kActionPlaySound : 0) |
        (alarm.executeApp ? kActionExecuteApp : 0) | (alarm.poweroff ? kActionPoweroff : 0));
    rec.SoundFile = Cut(alarm.soundFile, kActionPathMax);
    rec.AppPath = Cut(alarm.application, kActionPathMax);
    rec.PoweroffMethod = static_cast<uint8_t>(alarm.poweroffMethod);
    rec.DriveNumber = drive.DriveNumber();
    rec.LogFileName = drive.LogFileName();
    rec.TrayIcon = &drive.TrayIcon();
    // The program-wide unit, as the disk itself shows it.
    rec.UseCelsius = drive.TemperatureText(0) == CelsiusText(0);

    auto append = [this, &rec] {
        {
            std::lock_guard<std::mutex> lock(queueGuard_);
            queue_.push_back(std::move(rec));
        }
        queueChanged_.notify_all();
    };
    // From the GUI thread the synchronous call runs at once; without a window it cannot run.
    if (!worker_->Synchronize(append))
        append();
}

size_t TActionExecutor::QueueLength() const {
    std::lock_guard<std::mutex> lock(queueGuard_);
    return queue_.size();
}

uint32_t TActionExecutor::WorkerBody(WorkerThreadPort& thread) {
    while (!thread.Terminated()) {
        WaitForRecord(thread);
        if (thread.Terminated())
            break;
        const TActionRec* head = nullptr;
        {
            std::lock_guard<std::mutex> lock(queueGuard_);
            if (queue_.empty())
                continue;
            // The record stays at the head while it runs; appends never move it.
            head = &queue_.front();
        }
        try {
            ExecuteAction(thread, *head);
        } catch (...) {
            // The record ends here; the worker lives on for the next one.
            ReportActionFailure(thread, *head);
        }
        std::lock_guard<std::mutex> lock(queueGuard_);
        queue_.pop_front();
    }
    // Stopped: the waiting records are dropped, none runs any more.
    std::lock_guard<std::mutex> lock(queueGuard_);
    queue_.clear();
    return 0;
}

void TActionExecutor::WaitForRecord(WorkerThreadPort& thread) {
    if (deps_.idle) {
        if (QueueLength() == 0)
            deps_.idle();
        return;
    }
    // Without a time-out: a wait that wakes now and then costs the system a request each time,
    // all day long.
    std::unique_lock<std::mutex> lock(queueGuard_);
    queueChanged_.wait(lock, [&] { return !queue_.empty() || thread.Terminated(); });
}

void TActionExecutor::ExecuteAction(WorkerThreadPort& thread, const TActionRec& rec) {
    WorkerLog(thread, rec, "Start Action", kNotice);

    // Each step looks at the stop first: after it, nothing more of the record runs.
    if ((rec.Actions & kActionShowMessage) && rec.TrayIcon && !thread.Terminated()) {
        const std::string limit = TemperatureTextOf(rec, rec.LimitTemp);
        const std::string current = TemperatureTextOf(rec, rec.CurrentTemp);
        const std::string body =
            Format(rec.Level == 1 ? kWarningBody : kCriticalBody, limit.c_str(), current.c_str());
        const std::string title = "Hard Disk " + IntToStr(rec.DriveNumber + 1) + ": " + rec.Model;
        // A message box shown here ends on the stop request (see WorkerThreadPort::Terminate).
        deps_.trayMessages.ShowTrayMessage(*rec.TrayIcon, 0, kMessageWarning, body, title,
                                           kMessageTimeMs, false);
        WorkerLog(thread, rec, "Show notification", kNotice);
    }

    if ((rec.Actions & kActionPlaySound) && !Trim(rec.SoundFile).empty() && !thread.Terminated()) {
        const bool played = PlaySoundFile(thread, rec.SoundFile);
        if (played)
            WorkerLog(thread, rec, "Play sound (" + rec.SoundFile + ")", kNotice);
        else {
            WorkerLog(thread, rec, "Play sound failed (" + rec.SoundFile + ")", kError);
            StepFailed(thread, rec, AlarmStep::Sound);
        }
    }

    if ((rec.Actions & kActionExecuteApp) && !Trim(rec.AppPath).empty() && !thread.Terminated()) {
        AppLauncherPort::Result started = OpenUnlessStopped(thread, rec.AppPath);
        if (thread.Terminated())
            return; // not started, or started before the stop: not waited for
        if (started.started) {
            if (started.process) {
                for (uint32_t waited = 0; waited < kAppWaitMs && !thread.Terminated();
                     waited += kSliceMs) {
                    if (started.process->WaitForExit(std::min(kSliceMs, kAppWaitMs - waited)))
                        break;
                }
                started.process.reset();
            }
            WorkerLog(thread, rec, "App started successfully (" + rec.AppPath + ")", kNotice);
        } else {
            WorkerLog(thread, rec, "App execute failed (" + rec.AppPath + ")", kError);
            StepFailed(thread, rec, AlarmStep::Application);
        }
    }

    if ((rec.Actions & kActionPoweroff) && deps_.countdown && !thread.Terminated()) {
        // The window's program-wide reference and the window itself belong to the GUI thread: it
        // is looked up and shown there, in one call that is refused once the stop has come.
        PowerOffCountdownPort* countdown = nullptr;
        thread.Synchronize([&] {
            countdown = deps_.countdown();
            if (!countdown)
                return;
            shownCountdown_ = countdown;
            if (OnCountdownShown)
                OnCountdownShown(rec);
            countdown->ShowCountdown(rec.Model, kCountdownSeconds, rec.CurrentTemp, rec.LimitTemp,
                                     rec.PoweroffMethod);
        });
        if (countdown) {
            countdown->WaitUntilClosed([&thread] { return thread.Terminated(); });
            if (!thread.Terminated() && countdown->PowerOffSucceeded())
                Pause(thread, kAfterPowerOffMs);
        } else if (!thread.Terminated()) {
            WorkerLog(thread, rec, "POWEROFF: no countdown window, nothing powered off", kError);
        }
    }
}

// A start of the user's application on a thread of its own. The shell's call cannot be cut short
// (a network path or a slow shell extension holds it for half a minute), and neither the worker
// nor the stop may wait for it: a start given up on ends there, releasing what it got.
struct TActionExecutor::PendingStart {
    std::mutex guard;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    AppLauncherPort::Result result;
    std::exception_ptr failure;
};

AppLauncherPort::Result TActionExecutor::OpenUnlessStopped(WorkerThreadPort& thread,
                                                           const std::string& path) {
    auto start = std::make_shared<PendingStart>();
    {
        std::lock_guard<std::mutex> lock(stepGuard_);
        if (thread.Terminated())
            return {};
        // It holds its own copies of the path, the shared state and the launcher: the executor
        // may go while the start still runs.
        std::thread([start, launcher = deps_.launcher, path] {
            AppLauncherPort::Result result;
            std::exception_ptr failure;
            try {
                result = launcher->Open(path);
            } catch (...) {
                failure = std::current_exception();
            }
            std::lock_guard<std::mutex> lock(start->guard);
            if (start->abandoned)
                return; // the process handle, if any, is released here
            start->result = std::move(result);
            start->failure = failure;
            start->done = true;
            start->finished.notify_all();
        }).detach();
    }
    std::unique_lock<std::mutex> lock(start->guard);
    while (!start->finished.wait_for(lock, std::chrono::milliseconds(kSliceMs),
                                     [&] { return start->done; })) {
        if (thread.Terminated()) {
            start->abandoned = true;
            return {};
        }
    }
    if (start->failure)
        std::rethrow_exception(start->failure);
    return std::move(start->result);
}

bool TActionExecutor::PlaySoundFile(WorkerThreadPort& thread, const std::string& path) {
    if (!deps_.files.FileExists(path))
        return false;
    try {
        SoundPlayerPort& player = *soundPlayer_;
        player.Stop();
        player.SetWait(true);
        player.SetFileName(path);
        player.SeekToStart();
        player.SetTimeFormatMilliseconds();
        const uint32_t length = player.Length();
        const uint32_t playFor = std::min(length, kSoundLimitMs);
        // The play itself does not wait: the device plays on while the worker watches the
        // position and the stop, and a stop ends the sound at once.
        player.SetWait(false);
        const bool accepted =
            length >= kSoundLimitMs ? player.PlayFor(kSoundLimitMs) : player.Play();
        player.SetWait(true);
        if (!accepted)
            return false;
        for (uint32_t waited = 0;; waited += kSliceMs) {
            if (thread.Terminated()) {
                // Stopped at once: a stop alone waits for what the device has queued (most of
                // a second under Wine).
                player.Pause();
                player.Stop();
                break;
            }
            // Ended once the sound's length has passed and the position, from 0, is within a
            // slice of its end: some devices report the position of the data handed on, ahead of
            // what is heard. A device that fails or never gets there is given up on well after
            // the sound's length.
            const uint32_t at = player.Position();
            if (player.LastError() != 0 || (waited >= playFor && at + kSliceMs >= playFor) ||
                waited >= playFor + kSoundSlackMs)
                break;
            deps_.sleep(kSliceMs);
        }
        return true;
    } catch (...) {
        return false;
    }
}

void TActionExecutor::WorkerLog(WorkerThreadPort& thread, const TActionRec& rec,
                                const std::string& message, int32_t level) {
    const std::string text = MakeLogHandoff(true, level, rec.LogFileName, message);
    TLogger& logger = deps_.logger;
    // The logger belongs to the GUI thread; the worker waits until the line is written.
    thread.Synchronize([&logger, &text] { WriteLogHandoff(logger, text); });
}

void TActionExecutor::StepFailed(WorkerThreadPort& thread, const TActionRec& rec, AlarmStep step) {
    thread.Synchronize([this, &rec, step] {
        if (OnStepFailed)
            OnStepFailed(rec, step);
    });
}

void TActionExecutor::ReportActionFailure(WorkerThreadPort& thread, const TActionRec& rec) {
    try {
        WorkerLog(thread, rec, "Action failed (exception: " + CurrentExceptionText() + ")", kError);
    } catch (...) {
        // The hand-off itself failed (out of memory): nothing can be written.
    }
}

void TActionExecutor::Pause(WorkerThreadPort& thread, uint32_t ms) {
    for (uint32_t slept = 0; slept < ms && !thread.Terminated(); slept += kSliceMs)
        deps_.sleep(std::min(kSliceMs, ms - slept));
}

} // namespace korvane
