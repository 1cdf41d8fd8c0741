// TSmart against the simulated driver: identity, attribute records, refusals and handle hygiene.
#include "drives/smart.h"

#include "drives/sim/sim_driver.h"
#include "fake_os_version.h"
#include "sim_sectors.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace korvane {
namespace {

using test::AttributeSectorBytes;
using test::FixedOsVersion;
using test::IdentifySectorBytes;
using test::JoinPath;
using test::WriteFileBytes;

class SmartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = test::FreshTempDir(std::string("smart_") + info->name());
        driver_ = sim::CreateSimulatedDriver(JoinPath(folder_, "simulation.ini"));
    }
    void TearDown() override {
        // Whatever a test did, every refresh must have closed what it opened.
        EXPECT_EQ(0, driver_->OpenHandles());
        EXPECT_EQ(0, driver_->BadCloses());
    }

    void Simulate(const std::string& ini) { test::WriteSimulationIni(folder_, ini); }
    void File(const std::string& name, const std::string& bytes) {
        WriteFileBytes(JoinPath(folder_, name), bytes);
    }
    TSmart& Refreshed(uint8_t drive, uint32_t platform = kPlatformWin32Nt) {
        os_ = std::make_unique<FixedOsVersion>(platform);
        smart_ = std::make_unique<TSmart>(drive, *driver_, *os_);
        smart_->Refresh();
        return *smart_;
    }
    bool Sent(uint8_t command) const {
        for (const sim::SimRequest& r : driver_->Journal()) {
            if (r.command == command) {
                return true;
            }
        }
        return false;
    }

    std::string folder_;
    std::unique_ptr<sim::SimulatedDriver> driver_;
    std::unique_ptr<FixedOsVersion> os_;
    std::unique_ptr<TSmart> smart_;
};

TEST(SmartBytePairs, SwapsPairsInPlaceAndLeavesAnOddTail) {
    uint8_t bytes[] = {'D', 'W', ' ', 'C', 'x'};
    TSmart::SwapBytePairs(bytes, 5);
    EXPECT_EQ(std::string("WDC x"), std::string(reinterpret_cast<char*>(bytes), 5));
    TSmart::SwapBytePairs(bytes, 0);
    EXPECT_EQ('W', bytes[0]);
}

TEST_F(SmartTest, ReadsIdentityAndTemperatureOfASynthesizedDisk) {
    Simulate("[PhysicalDrive1]\nModel=Maxtor 6Y080L0\nSerial=Y2ABCDEF\nSectors=156301488\n"
             "Temperature=41\n");
    TSmart& smart = Refreshed(1);
    EXPECT_TRUE(smart.Opened() && smart.VersionRead() && smart.Identified() &&
                smart.SmartEnabled() && smart.AttributesRead());
    EXPECT_EQ("Maxtor 6Y080L0", smart.Model()); // inner blank kept, padding gone
    EXPECT_EQ("Y2ABCDEF", smart.SerialNumber());
    EXPECT_DOUBLE_EQ(78.150744, smart.CapacityGB());

    TSmartAttribute temperature;
    smart.FindAttribute(194, temperature);
    EXPECT_EQ(194, temperature.Id);
    EXPECT_EQ("Temperature", temperature.Name);
    EXPECT_EQ(41, temperature.Raw & 0xFF);
    EXPECT_EQ("000000000029", temperature.RawHex);

    TSmartAttribute reallocated;
    smart.FindAttribute(5, reallocated);
    EXPECT_EQ("Reallocated Sector Count", reallocated.Name);
    EXPECT_EQ(36, reallocated.Threshold); // paired by position with the threshold sector

    // The 28-bit ceiling that bigger disks report; texts cut to their IDENTIFY fields.
    Simulate("[PhysicalDrive1]\nModel=" + std::string(38, 'M') +
             "xyz\nSerial=" + std::string(19, 'S') + "xy\nSectors=268435455\n");
    TSmart& big = Refreshed(1);
    EXPECT_DOUBLE_EQ(134.2177275, big.CapacityGB());
    EXPECT_EQ(std::string(38, 'M') + "xy", big.Model());
    EXPECT_EQ(std::string(19, 'S') + "x", big.SerialNumber());
}

TEST_F(SmartTest, ParsesRawIdentifySectors) {
    // Stored as the disk stores it: two characters per word, swapped; zero-padded, blank-padded.
    File("blank.bin", IdentifySectorBytes(std::string(40, ' '), std::string(20, ' '), 0));
    File("wdc.bin", IdentifySectorBytes(std::string("DW C") + std::string(36, '\0'),
                                        std::string("  1234") + std::string(14, ' '), 1000));
    Simulate(
        "[PhysicalDrive0]\nIdentifySector=blank.bin\n[PhysicalDrive2]\nIdentifySector=wdc.bin\n");

    TSmart& blank = Refreshed(0);
    EXPECT_TRUE(blank.Identified());
    EXPECT_EQ("", blank.Model());
    EXPECT_EQ("", blank.SerialNumber());
    EXPECT_EQ(0.0, blank.CapacityGB());

    TSmart& wdc = Refreshed(2);
    EXPECT_EQ("WDC", wdc.Model());
    EXPECT_EQ("2143", wdc.SerialNumber());
    EXPECT_DOUBLE_EQ(0.0005, wdc.CapacityGB());
}

TEST_F(SmartTest, BuildsAttributeRecordsFromRawTables) {
    File("smart.bin", AttributeSectorBytes({
                          {9, 90, {0x10, 0x20, 0, 0, 0, 0}},
                          {194, 100, {35, 0, 15, 0, 45, 0}},
                          {0, 0, {}}, // an empty slot before a later entry
                          {194, 50, {60, 0, 0, 0, 0, 0}},
                          {231, 10, {0, 0, 0, 0, 0, 0}},
                          {195, 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                      }));
    Simulate("[PhysicalDrive0]\nModel=M\nSmartSector=smart.bin\n");
    TSmart& smart = Refreshed(0);
    ASSERT_TRUE(smart.AttributesRead());

    TSmartAttribute record;
    smart.FindAttribute(194, record); // the lower of two entries with the same id
    EXPECT_EQ("002D000F0023", record.RawHex);
    EXPECT_EQ((int64_t{45} << 32) + (15 << 16) + 35, record.Raw);
    EXPECT_EQ(35, record.Raw & 0xFF);
    EXPECT_EQ(100, record.Value);
    EXPECT_EQ(0, record.Threshold); // the synthesized threshold table lists 194 with 0

    smart.FindAttribute(0, record); // empty slots are never found
    EXPECT_EQ(TSmartAttribute{}, record);
    smart.FindAttribute(200, record);
    EXPECT_EQ(TSmartAttribute{}, record);

    smart.GetAttribute(2, record);
    EXPECT_EQ("No Attribute Here", record.Name);
    EXPECT_EQ("000000000000", record.RawHex);
    smart.GetAttribute(4, record);
    EXPECT_EQ("Temperature", record.Name); // 231 is a temperature too, by name
    EXPECT_EQ(0, record.Raw);              // ...but a zero raw value is no temperature
    smart.GetAttribute(5, record);
    EXPECT_EQ("(Vendor-Specific)", record.Name);
    EXPECT_EQ(0xFFFFFFFFFFFF, record.Raw); // 48 bits, never negative

    for (int index : {-1, 30, 1000}) {
        smart.GetAttribute(index, record);
        EXPECT_EQ(TSmartAttribute{}, record) << index;
    }
}

TEST_F(SmartTest, TemperatureRewritesOnlyTheLowestRawByte) {
    File("smart.bin", AttributeSectorBytes({{194, 100, {0, 0, 15, 0, 45, 0}}}));
    File("no194.bin", AttributeSectorBytes({{9, 100, {1, 0, 0, 0, 0, 0}}}));
    Simulate("[PhysicalDrive0]\nSmartSector=smart.bin\nTemperature=300\n"
             "[PhysicalDrive1]\nSmartSector=no194.bin\nTemperature=38\n"
             "[PhysicalDrive2]\nSmartSector=smart.bin\n");
    TSmartAttribute record;
    Refreshed(0).FindAttribute(194, record);
    EXPECT_EQ("002D000F002C", record.RawHex); // 300 = 0x12C: its lowest byte only

    Refreshed(1).FindAttribute(194, record);
    EXPECT_EQ("000000000026", record.RawHex);
    smart_->GetAttribute(1, record); // added in the first empty slot
    EXPECT_EQ(194, record.Id);

    Refreshed(2).FindAttribute(194, record); // no Temperature: the file's zero stays
    EXPECT_EQ("002D000F0000", record.RawHex);
    EXPECT_EQ(0, record.Raw & 0xFF);
}

TEST_F(SmartTest, AtapiDevicesNeedThePacketIdentifyCapability) {
    Simulate("[PhysicalDrive0]\nModel=CD\nAtapi=1\n[PhysicalDrive1]\nModel=CD\nAtapi=1\n"
             "Capabilities=5\n[PhysicalDrive2]\nModel=Disk\nCapabilities=6\n");
    TSmart& atapi = Refreshed(0);
    EXPECT_TRUE(atapi.Identified());
    EXPECT_EQ("CD", atapi.Model());
    EXPECT_TRUE(Sent(0xA1));
    EXPECT_FALSE(Sent(0xEC));

    driver_->ClearJournal();
    TSmart& noPacket = Refreshed(1);
    EXPECT_TRUE(noPacket.VersionRead());
    EXPECT_FALSE(noPacket.Identified());
    EXPECT_FALSE(Sent(0xA1) || Sent(0xEC)); // no identify request without the capability

    driver_->ClearJournal();
    TSmart& noAta = Refreshed(2);
    EXPECT_FALSE(noAta.Identified());
    EXPECT_TRUE(noAta.Capabilities().atapiIdentify);
    EXPECT_FALSE(Sent(0xEC));
}

TEST_F(SmartTest, EachRefusedStepEndsWithItsFlags) {
    struct Case {
        const char* step;
        bool opened, version, identified, enabled, attributes;
    };
    const Case cases[] = {
        {"open", false, false, false, false, false},
        {"version", true, false, false, false, false},
        {"identify", true, true, false, false, false},
        {"enable", true, true, true, false, false},
        {"attributes", true, true, true, true, false},
        {"thresholds", true, true, true, true, true},
    };
    for (const Case& c : cases) {
        // Without the failure-prediction data the storage queries give this disk nothing: what
        // is left is the S.M.A.R.T. path alone.
        Simulate(std::string("[PhysicalDrive3]\nModel=M\nTemperature=40\nPredictFailure=0\nFail=") +
                 c.step + "\n");
        TSmart& smart = Refreshed(3);
        EXPECT_EQ(c.opened, smart.Opened()) << c.step;
        EXPECT_EQ(c.version, smart.VersionRead()) << c.step;
        EXPECT_EQ(c.identified, smart.Identified()) << c.step;
        EXPECT_EQ(c.enabled, smart.SmartEnabled()) << c.step;
        EXPECT_EQ(c.attributes, smart.AttributesRead()) << c.step;
        TSmartAttribute record;
        smart.FindAttribute(194, record);
        EXPECT_EQ(c.attributes ? 40 : 0, record.Raw) << c.step;
        EXPECT_EQ(0, driver_->OpenHandles()) << c.step;
    }
    // A refused threshold read leaves every threshold 0.
    for (int index = 0; index < 30; ++index) {
        TSmartAttribute record;
        smart_->GetAttribute(index, record);
        EXPECT_EQ(0, record.Threshold) << index;
    }
}

TEST_F(SmartTest, MissingDrivesAndNumbersBeyondTheSystemsReachAreNeverReached) {
    Simulate("[PhysicalDrive0]\nModel=M\n[PhysicalDrive4]\nModel=Four\n[PhysicalDrive15]\n"
             "Model=Fifteen\n[PhysicalDrive16]\nModel=Ignored\n");
    EXPECT_FALSE(Refreshed(1).Opened());
    EXPECT_EQ(2, driver_->OpenAttempts()); // the power-state handle and the S.M.A.R.T. one
    // NT opens PhysicalDrive0 to 15; a disk past the IDE positions is an ATA disk, and the
    // first disk stays one beside it.
    EXPECT_EQ("Fifteen", Refreshed(15).Model());
    EXPECT_EQ("Four", Refreshed(4).Model());
    EXPECT_EQ("M", Refreshed(0).Model());
    const int attempts = driver_->OpenAttempts();
    EXPECT_FALSE(Refreshed(16).Opened());
    EXPECT_FALSE(Refreshed(200).Opened());
    // The 95/98 VxD knows the four IDE positions only.
    EXPECT_EQ("M", Refreshed(0, kPlatformWin32Windows).Model());
    EXPECT_FALSE(Refreshed(4, kPlatformWin32Windows).Opened());
    EXPECT_EQ(attempts + 1, driver_->OpenAttempts()); // the VxD open of drive 0 alone
}

TEST_F(SmartTest, AFailedIdentifyKeepsTheLastModelUntilTheNextOneSucceeds) {
    Simulate("[PhysicalDrive0]\nModel=First\nTemperature=30\n");
    TSmart smart(0, *driver_, FixedOsVersion(kPlatformWin32Nt));
    smart.Refresh();
    EXPECT_EQ("First", smart.Model());

    Simulate("[PhysicalDrive0]\nModel=Second\nFail=identify\n");
    smart.Refresh();
    EXPECT_FALSE(smart.Identified());
    EXPECT_FALSE(smart.AttributesRead());
    EXPECT_EQ("First", smart.Model());
    TSmartAttribute record;
    smart.FindAttribute(194, record);
    EXPECT_EQ(TSmartAttribute{}, record);

    Simulate("[PhysicalDrive0]\nModel=Second\n");
    smart.Refresh();
    EXPECT_EQ("Second", smart.Model());
}

// Each refresh looks at simulation.ini once (its two opens share the look) and sees a change
// made before it, settled or just written.
TEST_F(SmartTest, EachRefreshReadsAChangedSimulationFileOnce) {
    const std::string path = JoinPath(folder_, "simulation.ini");
    const auto settle = [&path](int hours) {
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::hours(hours));
    };
    Simulate("[PhysicalDrive0]\nModel=Disk\nTemperature=30\n");
    TSmart smart(0, *driver_, FixedOsVersion(kPlatformWin32Nt));
    smart.Refresh();
    EXPECT_EQ(30, smart.Temperature());
    const int loads = driver_->Loads();
    smart.Refresh(); // just written: read again, once
    EXPECT_EQ(loads + 1, driver_->Loads());

    Simulate("[PhysicalDrive0]\nModel=Disk\nTemperature=35\n");
    settle(1);
    smart.Refresh();
    EXPECT_EQ(35, smart.Temperature());
    Simulate("[PhysicalDrive0]\nModel=Disk\nTemperature=36\n");
    settle(2);
    smart.Refresh();
    EXPECT_EQ(36, smart.Temperature());
    EXPECT_EQ(loads + 3, driver_->Loads());
    smart.Refresh(); // settled and unchanged: not read
    EXPECT_EQ(loads + 3, driver_->Loads());
}

TEST_F(SmartTest, NinetyEightFamilyUsesTheVxdAndSelectsTheDriveInTheRequest) {
    Simulate("[PhysicalDrive0]\nModel=Master\n[PhysicalDrive1]\nModel=Slave\nTemperature=33\n");
    TSmart& slave = Refreshed(1, kPlatformWin32Windows);
    EXPECT_TRUE(slave.AttributesRead());
    EXPECT_EQ("Slave", slave.Model());
    ASSERT_FALSE(driver_->Journal().empty());
    EXPECT_EQ(1, driver_->Journal().back().driveNumber);

    EXPECT_TRUE(Refreshed(2, kPlatformWin32Windows).Opened()); // the VxD opens...
    EXPECT_FALSE(smart_->Identified());                        // ...but has no drive 2
}

} // namespace
} // namespace korvane
