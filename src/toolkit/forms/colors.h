// Colour values of the forms layer and the fixed list of the colour combo box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::forms {

// A colour is 0x00BBGGRR, or with the top bit set a system colour index in its low byte, resolved
// at the moment of use; kNoColor means "no colour" (an icon without background, a control that
// takes its parent's colour).
constexpr uint32_t kNoColor = 0x1FFFFFFF;
constexpr uint32_t kColorWindow = 0x80000005;
constexpr uint32_t kColorWindowText = 0x80000008;
constexpr uint32_t kColorButtonFace = 0x8000000F;

constexpr bool IsSystemColor(uint32_t color) {
    return (color & 0x80000000u) != 0;
}
constexpr int SystemColorIndex(uint32_t color) {
    return static_cast<int>(color & 0xFFu);
}

struct NamedColor {
    uint32_t value;
    const char* name;
};

// The entries of a colour combo box in display order; "Transparent" leads when allowed.
std::vector<NamedColor> ColorListEntries(bool allow_transparent);

// Index of the first entry with exactly this value, or -1.
int FindColorEntry(const std::vector<NamedColor>& entries, int64_t value);

// What a colour combo box shows while its value is in none of its entries.
constexpr const char* kUnknownColorText = "???";

} // namespace korvane::forms
