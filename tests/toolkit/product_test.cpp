// The product's facts that outlive a build: what the installer, the scripts, an earlier copy's
// autostart value and a running copy's mutex know the program by.
#include "toolkit/product.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ProductFacts, NamesSeenFromOutsideTheProgramKeepTheirBytes) {
    EXPECT_STREQ("Korvane", kProductName);
    EXPECT_STREQ("Brelo_Korvn", kAutostartValueName);
    EXPECT_STREQ("KorvaneMonitor.RunningMutex", kRunningMutexName);
}

} // namespace
} // namespace korvane
