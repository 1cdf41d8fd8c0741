// The sim build's driver beside the program: the factory of the Win32 implementation
// (sim_driver_win.cpp), apart from the portable port the native build compiles too.
#pragma once

#include "drives/sim/sim_driver.h"

#include <memory>

namespace korvane::sim {

// The sim build's driver: "simulation.ini" in the folder of the running program.
std::unique_ptr<SimulatedDriver> CreateSimulatedDriverBesideProgram();

} // namespace korvane::sim
