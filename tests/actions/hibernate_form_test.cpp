// The countdown's behaviour natively: texts, ticks, cancel, power-off now, failures, the close box.
#include "actions/hibernate_form_logic.h"

#include "monitor_rig.h"
#include "recording_engine.h"
#include "settings/keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

// A window that hides when its posted close request is processed, as the real one does.
class FakeView final : public CountdownView {
  public:
    void SetHeading(const std::string& text) override { heading = text; }
    void SetMessage(const std::string& text) override { message = text; }
    void SetPowerOffCaption(const std::string& text) override { caption = text; }
    int32_t SelectedMethod() const override { return selected; }
    void SelectMethod(int32_t index) override { selected = index < items ? index : -1; }
    void Present() override {
        shown = true;
        ++presents;
    }
    void FocusPowerOffButton() override { focusOnPowerOff = true; }
    bool Shown() const override { return shown; }
    void RequestClose() override { closePosted = true; }
    void Hide() override { shown = false; }
    void ProcessOneMessage() override {
        ++messageSteps;
        if (closePosted && onClose) {
            closePosted = false;
            bool accept = true;
            onClose(accept);
        }
        if (onStep)
            onStep();
    }
    void Sleep(uint32_t ms) override {
        slept += ms;
        if (onSleep)
            onSleep();
    }
    void ShowPowerOffFailed() override { ++failureBoxes; }

    std::function<void(bool&)> onClose;
    std::function<void()> onStep;
    std::function<void()> onSleep;
    std::string heading, message, caption;
    int32_t selected = -1;
    int32_t items = 2;
    bool shown = false, focusOnPowerOff = false, closePosted = false;
    int presents = 0, messageSteps = 0, failureBoxes = 0;
    uint32_t slept = 0;
};

struct Bench {
    explicit Bench(const std::string& name, bool hibernate = true) : rig(name) {
        engine.hibernate = hibernate;
        view.items = hibernate ? 2 : 1;
        countdown = std::make_unique<HibernateCountdown>(
            CountdownDeps{rig.toolkit, engine, *rig.logger, *rig.options, rig.app,
                          [this] { ++resets; }},
            view);
        view.onClose = [this](bool& accept) { countdown->CloseQuery(accept); };
        timer = rig.toolkit.timers.back();
    }
    std::vector<std::string> PowerOffLines() {
        std::vector<std::string> lines;
        for (const std::string& m : rig.DebugMessages())
            if (m.rfind("POWEROFF", 0) == 0)
                lines.push_back(m);
        return lines;
    }
    test::MonitorRig rig;
    test::RecordingEngine engine;
    FakeView view;
    int resets = 0;
    std::unique_ptr<HibernateCountdown> countdown;
    test::FakeTimer* timer = nullptr;
};

TEST(HibernateCountdown, TextsShowTemperaturesInTheChosenScale) {
    EXPECT_EQ("HDD temperature has exceeded maximum value: 55\xB0"
              "C\r\rCurrent HDD temperature: 57\xB0"
              "C. It's better to turn off the computer to allow hard disk to cool down.\r\rIn 20 "
              "seconds the computer will shutdown. You can avoid this by pressing 'Cancel'.",
              CountdownMessage(57, 55, 20, true));
    const std::string f = CountdownMessage(57, 55, 20, false);
    EXPECT_NE(std::string::npos, f.find("maximum value: 131\xB0"
                                        "F\r\r"));
    EXPECT_NE(std::string::npos, f.find("temperature: 134\xB0"
                                        "F."));
    EXPECT_EQ("Shutdown", PowerOffCaptionFor(0, 0));
    EXPECT_EQ("Hibernate (19) ", PowerOffCaptionFor(1, 19));
    EXPECT_EQ("", PowerOffCaptionFor(-1, 5));
    EXPECT_EQ("", PowerOffCaptionFor(2, 5));
}

TEST(HibernateCountdown, ShowPreparesTheWindowAndTheMessageFollowsUseCelsius) {
    Bench b("countdown_show");
    EXPECT_EQ(1000, b.timer->Interval());
    EXPECT_FALSE(b.timer->Enabled());
    EXPECT_EQ(2, b.countdown->MethodCount());
    b.rig.options->General().WriteBool(key::UseCelsius.name, false);
    b.countdown->ShowCountdown("WDC WD800JB-00JJC0", 20, 57, 55, 1);
    EXPECT_EQ("WDC WD800JB-00JJC0", b.view.heading);
    EXPECT_EQ(CountdownMessage(57, 55, 20, false), b.view.message);
    EXPECT_EQ(1, b.view.selected);
    EXPECT_EQ("Hibernate", b.view.caption); // the plain name for the first second
    EXPECT_TRUE(b.view.shown);
    EXPECT_TRUE(b.view.focusOnPowerOff);
    EXPECT_TRUE(b.timer->Enabled());
    EXPECT_EQ(20, b.countdown->Countdown());
    EXPECT_EQ(1, b.rig.app.taskbarSyncs);
}

TEST(HibernateCountdown, CountsDownThenShutsDownOnThe21stTick) {
    Bench b("countdown_ticks");
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    std::vector<std::string> captions;
    for (int i = 0; i < 20; ++i) {
        b.timer->Fire();
        captions.push_back(b.view.caption);
    }
    EXPECT_EQ("Shutdown (19) ", captions.front());
    EXPECT_EQ("Shutdown (1) ", captions[18]);
    EXPECT_EQ("Shutdown", captions[19]); // due: the plain name again
    EXPECT_TRUE(b.engine.Methods().empty());
    EXPECT_TRUE(b.view.shown);

    b.timer->Fire();
    EXPECT_EQ(std::vector<int32_t>{0}, b.engine.Methods());
    EXPECT_FALSE(b.timer->Enabled());
    EXPECT_FALSE(b.view.shown); // the close request was processed before the power-off
    EXPECT_TRUE(b.countdown->PowerOffSucceeded());
    EXPECT_EQ((std::vector<std::string>{"POWEROFF: try to shutdown", "POWEROFF: shutdown"}),
              b.PowerOffLines());
    EXPECT_EQ(0, b.view.failureBoxes);
    EXPECT_EQ(0, b.resets);
    EXPECT_EQ(1, b.rig.app.trims);
}

TEST(HibernateCountdown, CancelStopsEverythingAndLogsOnce) {
    Bench b("countdown_cancel");
    int cancels = 0;
    b.countdown->OnCancelled = [&] { ++cancels; };
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    b.timer->Fire();
    b.countdown->CancelPowerOff();
    EXPECT_EQ(1, cancels);
    EXPECT_FALSE(b.timer->Enabled());
    b.view.ProcessOneMessage(); // the posted close request arrives
    EXPECT_FALSE(b.view.shown);
    EXPECT_TRUE(b.engine.Methods().empty());
    EXPECT_FALSE(b.countdown->PowerOffSucceeded());
    EXPECT_EQ(std::vector<std::string>{"POWEROFF: Canceled by user"}, b.PowerOffLines());
    EXPECT_EQ(1, b.rig.app.trims);
}

TEST(HibernateCountdown, KeysOnTheButtons) {
    Bench b("countdown_keys");
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    b.countdown->KeyOnButton(false, 'A');
    b.countdown->KeyOnButton(true, 'A');
    EXPECT_TRUE(b.timer->Enabled());
    b.countdown->KeyOnButton(false, 27); // Escape on the power-off button cancels
    EXPECT_TRUE(b.engine.Methods().empty());
    EXPECT_FALSE(b.timer->Enabled());

    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    b.countdown->KeyOnButton(true, 13); // Enter on Cancel cancels
    EXPECT_TRUE(b.engine.Methods().empty());

    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    b.countdown->KeyOnButton(false, 13); // Enter on the focused power-off button: at once
    EXPECT_EQ(std::vector<int32_t>{0}, b.engine.Methods());
    EXPECT_EQ((std::vector<std::string>{"POWEROFF: Canceled by user", "POWEROFF: Canceled by user",
                                        "POWEROFF: try to shutdown", "POWEROFF: shutdown"}),
              b.PowerOffLines());
}

TEST(HibernateCountdown, ChangingToHibernateKeepsTheSecondsAndEndsInAHibernate) {
    Bench b("countdown_switch");
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    for (int i = 0; i < 5; ++i)
        b.timer->Fire();
    b.view.selected = 1;
    b.countdown->RefreshPowerOffCaption();
    EXPECT_EQ("Hibernate (15) ", b.view.caption);
    for (int i = 0; i < 16; ++i)
        b.timer->Fire();
    EXPECT_EQ(std::vector<int32_t>{1}, b.engine.Methods());
    EXPECT_EQ(1, b.resets); // disks back to normal before the machine sleeps
    EXPECT_EQ((std::vector<std::string>{"POWEROFF: try to hibernate", "POWEROFF: hibernate"}),
              b.PowerOffLines());
}

TEST(HibernateCountdown, FailuresAreLoggedAndShownOnceWithoutFallback) {
    Bench b("countdown_fail");
    b.engine.accepts = false;
    // Each request is told before the engine answers, each failure after.
    std::vector<std::string> told;
    b.countdown->OnPowerOffRequested = [&](int32_t m) {
        told.push_back("request " + std::to_string(m) + " asked " +
                       std::to_string(b.engine.Methods().size()));
    };
    b.countdown->OnPowerOffFailed = [&](int32_t m) {
        told.push_back("failed " + std::to_string(m));
    };
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    b.countdown->PowerOffNow();
    EXPECT_FALSE(b.countdown->PowerOffSucceeded());
    EXPECT_EQ(1, b.view.failureBoxes);
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 1);
    b.countdown->PowerOffNow();
    EXPECT_EQ((std::vector<int32_t>{0, 1}), b.engine.Methods()); // no shutdown after the hibernate
    EXPECT_EQ(2, b.view.failureBoxes);
    EXPECT_EQ(
        (std::vector<std::string>{"POWEROFF: try to shutdown", "POWEROFF: shutdown failed",
                                  "POWEROFF: try to hibernate", "POWEROFF: hibernate failed"}),
        b.PowerOffLines());
    EXPECT_FALSE(b.view.shown);
    EXPECT_EQ((std::vector<std::string>{"request 0 asked 0", "failed 0", "request 1 asked 1",
                                        "failed 1"}),
              told);
}

TEST(HibernateCountdown, AMethodTheSystemCannotCarryOutFallsBackToShutdownAndSaysSo) {
    Bench b("countdown_nohibernate", false);
    EXPECT_EQ(1, b.countdown->MethodCount());
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 1);
    EXPECT_EQ(0, b.view.selected);
    EXPECT_EQ("Shutdown", b.view.caption);
    for (int i = 0; i < 21; ++i)
        b.timer->Fire();
    EXPECT_EQ(std::vector<int32_t>{0}, b.engine.Methods());
    EXPECT_TRUE(b.countdown->PowerOffSucceeded());
    // A value set by hand (255 once cut to the record's byte) and a list left without a selection.
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 255);
    b.view.selected = -1;
    b.countdown->PowerOffNow();
    EXPECT_EQ((std::vector<int32_t>{0, 0}), b.engine.Methods());
    EXPECT_EQ((std::vector<std::string>{"POWEROFF: hibernate not available, using shutdown",
                                        "POWEROFF: try to shutdown", "POWEROFF: shutdown",
                                        "POWEROFF: method 255 not available, using shutdown",
                                        "POWEROFF: method -1 not available, using shutdown",
                                        "POWEROFF: try to shutdown", "POWEROFF: shutdown"}),
              b.PowerOffLines());
}

TEST(HibernateCountdown, TheCloseBoxHidesButTheCountdownGoesOn) {
    Bench b("countdown_closebox");
    b.countdown->ShowCountdown("Disk", 3, 60, 55, 0);
    bool accept = true;
    b.countdown->CloseQuery(accept);
    EXPECT_FALSE(accept);
    EXPECT_FALSE(b.view.shown);
    b.countdown->WaitUntilClosed({}); // returns at once: the window is hidden
    EXPECT_TRUE(b.timer->Enabled());
    EXPECT_TRUE(b.PowerOffLines().empty());
    for (int i = 0; i < 4; ++i)
        b.timer->Fire();
    EXPECT_EQ(std::vector<int32_t>{0}, b.engine.Methods());
}

TEST(HibernateCountdown, WaitUntilClosedEndsOnceHiddenOrStoppedAndStepsNoMessages) {
    Bench b("countdown_wait");
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    int sleeps = 0;
    b.view.onSleep = [&] {
        if (++sleeps == 3) {
            b.countdown->CancelPowerOff();
            b.view.ProcessOneMessage(); // the GUI thread's loop takes the posted close
        }
    };
    b.countdown->WaitUntilClosed([] { return false; });
    EXPECT_FALSE(b.view.shown);
    EXPECT_EQ(3, sleeps);
    EXPECT_EQ(1, b.view.messageSteps); // the waiting thread took none of the window's messages
    EXPECT_EQ(30u, b.view.slept);

    // A stop request ends the wait while the window is still shown.
    b.countdown->ShowCountdown("Disk", 20, 60, 55, 0);
    sleeps = 0;
    b.view.onSleep = [&] { ++sleeps; };
    b.countdown->WaitUntilClosed([&] { return sleeps == 2; });
    EXPECT_EQ(2, sleeps);
    EXPECT_TRUE(b.view.shown);
    EXPECT_TRUE(b.timer->Enabled());
}

TEST(HibernateCountdown, DismissHidesAtOnceAndNoLaterTickPowersOff) {
    Bench b("countdown_dismiss");
    b.countdown->ShowCountdown("Disk", 1, 60, 55, 0);
    b.timer->Fire();
    b.countdown->Dismiss();
    EXPECT_FALSE(b.view.shown); // hidden now, not by a posted request
    EXPECT_FALSE(b.view.closePosted);
    EXPECT_FALSE(b.timer->Enabled());
    b.countdown->WaitUntilClosed({}); // nothing left to wait for
    // Ticks already queued when the timer stopped still arrive; the countdown was due.
    for (int i = 0; i < 3; ++i)
        b.timer->Fire();
    EXPECT_TRUE(b.engine.Methods().empty());
    EXPECT_TRUE(b.PowerOffLines().empty());
    EXPECT_FALSE(b.countdown->PowerOffSucceeded());

    // The same after a cancel.
    b.countdown->ShowCountdown("Disk", 0, 60, 55, 0);
    b.countdown->CancelPowerOff();
    b.timer->Fire();
    EXPECT_TRUE(b.engine.Methods().empty());
    // A dismissed countdown may be shown again and runs as before.
    b.countdown->ShowCountdown("Disk", 0, 60, 55, 0);
    b.timer->Fire();
    EXPECT_EQ(std::vector<int32_t>{0}, b.engine.Methods());
}

} // namespace
} // namespace korvane
