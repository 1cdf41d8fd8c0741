// Ramped temperatures of simulated disks: the wave itself, its key, and the demo disk that warms
// through both alarm levels and cools again while the program runs.
#include "drives/sim/sim_driver.h"
#include "drives/sim/sim_ramp.h"
#include "drives/smart_wire.h"
#include "sim_sectors.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane::sim {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(TemperatureRamp, RisesFallsAndRepeatsAtItsRate) {
    const TemperatureRamp ramp{46, 63, 7};
    EXPECT_EQ(46, ramp.At(seconds(0)));
    EXPECT_EQ(46, ramp.At(seconds(8)));  // 0.93 degrees: not yet a whole one
    EXPECT_EQ(53, ramp.At(seconds(60))); // 7 degrees a minute
    EXPECT_EQ(62, ramp.At(seconds(140)));
    EXPECT_EQ(62, ramp.At(seconds(150)));                 // the top, 63, is passed at 2:25.7...
    EXPECT_EQ(60, ramp.At(seconds(163)));                 // ... and it cools at the same rate
    EXPECT_EQ(46, ramp.At(milliseconds(291430)));         // one whole wave
    EXPECT_EQ(53, ramp.At(milliseconds(291430 + 60000))); // and it starts over
    EXPECT_EQ(46, ramp.At(milliseconds(-5000)));          // a clock before the start: the start

    const TemperatureRamp cooling{40, 30, 5};
    EXPECT_EQ(35, cooling.At(seconds(60)));
    EXPECT_EQ(30, cooling.At(seconds(120)));
    EXPECT_EQ(35, cooling.At(seconds(180)));

    EXPECT_EQ(50, (TemperatureRamp{50, 50, 3}).At(seconds(100)));
}

TEST(TemperatureRamp, KeyTextNeedsTwoTemperaturesAndARateAboveZero) {
    const auto ramp = ParseRamp(" 46 , 63 ,7.5");
    ASSERT_TRUE(ramp);
    EXPECT_EQ(46, ramp->from);
    EXPECT_EQ(63, ramp->to);
    EXPECT_DOUBLE_EQ(7.5, ramp->degreesPerMinute);
    for (const char* bad : {"", "46,63", "46,63,7,1", "46,63,0", "46,63,-2", "a,63,7", "46,,7",
                            "46,63,7x", "46,63,nan", "46,63,inf"}) {
        EXPECT_FALSE(ParseRamp(bad)) << bad;
    }
}

class RampedDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = test::FreshTempDir(std::string("simramp_") + info->name());
        driver_ = CreateSimulatedDriver(test::JoinPath(folder_, "simulation.ini"));
        driver_->SetElapsedSource([this] { return elapsed_; });
    }

    // The temperature the disk reports through its attribute 194, as the program reads it; -1
    // when the disk does not answer or has no such attribute.
    int ReadTemperature(int drive) {
        const DeviceHandle h = driver_->Open("\\\\.\\PhysicalDrive" + std::to_string(drive),
                                             kGenericRead | kGenericWrite,
                                             kFileShareRead | kFileShareWrite, kOpenExisting);
        if (h == kInvalidDevice) {
            return -1;
        }
        const CommandBlock in =
            BuildCommandBlock(static_cast<uint8_t>(drive), kSectorSize,
                              AtaRegisters{kSmartReadAttributeValues, 1, 1, 0x4F, 0xC2, 0xB0});
        std::vector<uint8_t> block(kDataBlockSize, 0);
        const bool read = driver_->Control(h, kSmartRcvDriveData, in, block);
        driver_->Close(h);
        if (!read) {
            return -1;
        }
        const uint8_t* table = block.data() + kCmdOutHeaderSize + kAttributeTableOffset;
        for (size_t i = 0; i < kAttributeEntries; ++i) {
            const uint8_t* entry = table + i * kAttributeEntrySize;
            if (entry[0] == 194) {
                return entry[5];
            }
        }
        return -1;
    }

    std::string folder_;
    std::unique_ptr<SimulatedDriver> driver_;
    milliseconds elapsed_{0};
};

TEST_F(RampedDiskTest, DemoSetHasOneDiskThatPassesBothLevelsAndCoolsAgain) {
    // Three quiet disks and the warming one, with the first-run levels 50 and 60 in mind.
    EXPECT_EQ(36, ReadTemperature(0));
    EXPECT_EQ(44, ReadTemperature(1));
    EXPECT_EQ(31, ReadTemperature(2));
    EXPECT_EQ(46, ReadTemperature(3));

    // Read every 20 seconds, as the first-run poll interval does.
    int firstWarning = -1, firstCritical = -1, backToNormal = -1, criticalPolls = 0;
    for (int second = 0; second <= 300; second += 20) {
        elapsed_ = seconds(second);
        const int t = ReadTemperature(3);
        if (t > 50 && firstWarning < 0)
            firstWarning = second;
        if (t > 60) {
            ++criticalPolls;
            if (firstCritical < 0)
                firstCritical = second;
        }
        if (firstCritical >= 0 && t < 49 && backToNormal < 0)
            backToNormal = second;
        EXPECT_EQ(36, ReadTemperature(0)) << "the quiet disks stay put";
    }
    EXPECT_GT(firstWarning, 0);
    EXPECT_LE(firstWarning, 60);
    EXPECT_GT(firstCritical, firstWarning);
    EXPECT_LE(firstCritical, 160); // the countdown is on screen before three minutes
    // Above critical long enough for one poll, too short for a second countdown after the first.
    EXPECT_GE(criticalPolls, 1);
    EXPECT_LE(criticalPolls, 2);
    EXPECT_GT(backToNormal, firstCritical);
}

TEST_F(RampedDiskTest, RampKeyOverridesTheFixedTemperatureAndFollowsTheDriverClock) {
    test::WriteSimulationIni(folder_, "[PhysicalDrive1]\nTemperature=30\nRamp=40,50,10\n"
                                      "[PhysicalDrive2]\nTemperature=33\nRamp=broken\n");
    EXPECT_EQ(-1, ReadTemperature(0));
    EXPECT_EQ(40, ReadTemperature(1));
    EXPECT_EQ(33, ReadTemperature(2)); // a ramp that cannot be read leaves the fixed value
    elapsed_ = seconds(30);
    EXPECT_EQ(45, ReadTemperature(1));
    elapsed_ = seconds(90);
    EXPECT_EQ(45, ReadTemperature(1));
    EXPECT_EQ(33, ReadTemperature(2));
}

} // namespace
} // namespace korvane::sim
