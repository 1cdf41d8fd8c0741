// The warning and critical level boxes between the stored Celsius values and the unit shown.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// A level box remembers the Celsius value it was filled with (by loading or by a unit switch)
// and the text it got then. While the box still shows that text, the Celsius value is what it
// stands for: a level passed through Fahrenheit and back does not lose a degree to truncation.
struct LevelOrigin {
    std::string filledText;
    int32_t celsius = 0;
    bool operator==(const LevelOrigin&) const = default;
};

// A box filled from a stored level: the level itself, or its Fahrenheit value.
LevelOrigin FillLevel(int32_t celsius, bool showCelsius);

// What the level box showing `text` stores, in degrees Celsius: the value it was filled from
// while untouched; otherwise the text as it is (Celsius shown) or converted (Fahrenheit shown).
std::string StoredLevel(const LevelOrigin& origin, const std::string& text, bool showsCelsius);

// The box after switching to the other unit (its new text is the result's filledText): an
// untouched box goes back to or from the value it was filled with, an edited one is converted.
LevelOrigin SwitchLevelUnit(const LevelOrigin& origin, const std::string& text, bool toCelsius);

} // namespace korvane
