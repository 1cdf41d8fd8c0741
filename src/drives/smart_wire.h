// Byte layouts of the S.M.A.R.T. requests and replies exchanged with the disk driver.
#pragma once

#include "drives/little_endian.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace korvane {

// The devices asked: \\.\PhysicalDrive0 to 15 on NT, the SMARTVSD driver on Windows 9x.
constexpr int32_t kPhysicalDriveCount = 16;
// The VxD and the version reply's IDE device map know only the four IDE positions (primary and
// secondary, master and slave): drives from 4 on are ATA disks of the NT family.
constexpr int32_t kIdeDriveCount = 4;
constexpr const char* kPhysicalDrivePrefix = "\\\\.\\PhysicalDrive";
constexpr const char* kSmartVxdDevice = "\\\\.\\SMARTVSD";

// Control codes.
constexpr uint32_t kSmartGetVersion = 0x00074080u;
constexpr uint32_t kSmartSendDriveCommand = 0x0007C084u;
constexpr uint32_t kSmartRcvDriveData = 0x0007C088u;

// ATA commands and SMART subcommands (features register).
constexpr uint8_t kAtaIdentifyDevice = 0xEC;
constexpr uint8_t kAtaIdentifyPacketDevice = 0xA1;
constexpr uint8_t kAtaSmart = 0xB0;
constexpr uint8_t kSmartReadAttributeValues = 0xD0;
constexpr uint8_t kSmartReadAttributeThresholds = 0xD1;
constexpr uint8_t kSmartEnableOperations = 0xD8;
constexpr uint8_t kSmartCylLow = 0x4F;
constexpr uint8_t kSmartCylHigh = 0xC2;

// fCapabilities bits.
constexpr uint32_t kCapAtaIdCmd = 0x1;
constexpr uint32_t kCapAtapiIdCmd = 0x2;
constexpr uint32_t kCapSmartCmd = 0x4;

constexpr size_t kSectorSize = 512;

// GETVERSIONINPARAMS (24 bytes).
constexpr size_t kVersionSize = 24;
constexpr size_t kVersionVersion = 0;
constexpr size_t kVersionRevision = 1;
constexpr size_t kVersionIdeDeviceMap = 3;
constexpr size_t kVersionCapabilities = 4; // 32-bit little-endian

// SENDCMDINPARAMS without its one-byte bBuffer tail (32 bytes are sent).
constexpr size_t kCmdInSize = 32;
constexpr size_t kCmdInBufferSize = 0; // 32-bit little-endian
constexpr size_t kCmdInFeatures = 4;   // IDEREGS starts here
constexpr size_t kCmdInSectorCount = 5;
constexpr size_t kCmdInSectorNumber = 6;
constexpr size_t kCmdInCylLow = 7;
constexpr size_t kCmdInCylHigh = 8;
constexpr size_t kCmdInDriveHead = 9;
constexpr size_t kCmdInCommand = 10;
constexpr size_t kCmdInDriveNumber = 12;

// SENDCMDOUTPARAMS header; the returned sector follows it.
constexpr size_t kCmdOutHeaderSize = 16;
constexpr size_t kCmdOutBufferSize = 0; // 32-bit little-endian
constexpr size_t kCmdOutDriverError = 4;
constexpr size_t kCmdOutIdeError = 5;
constexpr size_t kDataBlockSize = kCmdOutHeaderSize + kSectorSize; // 528

// IDENTIFY sector offsets.
constexpr size_t kIdentifySerial = 20;
constexpr size_t kIdentifySerialLength = 20;
constexpr size_t kIdentifyModel = 54;
constexpr size_t kIdentifyModelLength = 40;
constexpr size_t kIdentifySectors = 120;           // words 60-61: the 28-bit count
constexpr size_t kIdentifyCommandSet2 = 166;       // word 83: bit 10 says 48-bit addressing
constexpr size_t kIdentifySectors48 = 200;         // words 100-103: the 48-bit count
constexpr uint32_t kLba28SectorLimit = 0x0FFFFFFF; // what a bigger disk reports in words 60-61

// The attribute that holds the temperature in its lowest raw byte.
constexpr uint8_t kTemperatureAttributeId = 194;

// Attribute and threshold sectors: 30 entries of 12 bytes from byte 2.
constexpr size_t kAttributeTableOffset = 2;
constexpr size_t kAttributeEntrySize = 12;
constexpr size_t kAttributeEntries = 30;

// The entry of attribute `id` in an attribute table (its first entry at `table`), or null.
const uint8_t* FindAttributeEntry(const uint8_t* table, uint8_t id);
// The temperature an attribute table holds: the lowest raw byte of attribute 194 when the
// attribute is there and its 48-bit raw value is above 0. The byte is taken as it is: a path that
// needs a plausible sensor value checks it itself.
std::optional<int32_t> AttributeTableTemperature(const uint8_t* table);

using CommandBlock = std::array<uint8_t, kCmdInSize>;

struct AtaRegisters {
    uint8_t features = 0;
    uint8_t sectorCount = 0;
    uint8_t sectorNumber = 0;
    uint8_t cylLow = 0;
    uint8_t cylHigh = 0;
    uint8_t command = 0;
};

// 0xA0 (master) or 0xB0 (slave), bit 4 taken from the drive number's lowest bit.
constexpr uint8_t DriveHeadFor(uint8_t driveNumber) {
    return static_cast<uint8_t>(0xA0 | ((driveNumber & 1) << 4));
}

// A zero-filled SENDCMDINPARAMS block for one request.
CommandBlock BuildCommandBlock(uint8_t driveNumber, uint32_t bufferSize, const AtaRegisters& regs);

} // namespace korvane
