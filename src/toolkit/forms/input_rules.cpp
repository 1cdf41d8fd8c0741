// Small rules of the controls' input.
#include "toolkit/forms/input_rules.h"

namespace korvane::forms {

int32_t UpDownCandidate(int32_t position, int32_t delta, int32_t minimum, int32_t maximum) {
    int64_t candidate = static_cast<int64_t>(position) + delta;
    if (candidate > maximum) {
        candidate = maximum;
    }
    if (candidate < minimum) {
        candidate = minimum;
    }
    return static_cast<int32_t>(candidate);
}

std::string FileDialogFilter(const std::string& filter) {
    if (filter.empty()) {
        return {};
    }
    std::string out = filter;
    for (char& c : out) {
        if (c == '|') {
            c = '\0';
        }
    }
    // A filter that already ends with "|" has its own terminator for the last field.
    if (out.back() != '\0') {
        out.push_back('\0');
    }
    out.push_back('\0');
    return out;
}

} // namespace korvane::forms
