// The colour value of the settings, the tray indicators and the controls: RGB as 0x00BBGGRR, or
// with the top bit set a system colour index in its low byte, resolved at the moment of use.
#pragma once

#include <cstdint>

namespace korvane {

// No colour: an icon without background, a control that takes its parent's colour.
inline constexpr uint32_t kNoColor = 0x1FFFFFFF;
inline constexpr uint32_t kColorWindow = 0x80000005;     // COLOR_WINDOW
inline constexpr uint32_t kColorWindowText = 0x80000008; // COLOR_WINDOWTEXT
inline constexpr uint32_t kColorButtonFace = 0x8000000F; // COLOR_BTNFACE

constexpr bool IsSystemColor(uint32_t color) {
    return (color & 0x80000000u) != 0;
}
constexpr int SystemColorIndex(uint32_t color) {
    return static_cast<int>(color & 0xFFu);
}

} // namespace korvane
