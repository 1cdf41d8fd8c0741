// The application object's services in this process: filter, exit, task-bar entry.
#include "app/application_win.h"
#include "app/tray_menu.h"
#include "app_program_win.h"
#include "drives/sim/sim_driver.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace korvane {
namespace {

// The application object over the simulator's demo disks (no simulation.ini in the temp folder),
// with a clean data folder before and after.
struct AppFixture {
    test::CleanDataFolder clean;
    TApplication app{
        sim::CreateSimulatedDriver(test::FreshTempDir("app_services") + "\\simulation.ini")};
};

TEST(ApplicationServices, SystemCloseIsRefusedAndExitEndsTheLoop) {
    AppFixture fixture;
    TApplication& app = fixture.app;
    EXPECT_EQ(&app, Application);
    ASSERT_NE(nullptr, app.MainTrayIcon);
    // First run: the main icon only while no disk shows its indicator, and the four demo disks
    // show theirs.
    ASSERT_EQ(4, app.Drives->Count());
    EXPECT_EQ(4, app.Drives->VisibleIconCount());
    EXPECT_FALSE(app.MainTrayIcon->Active());
    EXPECT_EQ(kMainTrayTooltip, app.MainTrayIcon->Tooltip());
    HWND hwnd = app.Window().Handle();
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0, SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    app.Window().ProcessMessages();
    EXPECT_FALSE(app.Window().Terminated());
    EXPECT_TRUE(IsWindow(hwnd));
    // Exit from the tray menu.
    app.TrayMenu->OnItem(*app.TrayMenu, FindMenuCommand(*app.TrayMenu, kCmdExit));
    EXPECT_TRUE(app.Window().Terminated());
    EXPECT_FALSE(app.MainTrayIcon->Active());
    app.Run(); // returns at once; the window goes with the object
    EXPECT_TRUE(IsWindow(hwnd));
    // The shut-down runs once, whoever asks first; the destructor then has nothing left to do.
    app.ShutDown();
    app.ShutDown();
    EXPECT_FALSE(IsWindow(hwnd));
    const std::vector<std::string> messages = test::DebugMessages();
    EXPECT_EQ(1, std::count(messages.begin(), messages.end(), test::kStartFinalization));
    EXPECT_EQ(test::kFinalizationFinished, messages.back());
}

TEST(ApplicationServices, TaskbarEntryFollowsTheSettingsWindow) {
    AppFixture fixture;
    TApplication& app = fixture.app;
    HWND hwnd = app.Window().Handle();
    bool shown = true;
    app.SettingsWindowShown = [&](std::string& caption) {
        caption = "Korvane Settings";
        return shown;
    };
    app.SyncTaskbarButton();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    EXPECT_STREQ("Korvane Settings", text);
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    shown = false;
    app.SyncTaskbarButton();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    app.TrimWorkingSet(); // must not disturb the running program
    EXPECT_TRUE(IsWindow(hwnd));
}

} // namespace
} // namespace korvane
