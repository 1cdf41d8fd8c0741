// The sim build's power port beside the program: the factory of the Win32 implementation
// (sim_power_port_win.cpp), apart from the portable port the native build compiles too.
#pragma once

#include "actions/sim/sim_power_port.h"

#include <memory>

namespace korvane::sim {

// The sim build's port: simulation.ini and power.log beside the running program, the system's
// clock.
std::unique_ptr<PowerPort> CreateSimPowerPortBesideProgram();

} // namespace korvane::sim
