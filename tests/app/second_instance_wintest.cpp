// The built KorvaneMonitor.exe: a second start ends at once while the first keeps running.
#include "test_env.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace korvane {
namespace {

struct Process {
    PROCESS_INFORMATION info{};
    bool started = false;
    ~Process() {
        if (!started)
            return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
};

bool Start(const std::string& exe, Process& process) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::string command = "\"" + exe + "\"";
    process.started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &si, &process.info) != FALSE;
    return process.started;
}

// The application window of the given process, or null.
HWND MainWindowOf(DWORD pid) {
    HWND found = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, "KorvaneMonitor_Main", nullptr); w;
         w = FindWindowExA(nullptr, w, "KorvaneMonitor_Main", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            found = w;
    }
    return found;
}

TEST(ProgramInstances, SecondStartEndsSilentlyWhileTheFirstRuns) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    ASSERT_NE(nullptr, build);
    const std::string exe = test::JoinPath(test::JoinPath(build, "release"), "KorvaneMonitor.exe");
    Process first, second;
    ASSERT_TRUE(Start(exe, first)) << exe;
    HWND window = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (window = MainWindowOf(first.info.dwProcessId)) != nullptr; }, 20000));

    ASSERT_TRUE(Start(exe, second));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second.info.hProcess, 10000));
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_EQ(nullptr, MainWindowOf(second.info.dwProcessId));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(first.info.hProcess, 0));

    // Exit from the main icon's menu ends the first copy cleanly: a right click opens the menu,
    // Up selects its last entry, "Exit Korvane", and Enter chooses it.
    PostMessageA(window, 0xB008, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); }, 10000));
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first.info.hProcess, 10000));
    EXPECT_EQ(0u, first.ExitCode());
    EXPECT_EQ(nullptr, MainWindowOf(first.info.dwProcessId));
}

} // namespace
} // namespace korvane
