// The indicator-icon port: makes the 16 x 16 temperature icons of the disks.
#pragma once

#include "toolkit/icon_handle.h"

#include <cstdint>
#include <memory>

namespace korvane {

class IndicatorIconPort {
  public:
    virtual ~IndicatorIconPort() = default;
    // A new icon showing value in textColor on background (kNoColor: transparent), owned by the
    // caller and destroyed through whoever made it. Empty when the system could not build one.
    virtual OwnedIcon MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) = 0;
};

} // namespace korvane
