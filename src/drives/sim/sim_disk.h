// The simulated disks: what simulation.ini (or the built-in demo set) says, turned into sectors.
#pragma once

#include "drives/sim/sim_ramp.h"
#include "drives/smart_wire.h"
#include "drives/storage_wire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane::sim {

using Sector = std::array<uint8_t, kSectorSize>;

constexpr int kSimDrives = kPhysicalDriveCount;

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

    // What the storage queries see: STORAGE_BUS_TYPE, the descriptor's texts, the geometry.
    uint32_t busType = kBusTypeAta;
    std::string vendor;
    std::string product;
    std::string serial;
    uint64_t sectors = 0;                                         // the size in 512-byte units
    uint32_t bytesPerSector = static_cast<uint32_t>(kSectorSize); // the geometry's sector size
    // The temperature the drivers report (the Temperature key, else attribute 194).
    std::optional<int32_t> temperature;
    bool temperatureProperty = true;
    bool predictFailure = true;
    std::optional<Sector> nvmeLog; // the SMART / Health Information log page
    bool sleeping = false;
    std::optional<bool> elevated; // this disk's own answer to read/write opens

    bool Fails(SimStep step) const { return (failSteps & step) != 0; }
    // Only ATA disks (and ATAPI devices) understand the S.M.A.R.T. requests.
    bool SpeaksSmart() const { return busType == kBusTypeAta || busType == kBusTypeSata; }
};

struct SimConfig {
    std::array<std::optional<SimDisk>, kSimDrives> drives;
    // [Sim]: whether the program runs with administrator rights, and where requests are logged.
    bool elevated = true;
    std::string requestLog;
};

// Reads simulation.ini and the sector files it names (relative to its folder); the built-in demo
// set when the file cannot be opened. Never throws on bad content: what cannot be read is absent.
SimConfig LoadSimulation(const std::string& iniPath);

// The same from INI text already in memory; sector file names are taken relative to folder.
SimConfig ParseSimulation(const std::string& iniText, const std::string& folder);

// The built-in demo disks.
SimConfig DemoSimulation();

// Sector builders, exposed for tests.
// sectors48: the 48-bit count of words 100-103 (announced in word 83), or 0 for none.
Sector SynthesizeIdentify(const std::string& model, const std::string& serial, uint32_t sectors,
                          bool atapi, uint64_t sectors48 = 0);
// An NVMe health log page with this composite temperature in kelvin.
Sector SynthesizeNvmeHealthLog(uint16_t kelvin);
Sector SynthesizeAttributes();
Sector SynthesizeThresholds(const Sector& attributes);
// Puts the temperature's lowest byte into the lowest raw byte of attribute 194, adding the entry
// in the first empty slot when the table has none (nothing happens when the table is full).
void ApplyTemperature(Sector& attributes, int32_t temperature);

// The checksum byte (511) that makes a data structure's bytes sum to zero.
void SealChecksum(Sector& sector);

} // namespace korvane::sim
