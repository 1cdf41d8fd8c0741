// TTrayMessages against the real shell: the balloon record, balloons on a real tray icon, and the
// top-most message box closed from the test.
#include "actions/tray_messages.h"
#include "actions/tray_shell_win.h"
#include "toolkit/tray_icon_win.h"

#include "fake_os_version.h"
#include "monitor_shell_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace korvane {
namespace {

OwnedIcon NewIcon() {
    return OwnIcon(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
}

TEST(TrayBalloonRecord, SecondVersionLayoutWithInfoOnlyAndCutFields) {
    EXPECT_GT(kBalloonRecordSize, 488u); // 488 in a 32-bit build; wider handles here
    EXPECT_LT(kBalloonRecordSize, sizeof(NOTIFYICONDATAA) + 1);
    NOTIFYICONDATAA record;
    std::memset(&record, 0x5A, sizeof(record));
    FillBalloonRecord({{0x1234, 9}, 8000, 2, std::string(300, 't'), std::string(70, 'h')}, record);
    EXPECT_EQ(kBalloonRecordSize, record.cbSize);
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), record.hWnd);
    EXPECT_EQ(9u, record.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), record.uFlags);
    EXPECT_EQ(~uintptr_t{0}, reinterpret_cast<uintptr_t>(record.hIcon));
    EXPECT_EQ(0u, record.uCallbackMessage);
    EXPECT_EQ('\0', record.szTip[0]);
    EXPECT_EQ(std::string(255, 't'), std::string(record.szInfo));
    EXPECT_EQ(std::string(63, 'h'), std::string(record.szInfoTitle));
    EXPECT_EQ(8000u, record.uTimeout);
    EXPECT_EQ(2u, record.dwInfoFlags);
    EXPECT_EQ(0u, record.dwState);
}

TEST(TrayBalloonShell, ABalloonAppearsOnAShownIconAndIsRefusedForAHiddenOne) {
    AppWindow window;
    TrayIcon& shown = window.CreateTrayIcon(NewIcon());
    TrayIcon& hidden = window.CreateTrayIcon(NewIcon());
    shown.SetActive(true);
    test::RecordingWin32Shell shell(window.Handle());
    const std::unique_ptr<OsVersionPort> osPort = CreateWin32OsVersion();
    const OsVersionPort& os = *osPort;
    TTrayMessages messages(shell, os);
    ASSERT_TRUE(messages.BalloonsSupported()); // Wine reports Windows 7 by default

    messages.ShowTrayMessage(hidden, 0, 2, "nobody sees this", "hidden", 8000, false);
    EXPECT_EQ((std::vector<bool>{false, false}), shell.accepted);

    const int before = test::VisibleBalloonWindows();
    messages.ShowTrayMessage(shown, 3, 2, std::string(400, 'b'), std::string(100, 'T'), 8000,
                             false);
    ASSERT_EQ(4u, shell.sent.size());
    EXPECT_TRUE(shell.accepted[2] && shell.accepted[3]);
    EXPECT_EQ(shown.Identity().id, shell.sent[3].icon.id);
    EXPECT_EQ(255u, shell.sent[3].text.size());
    EXPECT_EQ(63u, shell.sent[3].title.size());
    EXPECT_TRUE(test::PumpUntil([&] { return test::VisibleBalloonWindows() > before; }, 10000,
                                [&] { return window.ProcessOneMessage(); }));
    messages.HideBalloon(shown);
    EXPECT_TRUE(shell.accepted.back());
    EXPECT_TRUE(test::PumpUntil([&] { return test::VisibleBalloonWindows() == before; }, 10000,
                                [&] { return window.ProcessOneMessage(); }));
}

TEST(TrayMessageBoxShell, WithoutBalloonsATopMostBoxWaitsForTheUser) {
    AppWindow window;
    TrayIcon& icon = window.CreateTrayIcon(NewIcon());
    const std::unique_ptr<TrayShellPort> shellPort = CreateWin32TrayShell(window.Handle());
    TrayShellPort& shell = *shellPort;
    test::FixedOsVersion nt4(kPlatformWin32Nt, 4, 0);
    TTrayMessages messages(shell, nt4);
    std::vector<int32_t> tags;
    messages.OnMessageClick = [&](TTrayMessages* sender, int32_t tag) {
        EXPECT_EQ(nullptr, sender);
        tags.push_back(tag);
    };
    const char* title = "Korvane box probe";
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        messages.ShowTrayMessage(icon, 17, 2, "the body", title, 8000, false);
        returned = true;
    });
    HWND box = nullptr;
    const bool found = test::PumpUntil(
        [&] { return (box = FindWindowA("#32770", title)) != nullptr && IsWindowVisible(box); },
        10000, [&] { return window.ProcessOneMessage(); });
    if (found) {
        // MB_TOPMOST itself is checked natively: Wine 8 does not show it in the box's
        // extended style.
        EXPECT_EQ(window.Handle(), GetWindow(box, GW_OWNER));
        EXPECT_FALSE(returned); // the caller waits for the user
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_TRUE(test::PumpUntil([&] { return returned.load(); }, 10000,
                                [&] { return window.ProcessOneMessage(); }));
    worker.join();
    ASSERT_TRUE(found);
    EXPECT_EQ((std::vector<int32_t>{17}), tags);
}

} // namespace
} // namespace korvane
