// The simulated disks: what simulation.ini (or the built-in demo set) says, turned into sectors.
#pragma once

#include "drives/sim/sim_ramp.h"
#include "drives/smart_wire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane::sim {

using Sector = std::array<uint8_t, kSectorSize>;

constexpr int kSimDrives = 4;

// Request steps that a disk's Fail list can make the driver refuse.
enum SimStep : uint32_t {
    kStepOpen = 1u << 0,
    kStepVersion = 1u << 1,
    kStepIdentify = 1u << 2,
    kStepEnable = 1u << 3,
    kStepAttributes = 1u << 4,
    kStepThresholds = 1u << 5,
};

// One disk ready to answer; a sector that is absent (missing or short file) makes its request fail.
struct SimDisk {
    bool atapi = false;
    uint32_t capabilities = kCapAtaIdCmd | kCapAtapiIdCmd | kCapSmartCmd;
    uint32_t failSteps = 0;
    std::optional<Sector> identify;
    std::optional<Sector> attributes;
    std::optional<Sector> thresholds;
    // A temperature that follows the clock instead of staying put (the Ramp key).
    std::optional<TemperatureRamp> ramp;

    bool Fails(SimStep step) const { return (failSteps & step) != 0; }
};

struct SimConfig {
    std::array<std::optional<SimDisk>, kSimDrives> drives;
};

// Reads simulation.ini and the sector files it names (relative to its folder); the built-in demo
// set when the file cannot be opened. Never throws on bad content: what cannot be read is absent.
SimConfig LoadSimulation(const std::string& iniPath);

// The same from INI text already in memory; sector file names are taken relative to folder.
SimConfig ParseSimulation(const std::string& iniText, const std::string& folder);

// The built-in demo disks.
SimConfig DemoSimulation();

// Sector builders, exposed for tests.
Sector SynthesizeIdentify(const std::string& model, const std::string& serial, uint32_t sectors,
                          bool atapi);
Sector SynthesizeAttributes();
Sector SynthesizeThresholds(const Sector& attributes);
// Puts the temperature's lowest byte into the lowest raw byte of attribute 194, adding the entry
// in the first empty slot when the table has none (nothing happens when the table is full).
void ApplyTemperature(Sector& attributes, int32_t temperature);

// The checksum byte (511) that makes a data structure's bytes sum to zero.
void SealChecksum(Sector& sector);

} // namespace korvane::sim
