// HibernateCountdown: the countdown, its captions and the power-off it ends in.
#include "actions/hibernate_form_logic.h"

#include "drives/drive.h"
#include "log/logger.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/app_services.h"
#include "toolkit/text.h"
#include "toolkit/toolkit.h"

namespace korvane {

namespace {
constexpr uint32_t kKeyEnter = 13;
constexpr uint32_t kKeyEscape = 27;
} // namespace

std::string CountdownMessage(int32_t currentTemp, int32_t limitTemp, int32_t seconds,
                             bool useCelsius) {
    auto text = [useCelsius](int32_t t) { return useCelsius ? CelsiusText(t) : FahrenheitText(t); };
    return Format("HDD temperature has exceeded maximum value: %s\r\rCurrent HDD temperature: %s. "
                  "It's better to turn off the computer to allow hard disk to cool down.\r\rIn %d "
                  "seconds the computer will shutdown. You can avoid this by pressing 'Cancel'.",
                  text(limitTemp).c_str(), text(currentTemp).c_str(), seconds);
}

std::string PowerOffCaptionFor(int32_t methodIndex, int32_t countdown) {
    if (methodIndex < 0 || methodIndex > 1)
        return {};
    std::string caption = kMethodNames[methodIndex];
    if (countdown > 0)
        caption += " (" + IntToStr(countdown) + ") ";
    return caption;
}

HibernateCountdown::HibernateCountdown(const CountdownDeps& deps, CountdownView& view)
    : deps_(deps), view_(view), timer_(deps.toolkit.CreateTimer(kTickMs)) {
    timer_->OnTick = [this](TimerPort&) { Tick(); };
    methodCount_ = deps_.engine.HibernateAvailable() ? 2 : 1;
}

HibernateCountdown::~HibernateCountdown() {
    timer_->SetEnabled(false);
}

bool HibernateCountdown::Counting() const {
    return timer_->Enabled();
}

void HibernateCountdown::ShowCountdown(const std::string& heading, int32_t seconds,
                                       int32_t currentTemp, int32_t limitTemp, int32_t method) {
    powerOffSucceeded_ = false;
    view_.SetHeading(heading);
    countdown_ = 0;
    view_.SelectMethod(UsableMethod(method));
    RefreshPowerOffCaption();
    countdown_ = seconds;
    timer_->SetEnabled(true);
    const bool celsius = deps_.options.General().ReadBool(key::UseCelsius.name);
    view_.SetMessage(CountdownMessage(currentTemp, limitTemp, seconds, celsius));
    view_.Present();
    open_ = true;
    deps_.app.SyncTaskbarButton();
    view_.FocusPowerOffButton();
}

void HibernateCountdown::WaitUntilClosed(const std::function<bool()>& stopRequested) {
    // The worker has no window of its own to serve meanwhile; the close request posted to this
    // window is taken by the GUI thread's loop.
    while ((open_ || deciding_) && !(stopRequested && stopRequested()))
        view_.Sleep(10);
}

void HibernateCountdown::Dismiss() {
    timer_->SetEnabled(false);
    countdown_ = 0;
    if (view_.Shown()) {
        view_.Hide();
        deps_.app.SyncTaskbarButton();
    }
    open_ = false;
}

void HibernateCountdown::RefreshPowerOffCaption() {
    const std::string caption = PowerOffCaptionFor(view_.SelectedMethod(), countdown_);
    if (!caption.empty())
        view_.SetPowerOffCaption(caption);
}

void HibernateCountdown::Tick() {
    if (!timer_->Enabled())
        return; // cancelled or dismissed: it must not power off
    if (countdown_ > 0) {
        --countdown_;
        RefreshPowerOffCaption();
        return;
    }
    timer_->SetEnabled(false);
    PowerOffNow();
}

void HibernateCountdown::CancelPowerOff() {
    timer_->SetEnabled(false);
    view_.RequestClose();
    Log("POWEROFF: Canceled by user");
    if (OnCancelled)
        OnCancelled();
    deps_.app.TrimWorkingSet();
}

void HibernateCountdown::PowerOffNow() {
    deciding_ = true;
    // Let the window vanish before the system starts going down.
    view_.RequestClose();
    view_.Sleep(5);
    view_.ProcessOneMessage();
    view_.Sleep(5);
    const int32_t method = UsableMethod(view_.SelectedMethod());
    timer_->SetEnabled(false);
    countdown_ = 0;
    if (OnPowerOffRequested)
        OnPowerOffRequested(method);
    if (method == kPowerOffShutdown) {
        Log("POWEROFF: try to shutdown");
        Decide(kPowerOffShutdown);
        if (powerOffSucceeded_)
            Log("POWEROFF: shutdown");
        else
            ReportFailure("POWEROFF: shutdown failed", kPowerOffShutdown);
    } else if (method == kPowerOffHibernate) {
        if (deps_.resetBeforeHibernate)
            deps_.resetBeforeHibernate();
        Log("POWEROFF: try to hibernate");
        Decide(kPowerOffHibernate);
        if (powerOffSucceeded_)
            Log("POWEROFF: hibernate");
        else
            ReportFailure("POWEROFF: hibernate failed", kPowerOffHibernate);
    }
    deciding_ = false;
    deps_.app.TrimWorkingSet();
}

int32_t HibernateCountdown::UsableMethod(int32_t method) {
    if (method >= 0 && method < methodCount_)
        return method;
    // A method the system cannot carry out (hibernate without hibernation, a value set by hand)
    // must not let the countdown end without a power-off.
    const std::string name =
        method == kPowerOffHibernate ? std::string("hibernate") : "method " + IntToStr(method);
    deps_.logger.Log(kDebugLog, "", "POWEROFF: " + name + " not available, using shutdown",
                     kWarning);
    return kPowerOffShutdown;
}

void HibernateCountdown::Decide(int32_t method) {
    powerOffSucceeded_ = deps_.engine.PowerOff(method);
    // The result is known: the worker may go on while the user reads a failure message.
    deciding_ = false;
}

void HibernateCountdown::CloseQuery(bool& accept) {
    accept = false;
    view_.Hide();
    open_ = false;
    deps_.app.SyncTaskbarButton();
}

void HibernateCountdown::KeyOnButton(bool onCancelButton, uint32_t key) {
    if (key == kKeyEscape || (key == kKeyEnter && onCancelButton))
        CancelPowerOff();
    else if (key == kKeyEnter)
        PowerOffNow();
}

void HibernateCountdown::Log(const std::string& message) {
    deps_.logger.Log(kDebugLog, "", message, kNotice);
}

void HibernateCountdown::ReportFailure(const char* line, int32_t method) {
    Log(line);
    if (OnPowerOffFailed)
        OnPowerOffFailed(method);
    view_.ShowPowerOffFailed();
}

} // namespace korvane
