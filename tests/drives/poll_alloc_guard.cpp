// The steady poll makes no heap allocation of its own: what it allocates at all is the settings
// reads' values, the simulated driver's journal and the file system stand-in's streams. A program
// of its own (tests/drives/tests.cmake), as it counts every allocation of the process.
#include "poll_rig.h"

#include "settings/keys.h"

#include <gtest/gtest.h>

#include <array>

namespace korvane {
namespace {

using test::PollRig;

// Model texts longer than a short string's inline room, so that a copy of one would allocate.
constexpr const char* kTwoDisks = "[PhysicalDrive0]\nModel=Guard Disk WD5000AAKX-00ERMA0\n"
                                  "Serial=G1\nSectors=976773168\nTemperature=42\n"
                                  "[PhysicalDrive1]\nModel=Guard Disk ST3000DM001-1CH166\n"
                                  "Serial=G2\nSectors=156301488\nTemperature=55\n";

TEST(PollAllocationTest, SteadyPollsOfTwoDisksAllocateNothingOfTheirOwn) {
    PollRig rig("poll_alloc_guard", kTwoDisks);
    std::array<std::unique_ptr<TDrive>, 2> drives{std::make_unique<TDrive>(0, rig.context),
                                                  std::make_unique<TDrive>(1, rig.context)};
    const auto pollAll = [&drives](int times) {
        for (int i = 0; i < times; ++i) {
            for (auto& drive : drives) {
                drive->Poll();
            }
        }
    };
    // Registers both disks; the second then keeps its own settings rather than the common ones,
    // so that both ways to a disk's settings are walked.
    pollAll(2);
    rig.options.GetDriveSection(drives[1]->ModelText())
        .WriteBool(SettingsName(key::UseCommonSettings), false);
    pollAll(2);
    ASSERT_TRUE(drives[0]->IsIconShown());
    ASSERT_TRUE(drives[1]->IsIconShown());
    ASSERT_EQ(drives[0]->Status(), TTempStatus::Normal);
    ASSERT_EQ(drives[1]->Status(), TTempStatus::Warning);

    constexpr int kPolls = 50;
    const PollRig::Split before = rig.Now();
    pollAll(kPolls);
    const PollRig::Split made = rig.Now() - before;

    EXPECT_EQ(made.Rest(), 0) << "of " << made.all << " allocations, " << made.inReads
                              << " in the settings reads, " << made.inDriver
                              << " in the simulated driver, " << made.inFiles
                              << " in the file system";
    // The polls did their work: they read the settings and logged every reading.
    EXPECT_GE(made.reads, 2 * kPolls * 10);
    EXPECT_EQ(made.appends, 2 * kPolls);
    EXPECT_EQ(rig.posixFiles.FindFiles(rig.dir + "\\logs\\*.log").size(), 2u);
}

} // namespace
} // namespace korvane
