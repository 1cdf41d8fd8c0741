// Building the S.M.A.R.T. request blocks byte by byte, independent of any compiler's struct
// packing.
#include "drives/smart_wire.h"

#include <algorithm>

namespace korvane {

CommandBlock BuildCommandBlock(uint8_t driveNumber, uint32_t bufferSize, const AtaRegisters& regs) {
    CommandBlock block{};
    WriteLe32(block.data() + kCmdInBufferSize, bufferSize);
    block[kCmdInFeatures] = regs.features;
    block[kCmdInSectorCount] = regs.sectorCount;
    block[kCmdInSectorNumber] = regs.sectorNumber;
    block[kCmdInCylLow] = regs.cylLow;
    block[kCmdInCylHigh] = regs.cylHigh;
    block[kCmdInDriveHead] = DriveHeadFor(driveNumber);
    block[kCmdInCommand] = regs.command;
    block[kCmdInDriveNumber] = driveNumber;
    return block;
}

const uint8_t* FindAttributeEntry(const uint8_t* table, uint8_t id) {
    for (size_t index = 0; index < kAttributeEntries; ++index) {
        const uint8_t* entry = table + index * kAttributeEntrySize;
        if (entry[0] == id) {
            return entry;
        }
    }
    return nullptr;
}

std::optional<int32_t> AttributeTableTemperature(const uint8_t* table) {
    const uint8_t* entry = FindAttributeEntry(table, kTemperatureAttributeId);
    if (entry == nullptr || std::all_of(entry + 5, entry + 11, [](uint8_t b) { return b == 0; })) {
        return std::nullopt;
    }
    return entry[5];
}

} // namespace korvane
