// Timers of the GUI thread.
#include "toolkit/timer_win.h"

#include "toolkit/bound_window_win.h"
#include "toolkit/failure_report.h"
#include "toolkit/handles_win.h"
#include "toolkit/text.h"
#include "toolkit/win32.h"

#include <set>

namespace korvane {

// The hidden window whose WM_TIMER messages carry the timer object as their id. It lives while
// any timer that was ever enabled lives.
class TimerWindow : private BoundWindow {
  public:
    TimerWindow() {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = Procedure();
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        RegisterClassExA(&wc);
        window_.Reset(CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      instance, BindParam()));
    }

    HWND Handle() const { return window_.Get(); }
    void Add(Timer* timer) { live_.insert(timer); }
    void Remove(Timer* timer) { live_.erase(timer); }

  private:
    static constexpr const char* kClassName = "KorvaneMonitor_Timers";

    LRESULT HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER) {
            // A WM_TIMER already queued when its timer was freed must not reach the freed object.
            auto* timer = reinterpret_cast<Timer*>(wParam);
            if (live_.count(timer)) {
                try {
                    timer->Tick();
                } catch (...) {
                    // A poll or a countdown step failed: its timer's period tells which.
                    ReportFailure("the tick of a " + IntToStr(timer->Interval()) + " ms timer");
                }
            }
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    std::set<Timer*> live_;
    ScopedWindow window_; // goes first, while the set is still there
};

namespace {

// The one shared window, held by the timers themselves: a weak reference only.
std::weak_ptr<TimerWindow>& SharedTimerWindow() {
    static std::weak_ptr<TimerWindow> shared;
    return shared;
}

} // namespace

Timer::Timer(int32_t interval) : interval_(EffectiveTimerInterval(interval)) {}

Timer::~Timer() {
    SetEnabled(false);
    if (window_)
        window_->Remove(this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled) {
        if (!window_) {
            window_ = SharedTimerWindow().lock();
            if (!window_) {
                window_ = std::make_shared<TimerWindow>();
                SharedTimerWindow() = window_;
            }
        }
        window_->Add(this);
        // An interval changed to 0 or less ticks at the default pace, never as fast as possible.
        SetTimer(window_->Handle(), reinterpret_cast<UINT_PTR>(this),
                 static_cast<UINT>(EffectiveTimerInterval(interval_)), nullptr);
    } else if (window_) {
        KillTimer(window_->Handle(), reinterpret_cast<UINT_PTR>(this));
        window_->Remove(this);
    }
}

void Timer::SetInterval(int32_t milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    if (enabled_) {
        SetEnabled(false);
        SetEnabled(true);
    }
}

void Timer::Tick() {
    if (OnTick)
        OnTick(*this);
}

} // namespace korvane
