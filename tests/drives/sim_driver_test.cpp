// The simulated driver on its own: what it refuses as a driver would, its replies, its INI format.
#include "drives/sim/sim_driver.h"

#include "drives/sim/sim_ini.h"
#include "drives/smart_wire.h"
#include "sim_sectors.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <vector>

namespace korvane::sim {
namespace {

using test::JoinPath;

std::string NtName(int drive) {
    return "\\\\.\\PhysicalDrive" + std::to_string(drive);
}

class SimDriverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = test::FreshTempDir(std::string("simdrv_") + info->name());
        driver_ = CreateSimulatedDriver(JoinPath(folder_, "simulation.ini"));
    }
    void Simulate(const std::string& ini) { test::WriteSimulationIni(folder_, ini); }
    DeviceHandle OpenNt(int drive) {
        return driver_->Open(NtName(drive), kGenericRead | kGenericWrite,
                             kFileShareRead | kFileShareWrite, kOpenExisting);
    }
    // SMART_RCV_DRIVE_DATA with the registers given; the reply lands in block_.
    bool Read(DeviceHandle h, uint8_t drive, const AtaRegisters& regs, uint32_t bufferSize = 512) {
        const CommandBlock in = BuildCommandBlock(drive, bufferSize, regs);
        block_.assign(kDataBlockSize, 0xEE);
        return driver_->Control(h, kSmartRcvDriveData, in, block_);
    }

    static constexpr AtaRegisters kIdentify{0, 1, 1, 0, 0, kAtaIdentifyDevice};
    static constexpr AtaRegisters kAttributes{kSmartReadAttributeValues, 1, 1, 0x4F, 0xC2, 0xB0};

    std::string folder_;
    std::unique_ptr<SimulatedDriver> driver_;
    std::vector<uint8_t> block_;
};

TEST_F(SimDriverTest, OpensOnlyConfiguredDrivesTheWayWindowsNeedsThem) {
    Simulate("[PhysicalDrive0]\n[physicaldrive2]\nFail=Open , version\n[PhysicalDrive15]\n"
             "[PhysicalDrive16]\n");
    const DeviceHandle h = OpenNt(0);
    EXPECT_NE(kInvalidDevice, h);
    EXPECT_EQ(kInvalidDevice, OpenNt(1));
    EXPECT_EQ(kInvalidDevice, OpenNt(2)); // Fail=open, matched without regard to case
    const DeviceHandle last = OpenNt(15);
    EXPECT_NE(kInvalidDevice, last);
    driver_->Close(last);
    EXPECT_EQ(kInvalidDevice, OpenNt(16));
    for (const char* name : {"\\\\.\\PhysicalDrive015", "\\\\.\\PhysicalDrive1x",
                             "\\\\.\\PhysicalDrive", "\\\\.\\PhysicalDrive-1"}) {
        EXPECT_EQ(kInvalidDevice, driver_->Open(name, 0, 3, kOpenExisting)) << name;
    }
    // A read-only handle opens, as for an administrator on Windows, but the I/O manager refuses
    // it the S.M.A.R.T. commands, which need read and write access.
    const DeviceHandle readOnly = driver_->Open(NtName(0), kGenericRead, 3, kOpenExisting);
    ASSERT_NE(kInvalidDevice, readOnly);
    std::vector<uint8_t> version(24);
    EXPECT_TRUE(driver_->Control(readOnly, kSmartGetVersion, {}, version));
    std::vector<uint8_t> block(kDataBlockSize);
    EXPECT_FALSE(driver_->Control(readOnly, kSmartRcvDriveData,
                                  BuildCommandBlock(0, 512, kIdentify), block));
    EXPECT_EQ("PhysicalDrive0 SMART_RCV_DRIVE_DATA -> error 5", driver_->Journal().back().line);
    driver_->Close(readOnly);
    EXPECT_EQ(kInvalidDevice,
              driver_->Open(NtName(0), kGenericRead | kGenericWrite, 3, kCreateNew));
    EXPECT_EQ(kInvalidDevice, driver_->Open("\\\\.\\PhysicalDrive00", 0xC0000000, 3, 3));
    EXPECT_EQ(kInvalidDevice, driver_->Open("\\\\.\\SMARTVSD", 0, 0, kOpenExisting));
    const DeviceHandle vxd = driver_->Open("\\\\.\\smartvsd", 0, 0, kCreateNew);
    EXPECT_NE(kInvalidDevice, vxd);
    EXPECT_EQ(2, driver_->OpenHandles());
    driver_->Close(h);
    driver_->Close(vxd);
    driver_->Close(vxd);
    EXPECT_EQ(0, driver_->OpenHandles());
    EXPECT_EQ(1, driver_->BadCloses());
}

TEST_F(SimDriverTest, VersionReplyMapsDrivesAndCapabilities) {
    Simulate("[PhysicalDrive0]\nCapabilities=0x5\n[PhysicalDrive3]\nAtapi=1\n");
    const DeviceHandle h = OpenNt(0);
    std::vector<uint8_t> version(24, 0xEE);
    ASSERT_TRUE(driver_->Control(h, kSmartGetVersion, {}, version));
    EXPECT_EQ(1, version[kVersionVersion]);
    EXPECT_EQ(0x89, version[kVersionIdeDeviceMap]); // drives 0 and 3, drive 3 ATAPI
    EXPECT_EQ(5u, ReadLe32(version.data() + kVersionCapabilities));
    EXPECT_EQ(0, version[2]);
    std::vector<uint8_t> small(23);
    EXPECT_FALSE(driver_->Control(h, kSmartGetVersion, {}, small));
    EXPECT_FALSE(driver_->Control(h, 0x00070000, {}, version)); // not a S.M.A.R.T. code
    EXPECT_FALSE(driver_->Control(0x12345, kSmartGetVersion, {}, version));
    driver_->Close(h);

    // The map's byte knows the four IDE positions: a fifth disk must not read as drive 0's
    // ATAPI bit.
    Simulate("[PhysicalDrive0]\n[PhysicalDrive4]\n[PhysicalDrive12]\n");
    const DeviceHandle again = OpenNt(4);
    ASSERT_TRUE(driver_->Control(again, kSmartGetVersion, {}, version));
    EXPECT_EQ(0x01, version[kVersionIdeDeviceMap]);
    driver_->Close(again);
}

TEST_F(SimDriverTest, RefusesMalformedDriveRequests) {
    Simulate("[PhysicalDrive1]\nModel=M\n");
    const DeviceHandle h = OpenNt(1);
    ASSERT_TRUE(Read(h, 1, kIdentify));
    EXPECT_EQ(512u, ReadLe32(block_.data()));         // SENDCMDOUTPARAMS.cBufferSize
    EXPECT_EQ(0, block_[kCmdOutDriverError]);         // and a clean DRIVERSTATUS
    EXPECT_EQ(0xA5, block_[kCmdOutHeaderSize + 510]); // the sector follows the 16-byte header
    ASSERT_TRUE(Read(h, 1, kAttributes));

    EXPECT_FALSE(Read(h, 0, kIdentify)); // another drive than the handle's
    EXPECT_FALSE(Read(h, 1, kIdentify, 0));
    EXPECT_FALSE(Read(h, 1, {0, 1, 1, 0, 0, kAtaIdentifyPacketDevice})); // not a packet device
    EXPECT_FALSE(Read(h, 1, {kSmartReadAttributeValues, 1, 1, 0x4F, 0xC3, 0xB0}));
    EXPECT_FALSE(Read(h, 1, {0xD5, 1, 1, 0x4F, 0xC2, 0xB0})); // a subcommand it does not offer
    EXPECT_FALSE(Read(h, 1, {0, 1, 1, 0, 0, 0x20}));

    CommandBlock in = BuildCommandBlock(1, 512, kIdentify);
    in[kCmdInDriveHead] = 0xA0; // drive 1 is the slave: 0xB0
    std::vector<uint8_t> out(kDataBlockSize);
    EXPECT_FALSE(driver_->Control(h, kSmartRcvDriveData, in, out));
    in = BuildCommandBlock(1, 512, kIdentify);
    EXPECT_FALSE(driver_->Control(h, kSmartRcvDriveData, std::span(in).first(31), out));
    out.resize(kDataBlockSize - 1);
    EXPECT_FALSE(driver_->Control(h, kSmartRcvDriveData, in, out));

    const CommandBlock enable =
        BuildCommandBlock(1, 0, {kSmartEnableOperations, 1, 1, 0x4F, 0xC2, 0xB0});
    std::vector<uint8_t> header(16, 0xEE);
    EXPECT_TRUE(driver_->Control(h, kSmartSendDriveCommand, enable, header));
    EXPECT_EQ(std::vector<uint8_t>(16, 0), header);
    const CommandBlock disable = BuildCommandBlock(1, 0, {0xD9, 1, 1, 0x4F, 0xC2, 0xB0});
    EXPECT_FALSE(driver_->Control(h, kSmartSendDriveCommand, disable, header));
    header.resize(15);
    EXPECT_FALSE(driver_->Control(h, kSmartSendDriveCommand, enable, header));
    driver_->Close(h);
}

TEST_F(SimDriverTest, BadSectorFilesFailTheirRequestOnly) {
    test::WriteFileBytes(JoinPath(folder_, "short.bin"), std::string(511, '\x01'));
    std::string longer = test::AttributeSectorBytes({{194, 100, {42, 0, 0, 0, 0, 0}}});
    longer += "trailing bytes beyond the sector";
    test::WriteFileBytes(JoinPath(folder_, "long.bin"), longer);
    Simulate("[PhysicalDrive0]\nIdentifySector=missing.bin\nSmartSector=short.bin\n"
             "[PhysicalDrive1]\nSmartSector=long.bin\nThresholdSector=short.bin\n");
    const DeviceHandle h0 = OpenNt(0);
    EXPECT_FALSE(Read(h0, 0, kIdentify));
    EXPECT_FALSE(Read(h0, 0, kAttributes));
    EXPECT_TRUE(Read(h0, 0, {kSmartReadAttributeThresholds, 1, 1, 0x4F, 0xC2, 0xB0}));
    driver_->Close(h0);

    const DeviceHandle h1 = OpenNt(1);
    EXPECT_TRUE(Read(h1, 1, kIdentify));
    ASSERT_TRUE(Read(h1, 1, kAttributes)); // the first 512 bytes of a longer file
    EXPECT_EQ(194, block_[kCmdOutHeaderSize + 2]);
    EXPECT_EQ(42, block_[kCmdOutHeaderSize + 2 + 5]);
    EXPECT_FALSE(Read(h1, 1, {kSmartReadAttributeThresholds, 1, 1, 0x4F, 0xC2, 0xB0}));
    driver_->Close(h1);
}

TEST_F(SimDriverTest, MalformedSimulationFilesNeverBreakIt) {
    const std::string garbage[] = {
        std::string("\0\xFF\x01[PhysicalDrive0\n=\n[]\n", 20),
        "[PhysicalDrive0]\nSectors=-5\nTemperature=hot\nCapabilities=0x\nAtapi=yes\nFail=,,\n",
        "[PhysicalDrive0]\nSectors=99999999999999999999999\nTemperature=99999999999\n"
        "IdentifySector=\nSmartSector=" +
            folder_ + "\n", // a folder, not a file
        std::string(3000, '['),
    };
    for (const std::string& text : garbage) {
        Simulate(text);
        const DeviceHandle h = OpenNt(0);
        if (h != kInvalidDevice) {
            Read(h, 0, kIdentify);
            Read(h, 0, kAttributes);
            driver_->Close(h);
        }
    }
    EXPECT_EQ(0, driver_->OpenHandles());

    // The second file above: bad numbers fall back to the defaults.
    Simulate(garbage[1]);
    const DeviceHandle h = OpenNt(0);
    ASSERT_TRUE(Read(h, 0, kIdentify));
    EXPECT_EQ(156301488u, ReadLe32(block_.data() + kCmdOutHeaderSize + kIdentifySectors));
    driver_->Close(h);
}

TEST_F(SimDriverTest, MissingFileMeansTheDemoDisks) {
    int disks = 0;
    for (int drive = 0; drive < 4; ++drive) {
        const DeviceHandle h = OpenNt(drive);
        if (h == kInvalidDevice) {
            continue;
        }
        ++disks;
        EXPECT_TRUE(Read(h, static_cast<uint8_t>(drive), kAttributes));
        driver_->Close(h);
    }
    EXPECT_EQ(4, disks);
}

TEST(SimDisks, SynthesizedSectorsAreSealedAndFollowAtaConventions) {
    Sector identify = SynthesizeIdentify("ABC", "XY", 0x0FFFFFFF, false);
    EXPECT_EQ('B', identify[kIdentifyModel]);
    EXPECT_EQ('A', identify[kIdentifyModel + 1]);
    EXPECT_EQ(' ', identify[kIdentifyModel + 2]);
    EXPECT_EQ('C', identify[kIdentifyModel + 3]);
    EXPECT_EQ(' ', identify[kIdentifyModel + 39]);

    Sector attributes = SynthesizeAttributes();
    ApplyTemperature(attributes, 45);
    for (const Sector& s : {identify, attributes, SynthesizeThresholds(attributes)}) {
        uint8_t sum = 0;
        for (uint8_t b : s) {
            sum = static_cast<uint8_t>(sum + b);
        }
        EXPECT_EQ(0, sum);
    }

    // A full table without 194 has no room for one.
    std::vector<test::SimAttributeEntry> entries(30, {7, 100, {1, 2, 3, 4, 5, 6}});
    const std::string bytes = test::AttributeSectorBytes(entries);
    Sector full;
    std::copy(bytes.begin(), bytes.end(), full.begin());
    const Sector before = full;
    ApplyTemperature(full, 50);
    EXPECT_EQ(before, full);
}

TEST(SimIniFormat, FollowsProfileFileRules) {
    const SimIni ini = SimIni::Parse("; comment\r\n[Disk]\r\n  model = \" Padded \" \r\n"
                                     "MODEL=second\r\n# also a comment\r\nnovalue\r\n"
                                     "[disk]\r\nModel=third section\r\n[Other]\nEmpty=\n");
    EXPECT_EQ(" Padded ", ini.Value("DISK", "Model").value_or("?"));
    EXPECT_TRUE(ini.HasSection("other"));
    EXPECT_EQ("", ini.Value("Other", "Empty").value_or("?"));
    EXPECT_FALSE(ini.Value("Other", "Missing").has_value());
    EXPECT_FALSE(ini.Value("Nowhere", "Model").has_value());
}

// Polls open the disk every second: a settled simulation.ini is read again only when it changes.
TEST_F(SimDriverTest, ReadsTheSettingsAgainOnlyWhenTheFileChanges) {
    const std::string path = JoinPath(folder_, "simulation.ini");
    const auto settle = [&path] {
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::hours(1));
    };
    // Just written: the time stamp may not move at the next write, so each open reads it.
    Simulate("[PhysicalDrive0]\nTemperature=41\n");
    driver_->Close(OpenNt(0));
    driver_->Close(OpenNt(0));
    EXPECT_EQ(2, driver_->Loads());

    settle();
    driver_->Close(OpenNt(0));
    const int loads = driver_->Loads();
    driver_->Close(OpenNt(0));
    driver_->Close(OpenNt(0));
    EXPECT_EQ(loads, driver_->Loads());

    // The same size, another time stamp: read again, and the new disk set answers.
    Simulate("[PhysicalDrive1]\nTemperature=41\n");
    settle();
    EXPECT_EQ(kInvalidDevice, OpenNt(0));
    const DeviceHandle other = OpenNt(1);
    EXPECT_NE(kInvalidDevice, other);
    driver_->Close(other);
    EXPECT_EQ(loads + 1, driver_->Loads());

    // Gone: the demo set, read once and kept while the file stays away.
    std::filesystem::remove(path);
    driver_->Close(OpenNt(0));
    driver_->Close(OpenNt(0));
    EXPECT_EQ(loads + 2, driver_->Loads());
}

// A refresh opens a second handle while its first is open: only the first looks at the file, and
// a change made in between shows once every handle is closed, at the next refresh.
TEST_F(SimDriverTest, AnOpenBesideAnOpenDeviceKeepsTheDisksTheFirstFound) {
    Simulate("[PhysicalDrive0]\nTemperature=41\n"); // just written: each look reads it again
    const DeviceHandle first = OpenNt(0);
    const int loads = driver_->Loads();
    Simulate("[PhysicalDrive1]\nTemperature=41\n");
    const DeviceHandle second = OpenNt(0);
    EXPECT_NE(kInvalidDevice, second);
    EXPECT_EQ(loads, driver_->Loads());
    driver_->Close(second);
    driver_->Close(first);
    EXPECT_EQ(kInvalidDevice, OpenNt(0));
    EXPECT_EQ(loads + 1, driver_->Loads());
}

} // namespace
} // namespace korvane::sim
