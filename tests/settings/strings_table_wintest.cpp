// The string table linked into the program matches the key names the code uses.
#include "settings/keys.h"

#include "toolkit/win32.h"

#include <gtest/gtest.h>

#include <set>

namespace korvane {
namespace {

TEST(SettingsStringTable, EveryEntryLoadsWithItsName) {
    std::set<uint16_t> ids;
    for (const SettingsString& entry : kSettingsStrings) {
        char buffer[256] = {};
        const int length = LoadStringA(GetModuleHandleA(nullptr), entry.id, buffer, sizeof buffer);
        EXPECT_EQ(std::string(entry.name), std::string(buffer, length > 0 ? length : 0))
            << "id " << entry.id;
        EXPECT_TRUE(ids.insert(entry.id).second) << "id " << entry.id << " twice";
    }
    EXPECT_EQ(37u, ids.size()); // with EventLogEnabled, MetricsFile and TrayPinHintShown
}

} // namespace
} // namespace korvane
