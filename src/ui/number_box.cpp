// The settings window's reading of its number boxes.
#include "ui/number_box.h"

#include "toolkit/text.h"

#include <limits>

namespace korvane {

int32_t BoxNumber(const std::string& text) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size()) {
        return 0;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9') {
            return 0;
        }
        // Past 32 bits only the digits' being digits still matters.
        if (value < kLimit) {
            value = value * 10 + (c - '0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

std::string BoxTextWithin(const std::string& text, int32_t minimum, int32_t maximum) {
    const int32_t n = BoxNumber(text);
    if (n < minimum) {
        return IntToStr(minimum);
    }
    if (n > maximum) {
        return IntToStr(maximum);
    }
    return text;
}

} // namespace korvane
