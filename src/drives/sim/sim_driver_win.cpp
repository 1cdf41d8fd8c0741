// Where the sim build finds simulation.ini: beside its own .exe.
#include "drives/sim/sim_driver.h"

#include "drives/sim/sim_driver_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit/text.h"
#include "toolkit/win32.h"

namespace korvane::sim {

std::unique_ptr<SimulatedDriver> CreateSimulatedDriverBesideProgram() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    // A cut-off path names no folder; the relative name then means the current folder.
    const std::string folder = length > 0 && length < MAX_PATH ? FolderOf(path) : std::string();
    // The drivers know what the system knows: the version the program itself is told.
    return std::make_unique<SimulatedDriver>(folder + "simulation.ini",
                                             CreateWin32OsVersion()->Read());
}

} // namespace korvane::sim
