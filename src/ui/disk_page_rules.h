// The disk pages' rules that need no window: the checks of the numeric boxes, the spin vetoes
// and what the enable and common boxes decide about tabs, groups and the common box.
#pragma once

#include "ui/number_box.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

// The lowest level a level box may hold in the unit it shows.
int32_t LevelMinimum(bool celsius);

// The text a box gets when it loses the focus and before any save (the same text when nothing
// needs mending); `warning` and `critical` are the texts of the two level boxes of the same page
// at that moment, shown in Celsius or not. The result is always a number within the box's range.
std::string CheckedInterval(const std::string& interval);
std::string CheckedWarning(const std::string& warning, const std::string& critical, bool celsius);
std::string CheckedCritical(const std::string& warning, const std::string& critical, bool celsius);

// Whether a spin step to `candidate` may happen: the warning level stays below the critical one.
bool WarningSpinAllows(int32_t candidate, const std::string& critical);
bool CriticalSpinAllows(int32_t candidate, const std::string& warning);

struct DiskPageEnabling {
    bool commonBoxEnabled = false;
    bool ownTabs = false;       // "Temperature Levels" and "Temperature Control" are present
    bool groupsVisible = false; // the poll interval and tray indicator groups
    bool operator==(const DiskPageEnabling&) const = default;
};

// What the boxes of a disk page decide; the common page has no boxes and shows everything.
DiskPageEnabling DecideEnabling(bool commonPage, bool enableChecked, bool commonChecked);

struct TabEdit {
    enum Kind { Delete, Insert } kind;
    int index;
    std::string text; // of the tab inserted
    bool operator==(const TabEdit&) const = default;
};

// The deletions and insertions that bring the outer tabs, now `texts`, to "General" alone
// (`ownTabs` false) or back to "General", "Temperature Levels", "Temperature Control".
std::vector<TabEdit> PlanTabs(const std::vector<std::string>& texts, bool ownTabs);

} // namespace korvane
