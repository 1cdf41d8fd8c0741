// Little-endian reads and writes over byte buffers: the drivers' records are laid out byte by
// byte, independent of any compiler's struct packing.
#pragma once

#include <cstdint>

namespace korvane {

constexpr uint16_t ReadLe16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

constexpr uint32_t ReadLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

constexpr uint64_t ReadLe64(const uint8_t* bytes) {
    return uint64_t{ReadLe32(bytes)} | uint64_t{ReadLe32(bytes + 4)} << 32;
}

constexpr void WriteLe16(uint8_t* bytes, uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

constexpr void WriteLe32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

constexpr void WriteLe64(uint8_t* bytes, uint64_t value) {
    WriteLe32(bytes, static_cast<uint32_t>(value));
    WriteLe32(bytes + 4, static_cast<uint32_t>(value >> 32));
}

} // namespace korvane
