// Raw sectors and simulation.ini files for tests of the simulated driver.
#include "sim_sectors.h"

#include "test_env.h"

#include <algorithm>

namespace korvane::test {

std::string AttributeSectorBytes(const std::vector<SimAttributeEntry>& entries) {
    std::string sector(512, '\0');
    size_t offset = 2;
    for (const SimAttributeEntry& e : entries) {
        sector[offset] = static_cast<char>(e.id);
        sector[offset + 3] = static_cast<char>(e.value);
        sector[offset + 4] = static_cast<char>(e.value);
        for (int i = 0; i < 6; ++i) {
            sector[offset + 5 + i] = static_cast<char>(e.raw[i]);
        }
        offset += 12;
    }
    return sector;
}

std::string IdentifySectorBytes(const std::string& modelField, const std::string& serialField,
                                uint32_t sectors) {
    std::string sector(512, '\0');
    std::copy_n(serialField.begin(), std::min<size_t>(serialField.size(), 20), sector.begin() + 20);
    std::copy_n(modelField.begin(), std::min<size_t>(modelField.size(), 40), sector.begin() + 54);
    for (int i = 0; i < 4; ++i) {
        sector[120 + i] = static_cast<char>(sectors >> (8 * i));
    }
    return sector;
}

std::string WriteSimulationIni(const std::string& folder, const std::string& text) {
    const std::string path = JoinPath(folder, "simulation.ini");
    WriteFileBytes(path, text);
    return path;
}

} // namespace korvane::test
