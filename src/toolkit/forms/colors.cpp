// The colour combo box's list of named colours.
#include "toolkit/forms/colors.h"

namespace korvane::forms {

namespace {

constexpr NamedColor kTransparent{kNoColor, "Transparent"};

constexpr NamedColor kNamed[] = {
    {0x000000, "Black"},  {0x000080, "Maroon"},  {0x008000, "Green"}, {0x008080, "Olive"},
    {0x800000, "Navy"},   {0x800080, "Purple"},  {0x808000, "Teal"},  {0x808080, "Gray"},
    {0xC0C0C0, "Silver"}, {0x0000FF, "Red"},     {0x00FF00, "Lime"},  {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},   {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xFFFFFF, "White"},
};

} // namespace

std::vector<NamedColor> ColorListEntries(bool allowTransparent) {
    std::vector<NamedColor> entries;
    if (allowTransparent) {
        entries.push_back(kTransparent);
    }
    entries.insert(entries.end(), std::begin(kNamed), std::end(kNamed));
    return entries;
}

int FindColorEntry(const std::vector<NamedColor>& entries, int64_t value) {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (static_cast<int64_t>(entries[i].value) == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace korvane::forms
