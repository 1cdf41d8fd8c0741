// The program entry of KorvaneMonitor: one copy per session, the application object, its loop.
#include "app/application_win.h"
#include "app/single_instance_win.h"
#include "toolkit/system_library_win.h"
#include "toolkit/win32.h"

#ifdef KORVANE_SIM_BUILD
#include "actions/sim/sim_power_port_win.h"
#include "drives/sim/sim_driver_win.h"
#else
#include "drives/device_io_win.h"
#endif

#include <commctrl.h>

namespace {

// The S.M.A.R.T. device access: the disks' drivers, or in the sim build the simulated disks of
// "simulation.ini" beside the program.
std::unique_ptr<korvane::DeviceIoPort> CreateDeviceAccess() {
#ifdef KORVANE_SIM_BUILD
    return korvane::sim::CreateSimulatedDriverBesideProgram();
#else
    return korvane::CreateWin32DeviceIo();
#endif
}

// The power services: the system's own, or in the sim build the ones that only record the request
// in "power.log" beside the program, so that trying the sim build never powers the computer off.
std::unique_ptr<korvane::PowerPort> CreatePowerAccess() {
#ifdef KORVANE_SIM_BUILD
    return korvane::sim::CreateSimPowerPortBesideProgram();
#else
    return nullptr;
#endif
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace korvane;
    // First of all: whatever the system loads for us later (shell extensions, codecs, drivers of
    // the sound device) comes from the system folder, not from a DLL planted beside the program.
    RestrictLibrarySearchToSystemFolder();
    InitCommonControls();
    // A second copy leaves without a trace: no window, no message, no log line. The first holds
    // its claim until the application is gone.
    const SingleInstanceClaim claim = ClaimSingleInstance(kRunningMutexName);
    if (!claim.IsFirst())
        return 0;
    {
        TApplication application(CreateDeviceAccess(), CreatePowerAccess());
        application.TrimWorkingSet();
        application.Run();
    }
    return 0;
}
