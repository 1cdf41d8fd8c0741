// The 32-bit colour value: RGB as 0x00BBGGRR, or a system colour index when the top bit is set.
#pragma once

#include <cstdint>
#include <functional>

namespace korvane {

inline constexpr uint32_t kNoColor = 0x1FFFFFFF;         // transparent icon background
inline constexpr uint32_t kWindowColor = 0x80000005;     // enabled edit and combo boxes
inline constexpr uint32_t kButtonFaceColor = 0x8000000F; // disabled edit boxes

constexpr bool IsSystemColor(uint32_t color) {
    return (color & 0x80000000u) != 0;
}

// The RGB value of a colour; system colours are looked up at the moment of use.
inline uint32_t ResolveColor(uint32_t color,
                             const std::function<uint32_t(int index)>& systemColor) {
    return IsSystemColor(color) ? systemColor(static_cast<int>(color & 0xFF)) : color & 0x00FFFFFF;
}

} // namespace korvane
