// The program entry of KorvaneMonitor: one copy per session, the application object, its loop.
#include "app/application_win.h"
#include "app/single_instance_win.h"
#include "toolkit/win32.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace korvane;
    InitCommonControls();
    // A second copy leaves without a trace: no window, no message, no log line.
    if (EnsureSingleInstance(kRunningMutexName))
        return 0;
    {
        TApplication application;
        application.TrimWorkingSet();
        application.Run();
    }
    ReleaseSingleInstance();
    return 0;
}
