// The level boxes' unit conversions.
#include "ui/disk_page_levels.h"

#include "drives/drive.h"
#include "toolkit/text.h"

namespace korvane {

LevelOrigin FillLevel(int32_t celsius, bool showCelsius) {
    return {IntToStr(showCelsius ? celsius : CelsiusToFahrenheit(celsius)), celsius};
}

std::string StoredLevel(const LevelOrigin& origin, const std::string& text, bool showsCelsius) {
    if (text == origin.filledText) {
        return IntToStr(origin.celsius);
    }
    return showsCelsius ? text : IntToStr(FahrenheitToCelsius(StrToInt(text)));
}

LevelOrigin SwitchLevelUnit(const LevelOrigin& origin, const std::string& text, bool toCelsius) {
    const int32_t celsius = text == origin.filledText ? origin.celsius
                            : toCelsius               ? FahrenheitToCelsius(StrToInt(text))
                                                      : StrToInt(text);
    return FillLevel(celsius, toCelsius);
}

} // namespace korvane
