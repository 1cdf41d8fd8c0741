// The application window and the single message step, on the real window manager.
#include "toolkit/app_window_win.h"

#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace korvane {
namespace {

constexpr UINT kProbe = WM_APP + 7;

TEST(AppWindowLoop, CreatedHiddenWithItsClassAndCaption) {
    AppWindow window;
    ASSERT_NE(nullptr, window.Handle());
    EXPECT_EQ(window.Handle(), FindWindowA("KorvaneMonitor_Main", "Korvane"));
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_NE(nullptr, reinterpret_cast<HFONT>(SendMessageA(window.Handle(), WM_GETFONT, 0, 0)));
}

TEST(AppWindowLoop, HooksThenFilterThenDispatch) {
    AppWindow window;
    std::vector<std::string> seen;
    window.MessageFilter = [&](MSG& msg) {
        if (msg.message != kProbe)
            return false;
        seen.push_back("filter " + std::to_string(msg.wParam));
        return msg.wParam == 2;
    };
    const auto older = window.AddMessageHook([&](MSG& msg) {
        if (msg.message == kProbe)
            seen.push_back("older " + std::to_string(msg.wParam));
        return false;
    });
    const auto newer = window.AddMessageHook([&](MSG& msg) {
        if (msg.message != kProbe)
            return false;
        seen.push_back("newer " + std::to_string(msg.wParam));
        return msg.wParam == 1;
    });
    EXPECT_FALSE(window.ProcessOneMessage());    // empty queue: nothing happens
    PostMessageA(window.Handle(), kProbe, 1, 0); // consumed by the newer hook
    PostMessageA(window.Handle(), kProbe, 2, 0); // consumed by the filter
    EXPECT_TRUE(window.ProcessOneMessage());
    EXPECT_TRUE(window.ProcessOneMessage());
    EXPECT_EQ((std::vector<std::string>{"newer 1", "newer 2", "older 2", "filter 2"}), seen);
    window.RemoveMessageHook(newer);
    window.RemoveMessageHook(older);
    seen.clear();
    PostMessageA(window.Handle(), kProbe, 3, 0);
    window.ProcessMessages();
    EXPECT_EQ((std::vector<std::string>{"filter 3"}), seen);
}

TEST(AppWindowLoop, CloseEndsTheLoopAndRunFreesTheWindow) {
    AppWindow window;
    HWND hwnd = window.Handle();
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    window.Run(); // returns only once the quit message has been taken
    EXPECT_TRUE(window.Terminated());
    EXPECT_EQ(nullptr, window.Handle());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(AppWindowLoop, QuitMessageSetsTerminatedInTheSingleStep) {
    AppWindow window;
    PostQuitMessage(0);
    EXPECT_TRUE(window.ProcessOneMessage());
    EXPECT_TRUE(window.Terminated());
    EXPECT_TRUE(IsWindow(window.Handle())); // only Run frees the window
}

TEST(AppWindowLoop, SystemCommandsMeetTheFilterOnceWhetherSentOrPosted) {
    AppWindow window;
    int filtered = 0;
    window.MessageFilter = [&](MSG& msg) {
        if (msg.message != WM_SYSCOMMAND)
            return false;
        ++filtered;
        return true; // e.g. Close refused
    };
    SendMessageA(window.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(window.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    window.ProcessMessages();
    EXPECT_EQ(2, filtered);
    EXPECT_FALSE(window.Terminated());
}

TEST(AppWindowLoop, CommandIdentifiersAreReused) {
    AppWindow window;
    const uint16_t a = window.AllocateCommandId();
    const uint16_t b = window.AllocateCommandId();
    EXPECT_NE(a, b);
    window.ReleaseCommandId(a);
    EXPECT_EQ(a, window.AllocateCommandId());
    for (int i = 0; i < 70000; ++i)
        window.ReleaseCommandId(window.AllocateCommandId());
    EXPECT_NE(0, window.AllocateCommandId()); // a long life never runs out of 16-bit ids
}

TEST(AppWindowSynchronize, RunsOnlyCallsThatAreStillWaiting) {
    AppWindow window;
    // A forged call: laid out as a waiting call's record would be, but never handed out.
    bool forgedRan = false;
    const std::function<void()> forged = [&] { forgedRan = true; };
    struct {
        const std::function<void()>* method;
        uintptr_t ticket;
        bool ran;
    } record{&forged, 1, false};
    for (WPARAM ticket : {WPARAM{0}, WPARAM{1}, WPARAM{2}})
        SendMessageA(window.Handle(), kSynchronizeMessage, ticket,
                     reinterpret_cast<LPARAM>(&record));
    EXPECT_FALSE(forgedRan);
    EXPECT_FALSE(record.ran);

    // A worker's own call runs once on the window's thread.
    std::atomic<int> runs{0};
    std::atomic<bool> done{false};
    DWORD ranOn = 0;
    std::thread worker([&] {
        EXPECT_TRUE(window.SendSynchronize([&] {
            ++runs;
            ranOn = GetCurrentThreadId();
        }));
        done = true;
    });
    EXPECT_TRUE(test::PumpUntil([&] { return done.load(); }, 5000));
    worker.join();
    EXPECT_EQ(1, runs.load());
    EXPECT_EQ(GetCurrentThreadId(), ranOn);

    // Once the window is gone a worker's call is refused, not sent to a stale handle.
    window.Destroy();
    bool refused = false;
    std::thread late([&] { refused = !window.SendSynchronize([&] { ++runs; }); });
    late.join();
    EXPECT_TRUE(refused);
    EXPECT_EQ(1, runs.load());
}

} // namespace
} // namespace korvane
