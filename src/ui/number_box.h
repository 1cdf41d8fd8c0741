// How the settings window reads the number in one of its digits-only boxes.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// The number a box's whole text stands for: an optional "+" or "-", then decimal digits and
// nothing else. Any other text (empty, blanks, "12abc" pasted past the digits-only rule, "1e5")
// counts as 0; a number too long for 32 bits counts as the 32-bit value nearest to it, so that
// it stays on its side of every bound.
int32_t BoxNumber(const std::string& text);

// `text` when its number lies within [minimum, maximum], otherwise the bound nearest to it.
std::string BoxTextWithin(const std::string& text, int32_t minimum, int32_t maximum);

} // namespace korvane
