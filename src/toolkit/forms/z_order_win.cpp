// Stacking order among sibling controls.
#include "toolkit/forms/z_order_win.h"

namespace korvane::forms {

bool RaiseAboveSiblings(Control& control) {
    HWND window = control.Handle();
    if (window == nullptr) {
        return false;
    }
    return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) !=
           FALSE;
}

bool IsAboveSiblings(const Control& control) {
    HWND window = control.Handle();
    return window != nullptr && GetWindow(window, GW_HWNDFIRST) == window;
}

} // namespace korvane::forms
