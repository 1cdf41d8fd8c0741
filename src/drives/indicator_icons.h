// The indicator-icon port: makes and destroys the 16 x 16 temperature icons of the disks.
#pragma once

#include "toolkit/icon_handle.h"

#include <cstdint>
#include <memory>

namespace korvane {

class IndicatorIconPort {
  public:
    virtual ~IndicatorIconPort() = default;
    // A new icon showing value in textColor on background (kNoColor: transparent); the caller owns
    // it. kNoIcon when the system could not build one.
    virtual IconHandle MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) = 0;
    // Destroys an icon made here; kNoIcon is ignored.
    virtual void DestroyIcon(IconHandle icon) = 0;
};

} // namespace korvane
