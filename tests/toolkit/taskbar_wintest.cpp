// The taskbar's look as Win32 reports it, and its watch: a theme switch written to the registry
// and broadcast as the shell does (several "ImmersiveColorSet" in a row) is told once.
#include "toolkit/taskbar_win.h"
#include "fake_taskbar.h"
#include "registry_win.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr const char* kPersonalize =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The prefix is shared by every test: the value goes again, whatever happens here.
struct TaskbarThemeValue {
    ~TaskbarThemeValue() {
        test::DeleteRegistryValue(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme");
    }
    bool Set(bool light) {
        return test::SetRegistryDword(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme",
                                      light ? 1 : 0);
    }
};

void BroadcastColorSetChange() {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>("ImmersiveColorSet"), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
}

TEST(TaskbarLook, ThemeFromTheSystemsValueNotTheApps) {
    TaskbarThemeValue value;
    const auto taskbar = CreateWin32Taskbar();
    EXPECT_EQ(TaskbarTheme::Unknown, taskbar->Look().theme);
    ASSERT_TRUE(value.Set(true));
    // The apps' value says dark: the taskbar's own one counts.
    ASSERT_TRUE(test::SetRegistryDword(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme", 0));
    EXPECT_EQ(TaskbarTheme::Light, taskbar->Look().theme);
    test::DeleteRegistryValue(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme");
    ASSERT_TRUE(value.Set(false));
    EXPECT_EQ(TaskbarTheme::Dark, taskbar->Look().theme);
    EXPECT_FALSE(taskbar->Look().highContrast);
}

TEST(TaskbarLook, AThemeSwitchBroadcastThreeTimesIsToldOnceAfterTheLastOne) {
    TaskbarThemeValue value;
    ASSERT_TRUE(value.Set(true));
    const auto taskbar = CreateWin32Taskbar();
    TaskbarWatch watch(*taskbar);
    ASSERT_NE(nullptr, watch.Handle());
    ASSERT_EQ(TaskbarTheme::Light, watch.Look().theme);
    std::vector<TaskbarTheme> told;
    watch.OnChange = [&](const TaskbarLook& look) { told.push_back(look.theme); };

    ASSERT_TRUE(value.Set(false));
    for (int i = 0; i < 3; ++i)
        BroadcastColorSetChange();
    ASSERT_TRUE(test::PumpUntil([&] { return !told.empty(); }, 10000));
    EXPECT_EQ(std::vector<TaskbarTheme>{TaskbarTheme::Dark}, told);
    // The broadcasts were delivered before the quiet period ended: none is left to tell.
    EXPECT_FALSE(KillTimer(watch.Handle(), 1));
    EXPECT_EQ(TaskbarTheme::Dark, watch.Look().theme);

    // Broadcasts that change nothing run into the one that does: one more, back to light.
    BroadcastColorSetChange();
    BroadcastColorSetChange();
    ASSERT_TRUE(value.Set(true));
    BroadcastColorSetChange();
    ASSERT_TRUE(test::PumpUntil([&] { return told.size() == 2; }, 10000));
    EXPECT_EQ(TaskbarTheme::Light, told.back());
    EXPECT_FALSE(KillTimer(watch.Handle(), 1));
}

TEST(TaskbarLook, ANewTaskbarOrADpiChangeWithAnotherIconSizeIsToldOnce) {
    test::FixedTaskbar taskbar;
    TaskbarWatch watch(taskbar);
    std::vector<int> sizes;
    watch.OnChange = [&](const TaskbarLook& look) { sizes.push_back(look.iconSize); };

    // The shell restarted on a 150 % monitor: its broadcast, and the DPI message besides.
    taskbar.look.iconSize = 24;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    PostMessageA(watch.Handle(), taskbarCreated, 0, 0);
    PostMessageA(watch.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !sizes.empty(); }, 10000));
    EXPECT_EQ(std::vector<int>{24}, sizes);
    EXPECT_FALSE(KillTimer(watch.Handle(), 1));
}

} // namespace
} // namespace korvane
