// Words for the failure report: which message a window was handling, and which window it was.
#pragma once

#include "toolkit/win32.h"

#include <string>

namespace korvane {

// The window's class and caption: KorvaneForm "Korvane Settings".
std::string DescribeWindow(HWND window);
// The message, with the control that sent a command or a notification:
// message 0x0111 (WM_COMMAND, code 0, from Button "OK") to KorvaneForm "Korvane Settings".
std::string DescribeMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace korvane
