// The level boxes' unit conversions.
#include "ui/disk_page_levels.h"

#include "drives/drive.h"
#include "toolkit/text.h"
#include "ui/number_box.h"

#include <algorithm>

namespace korvane {

namespace {

// Far beyond any level, and small enough that either conversion stays within 32 bits: a box or a
// file holding a number of many digits is clamped before it is converted.
constexpr int32_t kConvertibleLimit = 1000000;

int32_t Convertible(int32_t level) {
    return std::clamp(level, -kConvertibleLimit, kConvertibleLimit);
}

int32_t BoxLevel(const std::string& text) {
    return Convertible(BoxNumber(text));
}

} // namespace

LevelOrigin FillLevel(int32_t celsius, bool showCelsius) {
    return {IntToStr(showCelsius ? celsius : CelsiusToFahrenheit(Convertible(celsius))), celsius};
}

std::string StoredLevel(const LevelOrigin& origin, const std::string& text, bool showsCelsius) {
    if (text == origin.filledText) {
        return IntToStr(origin.celsius);
    }
    return showsCelsius ? text : IntToStr(FahrenheitToCelsius(BoxLevel(text)));
}

LevelOrigin SwitchLevelUnit(const LevelOrigin& origin, const std::string& text, bool toCelsius) {
    const int32_t celsius = text == origin.filledText ? origin.celsius
                            : toCelsius               ? FahrenheitToCelsius(BoxLevel(text))
                                                      : BoxLevel(text);
    return FillLevel(celsius, toCelsius);
}

} // namespace korvane
