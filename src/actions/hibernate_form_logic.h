// The countdown window's behaviour apart from Win32: texts, the 20-second countdown, cancel and
// the power-off decision with its log lines.
#pragma once

#include "actions/shutdown.h"
#include "toolkit/product.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace korvane {

class AppServicesPort;
class TimerPort;
class ToolkitPort;
class TLogger;
class TOptions;

inline constexpr const char* kPowerOffCaption = kProductName;
inline constexpr const char* kCancelCaption = "&Cancel";
inline constexpr const char* kPowerOffFailedText =
    "Shutdown failed!\r\rPlease turn off the computer manually and allow your hard disk to cool "
    "down.";
inline constexpr const char* kMethodNames[] = {"Shutdown", "Hibernate"};

// The message label's text; temperatures as the UseCelsius setting shows them.
std::string CountdownMessage(int32_t currentTemp, int32_t limitTemp, int32_t seconds,
                             bool useCelsius);
// The power-off button's caption: the method's name, then " (n) " while n seconds are left;
// empty for an index that names no method (the caption is then left as it is).
std::string PowerOffCaptionFor(int32_t methodIndex, int32_t countdown);

// What the countdown asks of its window.
class CountdownView {
  public:
    virtual ~CountdownView() = default;
    virtual void SetHeading(const std::string& text) = 0;
    virtual void SetMessage(const std::string& text) = 0;
    virtual void SetPowerOffCaption(const std::string& text) = 0;
    // -1 when nothing is selected; an index beyond the list selects nothing.
    virtual int32_t SelectedMethod() const = 0;
    virtual void SelectMethod(int32_t index) = 0;
    // Cancel button reset, power-off button and list shown, window centred on the work area,
    // shown in front, painted at once.
    virtual void Present() = 0;
    virtual void FocusPowerOffButton() = 0;
    virtual bool Shown() const = 0;
    // Posts the close request; the close handler hides the window later.
    virtual void RequestClose() = 0;
    virtual void Hide() = 0;
    // The toolkit's single message step, on the calling thread.
    virtual void ProcessOneMessage() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // The unowned warning box; returns when the user has closed it.
    virtual void ShowPowerOffFailed() = 0;
};

struct CountdownDeps {
    ToolkitPort& toolkit;
    PowerOffEngine& engine;
    TLogger& logger;
    TOptions& options;
    AppServicesPort& app;
    std::function<void()> resetBeforeHibernate; // the drive list's ResetBeforeHibernate
};

class HibernateCountdown {
  public:
    static constexpr int32_t kTickMs = 1000;

    HibernateCountdown(const CountdownDeps& deps, CountdownView& view);
    ~HibernateCountdown();
    HibernateCountdown(const HibernateCountdown&) = delete;
    HibernateCountdown& operator=(const HibernateCountdown&) = delete;

    // The method list's entries: "Shutdown", and "Hibernate" when the engine offers it.
    int32_t MethodCount() const { return methodCount_; }

    void ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                       int32_t limitTemp, int32_t method);
    // Worker thread: returns when the window is hidden and no power-off decision is still being
    // made, or once `stopRequested` turns true. Reads only the flags below.
    void WaitUntilClosed(const std::function<bool()>& stopRequested);
    bool PowerOffSucceeded() const { return powerOffSucceeded_; }
    // Ends the countdown without a power-off and hides the window now, not through a posted close
    // request that no message loop may take any more.
    void Dismiss();
    int32_t Countdown() const { return countdown_; }
    bool Counting() const;

    void RefreshPowerOffCaption();
    // A tick of a timer already stopped (still queued when it stopped) does nothing.
    void Tick();
    void CancelPowerOff();
    void PowerOffNow();
    // The close box or a close request: the window hides, the countdown goes on.
    void CloseQuery(bool& accept);
    // Enter on a button: Cancel cancels, the power-off button powers off; Escape cancels.
    void KeyOnButton(bool onCancelButton, uint32_t key);

    // The countdown's ends, for the event log: cancelled by the user, a power-off asked of the
    // engine (before it answers), and one the engine refused. `method` 0 shutdown, 1 hibernate.
    std::function<void()> OnCancelled;
    std::function<void(int32_t method)> OnPowerOffRequested;
    std::function<void(int32_t method)> OnPowerOffFailed;

  private:
    // The method itself when the list offers it, otherwise shutdown, with a debug-log line.
    int32_t UsableMethod(int32_t method);
    void Decide(int32_t method);
    void Log(const std::string& message);
    void ReportFailure(const char* line, int32_t method);

    CountdownDeps deps_;
    CountdownView& view_;
    std::unique_ptr<TimerPort> timer_;
    // Read by the worker while the GUI thread decides: the window hides before the engine
    // answers, so the wait also covers the decision.
    std::atomic<bool> powerOffSucceeded_{false};
    std::atomic<bool> deciding_{false};
    // From ShowCountdown until the window hides: what the worker waits on, instead of asking the
    // window, which belongs to the GUI thread.
    std::atomic<bool> open_{false};
    int32_t countdown_ = 0;
    int32_t methodCount_ = 1;
};

} // namespace korvane
