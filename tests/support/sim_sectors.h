// Test helpers for the simulated driver: raw sectors and simulation.ini files in a test folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::test {

// One attribute table entry: id, flags, value, worst and the six raw bytes (entry bytes 5..10).
struct SimAttributeEntry {
    uint8_t id;
    uint8_t value;
    uint8_t raw[6];
};

// A 512-byte attribute sector holding entries from index 0 on.
std::string AttributeSectorBytes(const std::vector<SimAttributeEntry>& entries);

// A 512-byte IDENTIFY sector with the model and serial fields stored exactly as given (no swap)
// and the sector count at offset 120.
std::string IdentifySectorBytes(const std::string& modelField, const std::string& serialField,
                                uint32_t sectors);

// Writes simulation.ini (and returns its path) in folder.
std::string WriteSimulationIni(const std::string& folder, const std::string& text);

} // namespace korvane::test
