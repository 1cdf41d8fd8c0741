// Tray icons of the application window: the records that reach the real shell.
#include "toolkit/tray_icon_win.h"

#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Passes every record on to the shell and keeps a copy with the shell's answer.
struct ShellLog {
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
        bool accepted;
    };
    std::vector<Call> calls;

    void Attach(AppWindow& window) {
        window.SetShellNotifier([this](DWORD message, NOTIFYICONDATAA& data) {
            const bool accepted = Shell_NotifyIconA(message, &data) != FALSE;
            calls.push_back({message, data, accepted});
            return accepted;
        });
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> out;
        for (const auto& c : calls)
            out.push_back(c.message);
        return out;
    }
};

OwnedIcon NewIcon() {
    return OwnIcon(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
}

// Whether the shell knows the icon: a modify of an unknown icon is refused.
bool ShellHas(const TrayIcon& icon) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = kTrayRecordSize;
    probe.hWnd = icon.Owner();
    probe.uID = icon.Id();
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

TEST(TrayIconShell, AddedWithTheFirstVersionRecordAndATooltipCutAt63) {
    ShellLog log; // outlives the window, which reports to it until destroyed
    AppWindow window;
    log.Attach(window);
    TrayIcon& icon = window.CreateTrayIcon(NewIcon());
    icon.SetTooltip(std::string(80, 'T'));
    EXPECT_TRUE(log.calls.empty()); // inactive: the shell hears nothing
    icon.SetActive(true);
    ASSERT_EQ(1u, log.calls.size());
    const auto& add = log.calls[0];
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), add.message);
    EXPECT_TRUE(add.accepted);
    EXPECT_EQ(104u, add.data.cbSize);
    EXPECT_EQ(window.Handle(), add.data.hWnd);
    EXPECT_EQ(icon.Id(), add.data.uID);
    EXPECT_EQ(7u, add.data.uFlags);
    EXPECT_EQ(0xB008u, add.data.uCallbackMessage);
    EXPECT_EQ(std::string(63, 'T'), std::string(add.data.szTip));
    EXPECT_EQ(std::string(80, 'T'), icon.Tooltip());
    EXPECT_TRUE(ShellHas(icon));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(window.Handle()), icon.Identity().window);
    EXPECT_EQ(icon.Id(), icon.Identity().id);
}

TEST(TrayIconShell, ComesBackAfterTaskbarCreatedOnlyWhileActive) {
    ShellLog log; // outlives the window, which reports to it until destroyed
    AppWindow window;
    log.Attach(window);
    TrayIcon& shown = window.CreateTrayIcon(NewIcon());
    TrayIcon& hidden = window.CreateTrayIcon(NewIcon());
    shown.SetTooltip("shown");
    shown.SetActive(true);
    // The shell "restarted": it has forgotten the icon.
    NOTIFYICONDATAA gone{};
    gone.cbSize = kTrayRecordSize;
    gone.hWnd = window.Handle();
    gone.uID = shown.Id();
    Shell_NotifyIconA(NIM_DELETE, &gone);
    ASSERT_FALSE(ShellHas(shown));
    log.calls.clear();
    SendMessageA(window.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(1u, log.calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), log.calls[0].message);
    EXPECT_EQ(shown.Id(), log.calls[0].data.uID);
    EXPECT_EQ(std::string("shown"), log.calls[0].data.szTip);
    EXPECT_TRUE(ShellHas(shown));
    EXPECT_FALSE(ShellHas(hidden));
}

TEST(TrayIconShell, MouseMessagesReachTheHandlerOfTheirIcon) {
    AppWindow window;
    TrayIcon& a = window.CreateTrayIcon(NewIcon());
    TrayIcon& b = window.CreateTrayIcon(NewIcon());
    std::vector<uint32_t> gotA, gotB;
    a.OnMouse = [&](uint32_t m) { gotA.push_back(m); };
    b.OnMouse = [&](uint32_t m) { gotB.push_back(m); };
    SendMessageA(window.Handle(), kTrayCallbackMessage, b.Id(), WM_RBUTTONUP);
    SendMessageA(window.Handle(), kTrayCallbackMessage, a.Id(), WM_LBUTTONDBLCLK);
    EXPECT_EQ((std::vector<uint32_t>{515}), gotA);
    EXPECT_EQ((std::vector<uint32_t>{517}), gotB);
}

TEST(TrayIconShell, CloseRemovesActiveIconsAndAfterTheLoopOnlyDeletesGo) {
    ShellLog log; // outlives the window, which reports to it until destroyed
    AppWindow window;
    log.Attach(window);
    TrayIcon& active = window.CreateTrayIcon(NewIcon());
    window.CreateTrayIcon(NewIcon()); // inactive: never reaches the shell
    active.SetActive(true);
    PostMessageA(window.Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return window.Terminated(); }, 5000,
                                [&] { return window.ProcessOneMessage(); }));
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_DELETE}), log.Messages());
    EXPECT_FALSE(ShellHas(active));
    active.SetActive(true); // the loop has ended: only removal is possible
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), log.calls.back().message);
    EXPECT_FALSE(ShellHas(active));
}

TEST(TrayIconShell, DestroyingTheWindowRemovesItsActiveIcons) {
    ShellLog log;
    auto window = std::make_unique<AppWindow>();
    log.Attach(*window);
    TrayIcon& icon = window->CreateTrayIcon(NewIcon());
    icon.SetActive(true);
    // The tray icon owns what it is given: a replaced picture goes once the shell has the new one,
    // the last one with the tray icon.
    const HICON first = ToHicon(icon.Icon());
    icon.SetIcon(NewIcon());
    const HICON second = ToHicon(icon.Icon());
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), log.calls.back().message);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(first, &info));
    const UINT id = icon.Id();
    HWND hwnd = window->Handle();
    window.reset();
    ASSERT_EQ(3u, log.calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), log.calls[2].message);
    EXPECT_EQ(id, log.calls[2].data.uID);
    EXPECT_EQ(hwnd, log.calls[2].data.hWnd);
    EXPECT_FALSE(GetIconInfo(second, &info));
}

} // namespace
} // namespace korvane
