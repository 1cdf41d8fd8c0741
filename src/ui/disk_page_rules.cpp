// The disk pages' checks, vetoes and enabling decisions.
#include "ui/disk_page_rules.h"

#include "toolkit/text.h"
#include "ui/disk_page_texts.h"

#include <algorithm>

namespace korvane {

using namespace disk_page;

int32_t LevelMinimum(bool celsius) {
    return celsius ? kLevelMin : kLevelMinFahrenheit;
}

std::string CheckedInterval(const std::string& interval) {
    return BoxTextWithin(interval, kIntervalMin, kIntervalMax);
}

std::string CheckedWarning(const std::string& warning, const std::string& critical, bool celsius) {
    const int32_t minimum = LevelMinimum(celsius);
    const int32_t w = BoxNumber(warning);
    const int32_t c = BoxNumber(critical);
    if (w >= c) {
        // Below a critical level at the minimum there is no room: a level never drops below it.
        return IntToStr(std::clamp<int64_t>(static_cast<int64_t>(c) - 1, minimum, kLevelMax));
    }
    return BoxTextWithin(warning, minimum, kLevelMax);
}

std::string CheckedCritical(const std::string& warning, const std::string& critical, bool celsius) {
    const int32_t w = BoxNumber(warning);
    const int32_t c = BoxNumber(critical);
    if (w >= c) {
        // A warning box not yet checked may hold anything: the result still keeps the range.
        return IntToStr(
            std::clamp<int64_t>(static_cast<int64_t>(w) + 1, LevelMinimum(celsius), kLevelMax));
    }
    return BoxTextWithin(critical, LevelMinimum(celsius), kLevelMax);
}

bool WarningSpinAllows(int32_t candidate, const std::string& critical) {
    return candidate < BoxNumber(critical);
}

bool CriticalSpinAllows(int32_t candidate, const std::string& warning) {
    return candidate > BoxNumber(warning);
}

DiskPageEnabling DecideEnabling(bool commonPage, bool enableChecked, bool commonChecked) {
    if (commonPage) {
        return {false, true, true};
    }
    const bool own = enableChecked && !commonChecked;
    return {enableChecked, own, own};
}

std::vector<TabEdit> PlanTabs(const std::vector<std::string>& texts, bool ownTabs) {
    std::vector<std::string> tabs = texts;
    std::vector<TabEdit> edits;
    const auto is = [&](size_t index, const char* text) {
        return index < tabs.size() && tabs[index] == text;
    };
    const auto remove = [&](int index) {
        edits.push_back({TabEdit::Delete, index, {}});
        tabs.erase(tabs.begin() + index);
    };
    const auto insert = [&](int index, const char* text) {
        edits.push_back({TabEdit::Insert, index, text});
        tabs.insert(tabs.begin() + std::min<size_t>(static_cast<size_t>(index), tabs.size()), text);
    };
    if (!ownTabs) {
        if (is(2, kControlTab)) {
            remove(2);
        }
        if (is(1, kLevelsTab)) {
            remove(1);
        }
    } else {
        if (!is(1, kLevelsTab)) {
            insert(1, kLevelsTab);
        }
        if (!is(2, kControlTab)) {
            insert(2, kControlTab);
        }
    }
    return edits;
}

} // namespace korvane
