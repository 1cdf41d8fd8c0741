// Building the S.M.A.R.T. request blocks byte by byte, independent of any compiler's struct
// packing.
#include "drives/smart_wire.h"

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

uint32_t ReadLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void WriteLe32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

} // namespace korvane
