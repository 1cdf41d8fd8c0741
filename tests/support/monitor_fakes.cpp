// Test doubles for the drive monitor and the tray notifications.
#include "monitor_fakes.h"

namespace korvane::test {

OwnedIcon FakeIndicatorIcons::MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) {
    if (fail) {
        return OwnedIcon{};
    }
    const auto icon = static_cast<IconHandle>(next_++);
    made.push_back({value, background, textColor, icon});
    live.insert(icon);
    return OwnedIcon(icon, OwnedIconTraits{{}, this});
}

void FakeIndicatorIcons::DestroyIcon(IconHandle icon) {
    if (icon == kNoIcon) {
        return;
    }
    if (beforeDestroy) {
        beforeDestroy(icon);
    }
    if (live.erase(icon) == 0) {
        ++badDestroys;
    }
}

} // namespace korvane::test
