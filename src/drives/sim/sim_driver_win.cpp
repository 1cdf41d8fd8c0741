// Where the sim build finds simulation.ini: beside its own .exe.
#include "drives/sim/sim_driver.h"

#include "toolkit/text.h"
#include "toolkit/win32.h"

namespace korvane::sim {

std::unique_ptr<SimulatedDriver> CreateSimulatedDriverBesideProgram() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    // A cut-off path names no folder; the relative name then means the current folder.
    const std::string folder = length > 0 && length < MAX_PATH ? FolderOf(path) : std::string();
    return CreateSimulatedDriver(folder + "simulation.ini");
}

} // namespace korvane::sim
