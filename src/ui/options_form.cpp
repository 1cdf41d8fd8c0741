// The settings window's page choice and the rules of its log-days box.
#include "ui/options_form.h"

#include <cctype>

namespace korvane {

namespace {

enum class NumberKind { NotANumber, AtMostZero, InRange, AboveMaximum };

// A whole decimal number with an optional sign, as the user may have typed or pasted it; numbers
// too long for 32 bits still count as numbers, of their sign.
NumberKind ClassifyDays(const std::string& text, int32_t maximum) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size())
        return NumberKind::NotANumber;
    int64_t value = 0;
    for (; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (!std::isdigit(c))
            return NumberKind::NotANumber;
        if (value <= maximum)
            value = value * 10 + (c - '0');
    }
    if (negative || value == 0)
        return NumberKind::AtMostZero;
    return value > maximum ? NumberKind::AboveMaximum : NumberKind::InRange;
}

} // namespace

std::optional<size_t> PageForData(const std::vector<intptr_t>& pageData, intptr_t data) {
    const intptr_t wanted = data >= kDiskPageData ? kDiskPageData + (data & 0xFF) : data;
    for (size_t i = 0; i < pageData.size(); ++i)
        if (pageData[i] == wanted)
            return i;
    return std::nullopt;
}

std::string PageCaption(const std::string& text) {
    return "[ " + text + " ]";
}

std::string CheckedLogDays(const std::string& text) {
    switch (ClassifyDays(text, kMaxLogDays)) {
    case NumberKind::NotANumber:
    case NumberKind::AtMostZero:
        return "1";
    case NumberKind::AboveMaximum:
        return "1000";
    case NumberKind::InRange:
        break;
    }
    return text;
}

int32_t LoadedLogDays(int32_t stored) {
    return stored <= 0 ? kMinLogDays : stored;
}

} // namespace korvane
