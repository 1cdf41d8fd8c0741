// The indicator's colours on today's taskbars: the first-run colours of each state replaced by
// ones readable on the taskbar's theme or its High Contrast scheme; chosen colours kept.
#pragma once

#include "toolkit/taskbar.h"

#include <cstdint>

namespace korvane {

struct IndicatorColors {
    uint32_t background; // kNoColor: transparent
    uint32_t text;
    bool operator==(const IndicatorColors&) const = default;
};

// The first-run colours of the three states (normal, warning, critical), as settings files
// store them: a stored pair equal to one of these is taken for "the default".
inline constexpr IndicatorColors kFirstRunIndicatorColors[] = {
    {0x1FFFFFFF, 0xFF0000}, {0x1FFFFFFF, 0x0000FF}, {0x0000FF, 0xFFFFFF}};

// The colours an indicator is drawn in for the stored pair on a taskbar of this look: a stored
// pair that is some state's first-run pair becomes that state's colours for the theme (the
// classic ones where the theme is unknown) or, with High Contrast on, the scheme's; any other
// pair is the user's choice and stays as stored.
IndicatorColors ColorsForTaskbar(IndicatorColors stored, const TaskbarLook& look);

// WCAG 2 relative luminance of a 0x00BBGGRR colour, 0 (black) to 1 (white).
double RelativeLuminance(uint32_t colorRef);
// WCAG 2 contrast ratio of two colours, 1 to 21.
double ContrastRatio(uint32_t a, uint32_t b);

} // namespace korvane
