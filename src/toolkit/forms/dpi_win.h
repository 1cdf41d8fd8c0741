// The DPI of windows and monitors, asked of the functions the running Windows offers.
#pragma once

#include "toolkit/win32.h"

namespace korvane::forms {

// Sent to a top-level window of a per-monitor aware program when its DPI changes; WPARAM holds
// the new DPI, LPARAM the RECT Windows suggests for the window at that DPI.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The system's DPI: the screen's LOGPIXELSY where GetDpiForSystem (Windows 10) is missing.
int SystemDpi();
// The DPI of the monitor the window is on (GetDpiForWindow, Windows 10 1607), else of the monitor
// nearest to the window (GetDpiForMonitor, Windows 8.1), else the system's.
int DpiOfWindow(HWND window);
// The DPI of the monitor nearest to a point of the screen, else the system's.
int DpiAtPoint(int x, int y);
// The window rectangle around `client` for a window of the styles at `dpi`; before Windows 10
// 1607 with the frame of the system's DPI.
RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi);
// A system metric at `dpi`; before Windows 10 1607 the one of the system's DPI.
int SystemMetricForDpi(int index, int dpi);

} // namespace korvane::forms
