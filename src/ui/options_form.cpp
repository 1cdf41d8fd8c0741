// The settings window's page choice and the rules of its log-days box.
#include "ui/options_form.h"

#include "ui/number_box.h"

namespace korvane {

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
    return BoxTextWithin(text, kMinLogDays, kMaxLogDays);
}

int32_t LoadedLogDays(int32_t stored) {
    return stored <= 0 ? kMinLogDays : stored;
}

} // namespace korvane
