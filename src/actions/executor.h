// TActionExecutor: the queue of alarm records and the single worker that carries them out.
#pragma once

#include "actions/action_launcher.h"
#include "actions/action_rec.h"
#include "settings/alarm_settings.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>

namespace korvane {

class FileSystemPort;
class PowerOffCountdownPort;
class SoundPlayerPort;
class ToolkitPort;
class WorkerThreadPort;
class TDrive;
class TLogger;
class TTrayMessages;

// Codes of the worker's log hand-off: temperature log or debug log, notice or error.
inline constexpr char kHandoffTemperatureNotice = '0';
inline constexpr char kHandoffTemperatureError = '1';
inline constexpr char kHandoffDebugNotice = '2';
inline constexpr char kHandoffDebugError = '3';

// code + fileName + ";" + message.
std::string MakeLogHandoff(bool debugLog, int32_t level, const std::string& fileName,
                           const std::string& message);
// Takes a hand-off text apart on the GUI thread and writes it.
void WriteLogHandoff(TLogger& logger, const std::string& text);

// The queuing side, as the alarm dispatch sees it.
class ActionQueuePort {
  public:
    virtual ~ActionQueuePort() = default;
    // `level` 1 warning, 2 critical; `limitTemp` that level in force for the disk, in °C.
    virtual void QueueAction(uint8_t level, TDrive& drive, const AlarmSettings& alarm,
                             int32_t limitTemp) = 0;
};

// The steps whose failure the owner hears of.
enum class AlarmStep : uint8_t { Sound, Application };

struct ExecutorDeps {
    ToolkitPort& toolkit;
    TTrayMessages& trayMessages;
    TLogger& logger; // GUI thread only: reached through the hand-off
    FileSystemPort& files;
    // Shared with a start the stop gave up on: it may still be running when the executor goes.
    std::shared_ptr<AppLauncherPort> launcher;
    // The countdown window; null while it does not exist.
    std::function<PowerOffCountdownPort*()> countdown;
    // Sleeps on the worker thread; the tests replace it.
    std::function<void(uint32_t ms)> sleep;
    // Passes one idle turn of the worker when the queue is empty; the tests replace it. By
    // default the worker waits until a record is queued or the stop comes, without waking.
    std::function<void()> idle;
};

class TActionExecutor final : public ActionQueuePort {
  public:
    static constexpr uint32_t kAppWaitMs = 10000;
    static constexpr uint32_t kAfterPowerOffMs = 5000;
    static constexpr int32_t kCountdownSeconds = 20;
    static constexpr uint32_t kMessageTimeMs = 8000;
    static constexpr uint32_t kSoundLimitMs = 20000;
    // How much longer than its length a sound is waited for before it counts as ended: the
    // device may be slow to start.
    static constexpr uint32_t kSoundSlackMs = 3000;
    // How long Stop waits for the worker to notice; every step notices within a second.
    static constexpr uint32_t kStopLimitMs = 10000;

    // The sound player, the empty queue, then the worker, which starts at once.
    explicit TActionExecutor(ExecutorDeps deps);
    // Stop, then the thread, the queue and the player go.
    ~TActionExecutor() override;
    TActionExecutor(const TActionExecutor&) = delete;
    TActionExecutor& operator=(const TActionExecutor&) = delete;

    // GUI thread: builds the record, appends it and returns.
    void QueueAction(uint8_t level, TDrive& drive, const AlarmSettings& alarm,
                     int32_t limitTemp) override;

    // GUI thread. Stops the worker at its next look (within a second in every step: a sound is
    // stopped, a message box closed, the start of an application, the wait for it or a countdown
    // given up), hides a countdown it shows, and drops the waiting records. No start begins
    // afterwards. Again is harmless.
    void Stop();

    size_t QueueLength() const;
    WorkerThreadPort& Worker() { return *worker_; }

    // On the GUI thread, through the worker's synchronous call; set before the first record.
    std::function<void(const TActionRec& rec, AlarmStep step)> OnStepFailed;
    std::function<void(const TActionRec& rec)> OnCountdownShown;

  private:
    // The thread is handed in: the body may start before the constructor has stored it.
    uint32_t WorkerBody(WorkerThreadPort& thread);
    void ExecuteAction(WorkerThreadPort& thread, const TActionRec& rec);
    bool PlaySoundFile(WorkerThreadPort& thread, const std::string& path);
    struct PendingStart;
    // Starts the application unless the stop has come first (see stepGuard_), and waits for the
    // start until it returns or the stop comes; a start given up on yields "not started".
    AppLauncherPort::Result OpenUnlessStopped(WorkerThreadPort& thread, const std::string& path);
    // Inside the catch of a record's exception: the error line through the hand-off.
    void ReportActionFailure(WorkerThreadPort& thread, const TActionRec& rec);
    void WorkerLog(WorkerThreadPort& thread, const TActionRec& rec, const std::string& message,
                   int32_t level);
    void StepFailed(WorkerThreadPort& thread, const TActionRec& rec, AlarmStep step);
    // Sleeps in short slices so that a stop is noticed.
    void Pause(WorkerThreadPort& thread, uint32_t ms);
    // Returns when a record waits or the stop has come; an idle worker does not wake before.
    void WaitForRecord(WorkerThreadPort& thread);

    ExecutorDeps deps_;
    std::unique_ptr<SoundPlayerPort> soundPlayer_;
    mutable std::mutex queueGuard_;
    std::list<TActionRec> queue_;
    // Notified when a record is queued and when the stop comes, after queueGuard_ was taken for
    // the change: a worker is then either before its look or already waiting, so no wake-up is
    // missed and the idle wait needs no time-out.
    std::condition_variable queueChanged_;
    // Held by the worker while it looks at the stop and sets off an application's start, and by
    // Stop while it sets the stop: no start begins after the stop. One already under way is not
    // waited for; it may still complete while the program ends, and nothing of its record runs
    // after it.
    std::mutex stepGuard_;
    // The countdown the worker has shown and is waiting for; Stop dismisses it.
    std::atomic<PowerOffCountdownPort*> shownCountdown_{nullptr};
    bool stopped_ = false; // GUI thread
    // Last: it is stopped before the queue and the player go.
    std::unique_ptr<WorkerThreadPort> worker_;
};

} // namespace korvane
