// The hottest disk and the main icon's list of every disk.
#include "app/hottest_disk.h"

namespace korvane {

int HottestReading(const std::vector<DiskReading>& readings) {
    int hottest = -1;
    for (size_t i = 0; i < readings.size(); ++i) {
        if (hottest < 0 || readings[i].temperature > readings[hottest].temperature)
            hottest = static_cast<int>(i);
    }
    return hottest;
}

std::string DiskListTooltip(const std::vector<DiskReading>& readings, size_t limit) {
    constexpr const char* kSeparator = ", ";
    constexpr const char* kMore = ", \x85";
    std::vector<std::string> entries;
    for (const DiskReading& r : readings)
        entries.push_back("HDD" + std::to_string(r.driveNumber + 1) + " " + r.text);
    std::string all;
    for (const std::string& e : entries)
        all += (all.empty() ? "" : kSeparator) + e;
    if (all.size() <= limit)
        return all;
    // Room for the mark that says some are left out.
    std::string shown;
    for (const std::string& e : entries) {
        const std::string next = shown.empty() ? e : shown + kSeparator + e;
        if (next.size() + std::char_traits<char>::length(kMore) > limit)
            break;
        shown = next;
    }
    return shown + kMore;
}

bool PinHintDue(const OsVersionInfo& version, bool shownBefore) {
    return !shownBefore && version.platformId == kPlatformWin32Nt &&
           (version.major > 10 || (version.major == 10 && version.build >= kWindows11Build));
}

} // namespace korvane
