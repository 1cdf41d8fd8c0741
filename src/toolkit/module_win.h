// Where the running program lives.
#pragma once

#include <string>

namespace korvane {

// The full path of the running program file (GetModuleFileNameA), or empty on failure.
std::string ModulePath();

} // namespace korvane
