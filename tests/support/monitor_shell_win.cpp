// Windows-side helpers for the tray tests of the drive monitor.
#include "monitor_shell_win.h"

#include <commctrl.h>

namespace korvane::test {

bool ShellHasIcon(const TrayIconIdentity& icon) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = reinterpret_cast<HWND>(icon.window);
    probe.uID = icon.id;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

void RecordingWin32Shell::ModifyBalloon(const BalloonRequest& request) {
    NOTIFYICONDATAA record;
    FillBalloonRecord(request, record);
    sent.push_back(request);
    accepted.push_back(Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE);
}

int VisibleBalloonWindows() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(window)) {
                ++*reinterpret_cast<int*>(data);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace korvane::test
