// The storage-query path: a disk's identity and temperature through requests that any user may
// send on a handle opened without access rights (no elevation, NVMe disks included).
#pragma once

#include "drives/device_io.h"
#include "drives/storage_wire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// Where a disk's temperature came from at its last reading.
enum class DiskReadPath : uint8_t {
    None,
    Smart,               // S.M.A.R.T. attribute 194 on a read/write handle
    TemperatureProperty, // the storage temperature property (Windows 10 and later)
    NvmeHealthLog,       // the NVMe SMART / Health Information log page (Windows 10 and later)
    PredictFailure,      // attribute 194 in the failure-prediction data of an ATA disk
};

// The words of the start-up line that tells which way a disk is read.
std::string ReadPathText(DiskReadPath path);

struct StorageReading {
    bool identified = false; // the device descriptor was read
    StorageIdentity identity;
    std::optional<uint64_t> sectors; // from the drive geometry
    int32_t temperature = -1;
    DiskReadPath path = DiskReadPath::None;
    // The attribute sector of the failure-prediction data, when that gave the temperature.
    std::optional<std::array<uint8_t, kSectorSize>> attributes;
};

bool IsAtaBus(uint32_t busType);

// Identity and size only: answered from what the drivers hold, so a sleeping disk stays asleep.
StorageReading ReadStorageIdentity(DeviceIoPort& io, DeviceHandle handle);

// Identity, size and the first temperature that the disk gives, asked in this order: the
// temperature property and (NVMe) the health log on Windows 10 and later, then (ATA) the
// failure-prediction data.
StorageReading ReadThroughStorageQuery(DeviceIoPort& io, DeviceHandle handle, bool windows10);

} // namespace korvane
