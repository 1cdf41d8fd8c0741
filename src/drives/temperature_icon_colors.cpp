// Theme and High Contrast colours of the indicators, and the contrast they are chosen by.
#include "drives/temperature_icon_colors.h"

#include "toolkit/color.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace korvane {
namespace {

// Each at least 4.5:1 against the taskbars of its theme (the test says by how much): a
// lighter blue and red on dark ones, darker ones on light ones, and white on a deeper red.
constexpr IndicatorColors kDarkTaskbarColors[] = {
    {kNoColor, 0xFFB86C}, {kNoColor, 0x6B6BFF}, {0x1C2BC4, 0xFFFFFF}};
constexpr IndicatorColors kLightTaskbarColors[] = {
    {kNoColor, 0xC03E00}, {kNoColor, 0x0000C0}, {0x1C2BC4, 0xFFFFFF}};

double Linear(uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

IndicatorColors ColorsForTaskbar(IndicatorColors stored, const TaskbarLook& look) {
    const auto* first =
        std::find(std::begin(kFirstRunIndicatorColors), std::end(kFirstRunIndicatorColors), stored);
    if (first == std::end(kFirstRunIndicatorColors))
        return stored;
    const auto state = static_cast<size_t>(first - std::begin(kFirstRunIndicatorColors));
    if (look.highContrast) {
        // The scheme's own pairs: plain text for normal, highlighted for warning, inverted for
        // critical, so the states stay apart in any scheme.
        const IndicatorColors scheme[] = {{kNoColor, look.windowText},
                                          {look.highlight, look.highlightText},
                                          {look.windowText, look.window}};
        return scheme[state];
    }
    switch (look.theme) {
    case TaskbarTheme::Dark:
        return kDarkTaskbarColors[state];
    case TaskbarTheme::Light:
        return kLightTaskbarColors[state];
    case TaskbarTheme::Unknown:
        break;
    }
    return stored;
}

double RelativeLuminance(uint32_t colorRef) {
    return 0.2126 * Linear(colorRef & 0xFF) + 0.7152 * Linear((colorRef >> 8) & 0xFF) +
           0.0722 * Linear((colorRef >> 16) & 0xFF);
}

double ContrastRatio(uint32_t a, uint32_t b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace korvane
