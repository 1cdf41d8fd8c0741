// The factory port through which the program's logic obtains timers, tray icons, menus, worker
// threads and sound players; the Win32 layer implements it, the tests use a recording double.
#pragma once

#include "toolkit/icon_handle.h"
#include "toolkit/popup_menu.h"
#include "toolkit/sound_player.h"
#include "toolkit/timer.h"
#include "toolkit/tray_icon.h"
#include "toolkit/worker_thread.h"

#include <memory>
#include <string>
#include <vector>

namespace korvane {

class ToolkitPort {
  public:
    virtual ~ToolkitPort() = default;

    // Owned by the caller. The interval is made effective (0 or less: 1000 ms); a new timer is off.
    virtual std::unique_ptr<TimerPort> CreateTimer(int32_t interval) = 0;

    // Owned by the application window and freed with it when the message loop has ended: the
    // caller keeps the pointer only until then. The tray icon starts inactive, owns `icon` (it
    // may be empty), and comes back after a shell restart.
    virtual TrayIconPort* CreateTrayIcon(OwnedIcon icon) = 0;
    virtual PopupMenuPort* CreatePopupMenu(const std::vector<std::string>& itemTemplate) = 0;

    // Owned by the caller; the thread runs `body` at once.
    virtual std::unique_ptr<WorkerThreadPort> CreateWorkerThread(WorkerBody body) = 0;

    // Owned by the caller; no file, notifying mode.
    virtual std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() = 0;
};

} // namespace korvane
