// What a disk page shows, in the form it is stored: read from a section when the page is loaded
// and written back on OK or Apply.
#pragma once

#include "settings/alarm_settings.h"

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

class TDrive;
class TOptionsSection;

// What a disk page knows of its disk.
struct DiskFacts {
    std::string modelText; // the settings name: trimmed model, "(unknown)" when blank
    std::string model;     // as read from the disk
    std::string serialNumber;
    std::string capacityText;
    bool hasTemperature = false; // the disk gave a temperature at its last reading
};

DiskFacts DiskFactsOf(const TDrive& drive);

// Two by state, in the order of kIconColorKeys.
enum ColorSlot : size_t {
    NormalText,
    NormalBackground,
    WarningText,
    WarningBackground,
    CriticalText,
    CriticalBackground,
};

struct DiskPageValues {
    bool enableTempControl = false; // disk pages only
    bool useCommonSettings = false; // disk pages only
    std::string pollInterval;       // the box's text
    int32_t pollUnits = 0;          // list indexes, -1 for a stored one the list does not have
    int32_t showInTray = 0;
    std::array<int32_t, 6> colors{}; // by ColorSlot; -1 for a colour the lists do not have
    std::string warningLevel;        // degrees Celsius
    std::string criticalLevel;
    std::array<AlarmSettings, 2> alarms; // warning, critical; the method as its list's index
    bool operator==(const DiskPageValues&) const = default;
};

// Where a page was loaded from.
struct DiskPageSource {
    std::string settingsName; // "COMMON" or the disk's settings name
    bool disk = false;
    bool hadTemperature = false; // the disk gave a temperature when the page was loaded
};

// The values of a section as they are stored, in the page's form: what saving compares with.
DiskPageValues StoredDiskPageValues(const TOptionsSection& section, bool disk);

// The values of a section as the page shows them: an interval of 0 or less as 1, the levels as
// stored. `disk` is null for the common page; a disk without a temperature shows monitoring off.
DiskPageValues ReadDiskPageValues(const TOptionsSection& section, const DiskFacts* disk);

// Writes, in the order of the settings file, only the keys whose value differs from `stored`
// (what the page read, or wrote last), and returns what the file holds for the page now. So two
// pages of disks of the same model each write only their own edits, and a page whose values are
// stale after another page's save writes none of them back. A list or colour that cannot show
// its stored value (-1) writes nothing: the value set by hand stays. A disk that gave no
// temperature could not be switched on here, so its stored `EnableTempControl` is left as it is:
// one failed reading must not turn its monitoring off for good.
DiskPageValues WriteChangedDiskPageValues(const TOptionsSection& section,
                                          const DiskPageSource& source,
                                          const DiskPageValues& stored,
                                          const DiskPageValues& current);

} // namespace korvane
