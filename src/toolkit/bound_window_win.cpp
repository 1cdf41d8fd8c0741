// The shared window procedure: the object in GWLP_USERDATA, set once on WM_NCCREATE.
#include "toolkit/bound_window_win.h"

#include "toolkit/failure_report.h"
#include "toolkit/failure_report_win.h"

namespace korvane {

BoundWindow::~BoundWindow() {
    if (bound_ != nullptr) {
        SetWindowLongPtrA(bound_, GWLP_USERDATA, 0);
    }
}

LRESULT CALLBACK BoundWindow::WindowProc(HWND window, UINT message, WPARAM wparam,
                                         LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        auto* self = static_cast<BoundWindow*>(create->lpCreateParams);
        if (self != nullptr) {
            self->bound_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<BoundWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        // The last message of the window: the object hears it, nothing after it.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->bound_ = nullptr;
    }
    try {
        return self->HandleWindowMessage(window, message, wparam, lparam);
    } catch (...) {
        // Handlers of the program report failures as results; nothing may unwind into Windows.
        // What was left half done (a save) is traced in the debug log.
        ReportFailure("the window procedure, " + DescribeMessage(window, message, wparam, lparam));
        return 0;
    }
}

} // namespace korvane
