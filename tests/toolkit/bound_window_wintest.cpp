// The shared window procedure: binding on creation, the catch at the boundary, unbinding.
#include "toolkit/bound_window_win.h"

#include "toolkit/handles_win.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace korvane {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class Probe : public BoundWindow {
  public:
    Probe() {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = Procedure();
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KorvaneTest_BoundProbe";
        RegisterClassExA(&wc);
    }
    // The window is the test's, so that it may outlive the object.
    HWND Create() {
        return CreateWindowExA(0, "KorvaneTest_BoundProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleA(nullptr), BindParam());
    }

    std::vector<UINT> seen;

  protected:
    LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override {
        seen.push_back(message);
        if (message == kThrow) {
            throw std::runtime_error("handler failed");
        }
        if (message == kAnswer) {
            return 42;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }
};

TEST(BoundWindow, TheObjectHearsItsWindowFromFirstToLastMessage) {
    Probe probe;
    ScopedWindow window(probe.Create());
    ASSERT_TRUE(window);
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), probe.seen.front());
    EXPECT_EQ(42, SendMessageA(window.Get(), kAnswer, 0, 0));
    window.Reset();
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), probe.seen.back());
}

TEST(BoundWindow, AThrowingHandlerEndsAtTheBoundaryAndTheWindowGoesOn) {
    Probe probe;
    const ScopedWindow window(probe.Create());
    ASSERT_TRUE(window);
    EXPECT_EQ(0, SendMessageA(window.Get(), kThrow, 0, 0));
    EXPECT_EQ(42, SendMessageA(window.Get(), kAnswer, 0, 0));
}

TEST(BoundWindow, AWindowThatOutlivesItsObjectGetsTheDefaultProcedure) {
    HWND window = nullptr;
    {
        Probe probe;
        window = probe.Create();
        ASSERT_NE(nullptr, window);
    }
    EXPECT_EQ(0, SendMessageA(window, kAnswer, 0, 0)); // DefWindowProcA's answer
    EXPECT_TRUE(DestroyWindow(window));
}

} // namespace
} // namespace korvane
