// Words for the failure report: which message a window was handling, and which window it was.
#include "toolkit/failure_report_win.h"

#include "toolkit/text.h"

#include <commctrl.h>

namespace korvane {

namespace {

constexpr int kTextMax = 64; // enough to tell the window; a long caption is cut

} // namespace

std::string DescribeWindow(HWND window) {
    if (window == nullptr || IsWindow(window) == FALSE)
        return "no window";
    char className[kTextMax] = {};
    GetClassNameA(window, className, kTextMax);
    char caption[kTextMax] = {};
    GetWindowTextA(window, caption, kTextMax);
    return std::string(className) + " \"" + caption + "\"";
}

std::string DescribeMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    std::string text = "message 0x" + IntToHex(message, 4);
    if (message == WM_COMMAND) {
        text += " (WM_COMMAND, code " + IntToStr(HIWORD(wparam)) + ", ";
        text += lparam != 0 ? "from " + DescribeWindow(reinterpret_cast<HWND>(lparam))
                            : "item " + IntToStr(LOWORD(wparam));
        text += ")";
    } else if (message == WM_NOTIFY && lparam != 0) {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        text += " (WM_NOTIFY, code " + IntToStr(static_cast<int32_t>(header->code)) + ", from " +
                DescribeWindow(header->hwndFrom) + ")";
    } else if (message == WM_TIMER) {
        text += " (WM_TIMER)";
    }
    return text + " to " + DescribeWindow(window);
}

} // namespace korvane
