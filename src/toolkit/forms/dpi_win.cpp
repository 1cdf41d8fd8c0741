// The DPI of windows and monitors: each function looked up where it is, since Windows 7 and a
// fresh Wine prefix have none of them and the program must start there too.
#include "toolkit/forms/dpi_win.h"

#include "toolkit/forms/dpi.h"
#include "toolkit/handles_win.h"
#include "toolkit/system_library_win.h"

namespace korvane::forms {

namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI: the DPI windows are scaled to

template <typename Fn> Fn User32Function(const char* name) {
    // user32 is loaded in every program with windows; the handle is not ours to free.
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

int DpiOfMonitor(HMONITOR monitor) {
    if (monitor == nullptr) {
        return SystemDpi();
    }
    // Only the system's copy; it stays loaded for the process, as the entry point is kept.
    const HMODULE shcore = LoadSystemLibrary("shcore.dll");
    const auto getDpiForMonitor =
        shcore != nullptr ? reinterpret_cast<GetDpiForMonitorFn>(
                                reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                          : nullptr;
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor != nullptr && getDpiForMonitor(monitor, kEffectiveDpi, &x, &y) == S_OK) {
        return ValidDpi(static_cast<int>(y));
    }
    return SystemDpi();
}

} // namespace

int SystemDpi() {
    if (const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem")) {
        return ValidDpi(static_cast<int>(getDpiForSystem()));
    }
    const ScopedWindowDc screen(nullptr);
    return ValidDpi(screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kLayoutDpi);
}

int DpiOfWindow(HWND window) {
    if (window == nullptr) {
        return SystemDpi();
    }
    if (const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
        const int dpi = static_cast<int>(getDpiForWindow(window));
        if (dpi != 0) {
            return ValidDpi(dpi);
        }
    }
    return DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiAtPoint(int x, int y) {
    return DpiOfMonitor(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST));
}

RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
    if (const auto adjust =
            User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi")) {
        if (adjust(&client, style, FALSE, exStyle, static_cast<UINT>(ValidDpi(dpi)))) {
            return client;
        }
    }
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

int SystemMetricForDpi(int index, int dpi) {
    if (const auto metric = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi")) {
        return metric(index, static_cast<UINT>(ValidDpi(dpi)));
    }
    return GetSystemMetrics(index);
}

} // namespace korvane::forms
