// The shell port over Shell_NotifyIconA (second-version tray record) and MessageBoxA.
#pragma once

#include "actions/tray_shell.h"
#include "toolkit/win32.h"

#include <shellapi.h>

#include <memory>

namespace korvane {

// The Windows 2000 layout of the tray record: 488 bytes in a 32-bit build, more in a 64-bit one.
inline constexpr DWORD kBalloonRecordSize = NOTIFYICONDATAA_V2_SIZE;

// The record of one balloon request: NIF_INFO only, the icon handle all ones (ignored without
// NIF_ICON), every other field zero.
void FillBalloonRecord(const BalloonRequest& request, NOTIFYICONDATAA& record);

// Message boxes are owned by `owner` (the application window).
std::unique_ptr<TrayShellPort> CreateWin32TrayShell(HWND owner);

} // namespace korvane
