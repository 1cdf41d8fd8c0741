// The built KorvaneMonitor.exe: a second start ends at once while the first keeps running.
#include "app_program_win.h"
#include "test_env.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(SecondInstance, SecondStartEndsSilentlyWhileTheFirstRuns) {
    // The sim build with its demo disks: the release build finds no disk here and ends by itself.
    const std::string exe = test::BuiltProgram("sim");
    test::CleanDataFolder clean;
    test::Process first, second;
    ASSERT_TRUE(first.Start(exe)) << exe;
    HWND window = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (window = test::MainWindowOf(first.Id())) != nullptr; }, 20000));
    // The tray icons and their menus exist once the start-up has finished.
    // As long as the other program tests allow: a loaded machine's Wine takes its time.
    ASSERT_TRUE(
        test::PumpUntil([] { return test::DebugLogHas(test::kInitializationFinished); }, 60000));

    ASSERT_TRUE(second.Start(exe));
    ASSERT_TRUE(second.WaitExit(10000));
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_EQ(nullptr, test::MainWindowOf(second.Id()));
    EXPECT_FALSE(first.WaitExit(0));

    // Exit from the main icon's menu ends the first copy cleanly: a right click opens the menu,
    // Up selects its last entry, "Exit Korvane", and Enter chooses it.
    ASSERT_TRUE(test::ChooseFromTrayMenu(window, 1, {VK_UP, VK_RETURN}));
    ASSERT_TRUE(first.WaitExit(10000));
    EXPECT_EQ(0u, first.ExitCode());
    EXPECT_EQ(nullptr, test::MainWindowOf(first.Id()));
}

} // namespace
} // namespace korvane
