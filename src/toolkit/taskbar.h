// What the taskbar looks like to the program's tray icons: their size, its theme, High Contrast.
#pragma once

#include <cstdint>

namespace korvane {

// The taskbar's own theme (SystemUsesLightTheme), not the apps' one. Unknown on systems that
// have no such setting, where the program keeps its classic colours.
enum class TaskbarTheme : uint8_t { Unknown, Dark, Light };

struct TaskbarLook {
    int iconSize = 16; // the taskbar's small-icon size in pixels
    TaskbarTheme theme = TaskbarTheme::Unknown;
    bool highContrast = false;
    // The High Contrast scheme's colours (0x00BBGGRR), meaningful while highContrast is set.
    uint32_t windowText = 0x000000;
    uint32_t window = 0xFFFFFF;
    uint32_t highlightText = 0xFFFFFF;
    uint32_t highlight = 0x800000;
    bool operator==(const TaskbarLook&) const = default;
};

class TaskbarPort {
  public:
    virtual ~TaskbarPort() = default;
    // Asked afresh on every call: the answer follows the system's settings as they are now.
    virtual TaskbarLook Look() const = 0;
};

// The small-icon size for a DPI where the system cannot say: 16 px per 96 dpi.
constexpr int SmallIconSizeForDpi(uint32_t dpi) {
    return dpi == 0 ? 16 : static_cast<int>((16 * dpi + 48) / 96);
}

} // namespace korvane
