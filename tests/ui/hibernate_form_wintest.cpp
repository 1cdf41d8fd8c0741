// The countdown window under Wine: shown from a worker thread, counting in its button, Cancel,
// power-off with the chosen method, Enter at once, and a screenshot.
#include "ui/hibernate_form_win.h"

#include "log/logger.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"
#include "toolkit/toolkit_win.h"

#include "app_program_win.h"
#include "data_folder_rig_win.h"
#include "recording_engine.h"
#include "settings/profile_win.h"
#include "test_env.h"
#include "text_fit_win.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"
#include "toolkit/forms/dpi_win.h"
#include "toolkit_fakes.h"
#include "toolkit_wait_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace korvane {
namespace {

class HibernateFormTest : public ::testing::Test, protected test::LoggedDataFolder {
  protected:
    HibernateFormTest() : LoggedDataFolder("hibernate_form") {}
    void SetUp() override { MakeForm(); }
    // The method list is filled when the window is made, from what the engine offers then.
    void MakeForm() {
        form = std::make_unique<THibernateForm>(
            CountdownDeps{toolkit, engine, *logger, options, app, [this] { ++resets; }}, window,
            resources.Get());
    }
    void TearDown() override {
        if (worker.joinable()) {
            form->Dismiss();
            worker.join();
        }
    }
    // What the alarm worker does: show, wait, read the result.
    void ShowFromWorker(int32_t method) {
        worker = std::thread([this, method] {
            form->ShowCountdown("WDC WD800JB-00JJC0", 20, 57, 55, method);
            form->WaitUntilClosed({});
            succeeded = form->PowerOffSucceeded();
            workerDone = true;
        });
        ASSERT_TRUE(Pump([&] { return IsWindowVisible(Hwnd()) != FALSE; }));
    }
    bool Pump(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
        return test::PumpUntil(done, timeoutMs, [&] { return window.ProcessOneMessage(); });
    }
    HWND Hwnd() { return form->Window().Handle(); }
    HWND Button(const std::string& text) { return test::ui::FindByText(Hwnd(), text, "Button"); }
    HWND PowerOffButton() { return test::ui::FindDescendant(Hwnd(), "Button", 2); }
    std::string DebugLog() { return test::ReadFileBytes(dir + "\\debug.log"); }

    AppWindow window;
    const std::unique_ptr<ToolkitPort> win32Toolkit = CreateWin32Toolkit(window);
    ToolkitPort& toolkit = *win32Toolkit;
    test::FakeAppServices app;
    test::RecordingEngine engine;
    test::ProgramResources resources; // the window's icon and picture
    int resets = 0;
    std::unique_ptr<THibernateForm> form;
    std::thread worker;
    std::atomic<bool> workerDone{false};
    std::atomic<bool> succeeded{false};
};

TEST_F(HibernateFormTest, ShownFromTheWorkerOnTopCountingAndCancelledWithoutPowerOff) {
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    RECT outer{};
    GetWindowRect(Hwnd(), &outer);
    EXPECT_EQ(350, outer.right - outer.left);
    EXPECT_EQ(216, outer.bottom - outer.top);
    ShowFromWorker(0);

    EXPECT_NE(0, GetWindowLongA(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ("Korvane", test::ui::Text(Hwnd()));
    const auto texts = test::ui::AllTexts(Hwnd());
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "WDC WD800JB-00JJC0"));
    HWND combo = test::ui::FindDescendant(Hwnd(), "ComboBox");
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(2, test::ui::ComboCount(combo));
    EXPECT_EQ(0, test::ui::ComboSelection(combo));
    HWND powerOff = PowerOffButton();
    EXPECT_EQ(powerOff, GetFocus()); // Enter would power off at once
    EXPECT_TRUE(Pump([&] { return test::ui::Text(powerOff) == "Shutdown (18) "; }));
    EXPECT_FALSE(workerDone);
    const std::string png = test::ui::SaveWindowPng(Hwnd(), "hibernate_form_countdown");
    EXPECT_FALSE(png.empty());

    HWND cancel = Button("&Cancel");
    ASSERT_NE(nullptr, cancel);
    // Moved to monitors of other scales while counting: every control at its scaled place and
    // every text, the counting caption included, in its control; back at 100 % all as before.
    for (const int dpi : {120, 144, 168, 192, 96}) {
        SCOPED_TRACE(dpi);
        GetWindowRect(Hwnd(), &outer);
        RECT place{outer.left, outer.top, outer.left + forms::ScaleToDpi(350, dpi),
                   outer.top + forms::ScaleToDpi(216, dpi)};
        SendMessageA(Hwnd(), forms::kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&place));
        RECT button{};
        GetWindowRect(cancel, &button);
        EXPECT_EQ(forms::ScaleToDpi(100, dpi), button.right - button.left);
        EXPECT_EQ(std::vector<std::string>{}, test::ClippedTexts(Hwnd(), dpi));
        if (dpi == 144 || dpi == 192) {
            EXPECT_FALSE(
                test::ui::SaveWindowPng(Hwnd(), "hibernate_form_countdown_" + std::to_string(dpi))
                    .empty());
        }
    }
    RECT client{};
    GetClientRect(Hwnd(), &client);
    RECT c{};
    GetWindowRect(cancel, &c);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&c), 2);
    EXPECT_EQ(client.right - 110, c.left);
    test::ui::Click(cancel);
    EXPECT_TRUE(Pump([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_FALSE(succeeded);
    EXPECT_TRUE(engine.Methods().empty());
    EXPECT_NE(std::string::npos, DebugLog().find("POWEROFF: Canceled by user"));
    // No tick powers off later.
    const std::string caption = test::ui::Text(powerOff);
    Pump([] { return false; }, 1500);
    EXPECT_EQ(caption, test::ui::Text(powerOff));
    EXPECT_TRUE(engine.Methods().empty());
}

TEST_F(HibernateFormTest, ThePowerOffButtonUsesTheMethodPickedDuringTheCountdown) {
    ShowFromWorker(0);
    HWND combo = test::ui::FindDescendant(Hwnd(), "ComboBox");
    HWND powerOff = PowerOffButton();
    test::ui::PickComboItem(combo, 1);
    EXPECT_EQ(0u, test::ui::Text(powerOff).rfind("Hibernate (", 0)) << test::ui::Text(powerOff);
    test::ui::Click(powerOff);
    EXPECT_TRUE(Pump([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_EQ(std::vector<int32_t>{1}, engine.Methods());
    EXPECT_EQ(1, resets);
    EXPECT_TRUE(succeeded);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    const std::string log = DebugLog();
    EXPECT_NE(std::string::npos, log.find("POWEROFF: try to hibernate"));
    EXPECT_NE(std::string::npos, log.find("POWEROFF: hibernate\r\n"));
}

TEST_F(HibernateFormTest, EnterAsSoonAsShownPowersOffAtOnce) {
    ShowFromWorker(0);
    test::ui::PressKey(VK_RETURN);
    EXPECT_TRUE(Pump([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_EQ(std::vector<int32_t>{0}, engine.Methods());
    EXPECT_TRUE(succeeded); // the worker's wait covered the decision made after the window hid
    EXPECT_NE(std::string::npos, DebugLog().find("POWEROFF: shutdown\r\n"));
}

TEST_F(HibernateFormTest, TheCloseBoxHidesWithoutCancellingTheCountdown) {
    ShowFromWorker(0);
    SendMessageA(Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Pump([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(std::string::npos, DebugLog().find("Canceled"));
    EXPECT_TRUE(form->Logic().Counting());
    // Let it run out quickly rather than wait 20 seconds.
    while (form->Logic().Countdown() > 1)
        form->Logic().Tick();
    EXPECT_TRUE(Pump([&] { return !engine.Methods().empty(); }, 5000));
    EXPECT_EQ(std::vector<int32_t>{0}, engine.Methods());
}

TEST_F(HibernateFormTest, WithoutHibernationAHibernateRecordEndsInAShutdownAndSaysSo) {
    engine.hibernate = false;
    MakeForm();
    ShowFromWorker(1);
    HWND combo = test::ui::FindDescendant(Hwnd(), "ComboBox");
    ASSERT_EQ(1, test::ui::ComboCount(combo));
    EXPECT_EQ(0, test::ui::ComboSelection(combo)); // the user sees what will happen
    EXPECT_EQ(0u, test::ui::Text(PowerOffButton()).rfind("Shutdown", 0));
    while (form->Logic().Countdown() > 1)
        form->Logic().Tick();
    EXPECT_TRUE(Pump([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_EQ(std::vector<int32_t>{0}, engine.Methods());
    EXPECT_TRUE(succeeded);
    const std::string log = DebugLog();
    const size_t fallback =
        log.find("[warning] POWEROFF: hibernate not available, using shutdown\r\n");
    EXPECT_NE(std::string::npos, fallback) << log;
    EXPECT_LT(fallback, log.find("POWEROFF: try to shutdown"));
    EXPECT_NE(std::string::npos, log.find("POWEROFF: shutdown\r\n"));
}

TEST_F(HibernateFormTest, ARefusedShutdownIsShownInAWarningBoxOnce) {
    engine.accepts = false;
    ShowFromWorker(0);
    test::ui::DialogResponder responder("Korvane", IDOK, test::ui::Timeout{10000});
    test::ui::Click(PowerOffButton()); // returns when the responder has closed the box
    EXPECT_TRUE(responder.Finish());
    const auto& texts = responder.texts();
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), kPowerOffFailedText));
    EXPECT_TRUE(Pump([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(std::vector<int32_t>{0}, engine.Methods());
    EXPECT_NE(std::string::npos, DebugLog().find("POWEROFF: shutdown failed"));
    EXPECT_EQ(std::string::npos, DebugLog().find("POWEROFF: shutdown\r\n"));
}

} // namespace
} // namespace korvane
