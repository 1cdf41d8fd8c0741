// Display names of S.M.A.R.T. attribute ids.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// The catalogue name of id, or "(Vendor-Specific)" for an id the catalogue does not list.
std::string AttributeName(uint8_t id);

} // namespace korvane
