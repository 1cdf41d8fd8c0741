// The fixed list of the colour combo box.
#pragma once

#include "toolkit/color.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::forms {

struct NamedColor {
    uint32_t value;
    const char* name;
};

// The entries of a colour combo box in display order; "Transparent" leads when allowed.
std::vector<NamedColor> ColorListEntries(bool allowTransparent);

// Index of the first entry with exactly this value, or -1.
int FindColorEntry(const std::vector<NamedColor>& entries, int64_t value);

// What a colour combo box shows while its value is in none of its entries.
constexpr const char* kUnknownColorText = "???";

} // namespace korvane::forms
