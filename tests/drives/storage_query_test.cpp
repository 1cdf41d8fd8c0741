// TSmart behind the S.M.A.R.T. path: the storage queries over the simulated driver, elevated or
// not, SATA, NVMe and USB, Windows 10 and earlier, and disks that sleep.
#include "drives/smart.h"

#include "drives/sim/sim_driver.h"
#include "fake_os_version.h"
#include "sim_sectors.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane {
namespace {

using test::JoinPath;

class StorageQueryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = test::FreshTempDir(std::string("storage_") + info->name());
        UseSystem(10);
    }
    void TearDown() override {
        EXPECT_EQ(0, driver_->OpenHandles());
        EXPECT_EQ(0, driver_->BadCloses());
    }
    // The program and its drivers on Windows `major` (10 or 6 for Windows 7).
    void UseSystem(uint32_t major) {
        os_ = std::make_unique<test::FixedOsVersion>(kPlatformWin32Nt, major, major == 6 ? 1 : 0);
        driver_ = std::make_unique<sim::SimulatedDriver>(JoinPath(folder_, "simulation.ini"),
                                                         os_->Read());
    }
    void Simulate(const std::string& ini) { test::WriteSimulationIni(folder_, ini); }
    TSmart& Refreshed(uint8_t drive) {
        smart_ = std::make_unique<TSmart>(drive, *driver_, *os_);
        smart_->Refresh();
        return *smart_;
    }
    // The journal's lines since it was last cleared.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const sim::SimRequest& r : driver_->Journal()) {
            lines.push_back(r.line);
        }
        return lines;
    }
    bool Logged(const std::string& line) const {
        const auto lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    std::string folder_;
    std::unique_ptr<test::FixedOsVersion> os_;
    std::unique_ptr<sim::SimulatedDriver> driver_;
    std::unique_ptr<TSmart> smart_;
};

constexpr const char* kSataDisk = "[PhysicalDrive0]\nBus=SATA\nModel=ST2000DM008-2FR102\n"
                                  "Serial=ZFL0ABCD\nSectors=3907029168\nSectors48=3907029168\n"
                                  "Temperature=38\n";

TEST_F(StorageQueryTest, AnUnelevatedSataDiskIsKnownAsTheElevatedProgramKnowsIt) {
    Simulate(kSataDisk);
    TSmart& elevated = Refreshed(0);
    ASSERT_EQ(DiskReadPath::Smart, elevated.ReadPath());
    const std::string model = elevated.Model();
    const std::string serial = elevated.SerialNumber();
    const double capacity = elevated.CapacityGB();
    const double real = elevated.RealCapacityGB();
    EXPECT_DOUBLE_EQ(134.2177275, capacity); // the 28-bit count names the log file
    EXPECT_DOUBLE_EQ(1953.514584, real);

    Simulate(std::string("[Sim]\nElevated=0\n") + kSataDisk);
    driver_->ClearJournal();
    TSmart& plain = Refreshed(0);
    EXPECT_TRUE(plain.Opened() && plain.Identified());
    EXPECT_EQ(DiskReadPath::TemperatureProperty, plain.ReadPath());
    EXPECT_EQ(38, plain.Temperature());
    EXPECT_EQ(model, plain.Model());
    EXPECT_EQ(serial, plain.SerialNumber());
    EXPECT_DOUBLE_EQ(capacity, plain.CapacityGB());
    EXPECT_DOUBLE_EQ(real, plain.RealCapacityGB());
    EXPECT_FALSE(plain.AttributesRead()); // the property gives no attribute table
    EXPECT_TRUE(Logged("PhysicalDrive0 open access=0xC0000000 -> error 5"));
    EXPECT_TRUE(Logged("PhysicalDrive0 IOCTL_STORAGE_QUERY_PROPERTY "
                       "StorageDeviceTemperatureProperty -> ok"));
}

TEST_F(StorageQueryTest, NvmeDisksAnswerThePropertyOrElseTheirHealthLog) {
    for (const char* elevated : {"1", "0"}) {
        Simulate(std::string("[Sim]\nElevated=") + elevated +
                 "\n[PhysicalDrive1]\nBus=NVMe\nModel=WD Blue SN570 1TB\nSerial=22047A8\n"
                 "Sectors=1953525168\nTemperature=44\n");
        driver_->ClearJournal();
        TSmart& nvme = Refreshed(1);
        EXPECT_EQ(DiskReadPath::TemperatureProperty, nvme.ReadPath()) << elevated;
        EXPECT_EQ(44, nvme.Temperature());
        EXPECT_EQ("WD Blue SN570 1TB", nvme.Model());    // the "NVMe" vendor placeholder is no name
        EXPECT_DOUBLE_EQ(976.762584, nvme.CapacityGB()); // no 28-bit limit outside ATA
        // NVMe controllers do not pass S.M.A.R.T. requests, and without rights none is sent.
        EXPECT_TRUE(Logged(elevated[0] == '1'
                               ? "PhysicalDrive1 SMART_GET_VERSION -> refused"
                               : "PhysicalDrive1 open access=0xC0000000 -> error 5"));
    }

    Simulate("[PhysicalDrive1]\nBus=NVMe\nModel=N\nTemperature=52\nTemperatureProperty=0\n");
    EXPECT_EQ(DiskReadPath::NvmeHealthLog, Refreshed(1).ReadPath());
    EXPECT_EQ(52, smart_->Temperature());

    // Zero kelvin (-273) is a controller that reports nothing, however it is asked.
    Simulate("[PhysicalDrive1]\nBus=NVMe\nModel=N\nTemperature=-273\n");
    EXPECT_EQ(DiskReadPath::None, Refreshed(1).ReadPath());
    EXPECT_EQ(-1, smart_->Temperature());
    EXPECT_FALSE(smart_->Identified()); // never gave a temperature: no disk to watch
    // 0 C through the property, then 273 K in the health log: no reading either way.
    for (const char* elevated : {"1", "0"}) {
        Simulate(std::string("[Sim]\nElevated=") + elevated +
                 "\n[PhysicalDrive1]\nBus=NVMe\nModel=N\nTemperature=0\n");
        driver_->ClearJournal();
        EXPECT_EQ(DiskReadPath::None, Refreshed(1).ReadPath()) << elevated;
        EXPECT_FALSE(smart_->Identified()) << elevated;
        EXPECT_TRUE(Logged("PhysicalDrive1 IOCTL_STORAGE_QUERY_PROPERTY "
                           "StorageDeviceProtocolSpecificProperty -> ok"));
    }
    std::string log(512, '\0');
    log[1] = 0x3A; // 0x013A = 314 K = 41 C
    log[2] = 0x01;
    test::WriteFileBytes(JoinPath(folder_, "health.bin"), log);
    Simulate("[PhysicalDrive1]\nBus=NVMe\nModel=N\nNvmeLogSector=health.bin\n"
             "TemperatureProperty=0\n");
    EXPECT_EQ(41, Refreshed(1).Temperature());
}

TEST_F(StorageQueryTest, WindowsSevenReadsAtaDisksThroughTheFailurePredictionDataOnly) {
    UseSystem(6);
    test::WriteFileBytes(JoinPath(folder_, "smart.bin"),
                         test::AttributeSectorBytes({{9, 92, {0x2E, 0x1C, 0, 0, 0, 0}},
                                                     {194, 64, {36, 0, 18, 0, 49, 0}}}));
    Simulate("[Sim]\nElevated=0\n[PhysicalDrive0]\nBus=SATA\nModel=WDC WD10EZEX-08WN4A0\n"
             "SmartSector=smart.bin\n[PhysicalDrive1]\nBus=NVMe\nModel=N\nTemperature=40\n");
    TSmart& sata = Refreshed(0);
    EXPECT_EQ(DiskReadPath::PredictFailure, sata.ReadPath());
    EXPECT_EQ(36, sata.Temperature());
    EXPECT_EQ("WDC WD10EZEX-08WN4A0", sata.Model());
    // Its attribute table is the failure-prediction data, without thresholds.
    ASSERT_TRUE(sata.AttributesRead());
    TSmartAttribute record;
    sata.GetAttribute(0, record);
    EXPECT_EQ(9, record.Id);
    EXPECT_EQ(0x1C2E, record.Raw);
    sata.FindAttribute(194, record);
    EXPECT_EQ("00310012"
              "0024",
              record.RawHex);
    EXPECT_EQ(0, record.Threshold);
    for (const std::string& line : Lines()) {
        EXPECT_EQ(std::string::npos, line.find("Temperature")) << line; // not on Windows 7
    }

    driver_->ClearJournal();
    EXPECT_EQ(DiskReadPath::None, Refreshed(1).ReadPath());
    EXPECT_FALSE(smart_->Identified());
    for (const std::string& line : Lines()) {
        EXPECT_EQ(std::string::npos, line.find("ProtocolSpecific")) << line;
    }
}

TEST_F(StorageQueryTest, DevicesThatGiveNoTemperatureAreNotDisksToWatch) {
    Simulate("[PhysicalDrive2]\nBus=USB\nModel=Mass Storage Device\nVendor=Generic\n"
             "[PhysicalDrive3]\nBus=SATA\nModel=OLD DISK\nTemperatureProperty=0\n"
             "PredictFailure=0\nTemperature=40\n[Sim]\nElevated=0\n");
    EXPECT_FALSE(Refreshed(2).Identified());
    EXPECT_FALSE(smart_->Opened());
    EXPECT_EQ(-1, smart_->Temperature());
    EXPECT_FALSE(Refreshed(3).Identified());
}

TEST_F(StorageQueryTest, ADiskOnceReadThisWayStaysKnownWhenItMissesAReading) {
    const std::string disk = "[Sim]\nElevated=0\n[PhysicalDrive0]\nBus=SATA\nModel=M\n";
    Simulate(disk + "Temperature=40\n");
    TSmart smart(0, *driver_, *os_);
    smart.Refresh();
    ASSERT_EQ(40, smart.Temperature());
    Simulate(disk + "Temperature=40\nFail=attributes\n");
    smart.Refresh();
    EXPECT_TRUE(smart.Identified());
    EXPECT_EQ(-1, smart.Temperature());
    EXPECT_EQ(DiskReadPath::None, smart.ReadPath());
    Simulate(disk + "Temperature=41\n");
    smart.Refresh();
    EXPECT_EQ(41, smart.Temperature());
}

TEST_F(StorageQueryTest, ASleepingDiskIsAskedOnlyItsPowerStateAndKeepsItsReading) {
    const std::string disk = "[PhysicalDrive0]\nBus=SATA\nModel=M\nTemperature=";
    Simulate(disk + "45\n");
    TSmart smart(0, *driver_, *os_);
    smart.Refresh();
    ASSERT_EQ(45, smart.Temperature());
    ASSERT_FALSE(smart.Asleep());

    Simulate(disk + "50\nSleeping=1\n");
    driver_->ClearJournal();
    for (int poll = 0; poll < 5; ++poll) {
        smart.Refresh();
    }
    EXPECT_TRUE(smart.Asleep());
    EXPECT_TRUE(smart.Identified() && smart.AttributesRead());
    EXPECT_EQ(45, smart.Temperature());
    EXPECT_EQ(DiskReadPath::Smart, smart.ReadPath());
    EXPECT_EQ(10u, driver_->Journal().size());
    for (const sim::SimRequest& r : driver_->Journal()) {
        EXPECT_TRUE(r.line == "PhysicalDrive0 open access=0x00000000 -> ok" ||
                    r.line == "PhysicalDrive0 GetDevicePowerState -> off")
            << r.line;
    }

    Simulate(disk + "50\nSleeping=0\n");
    smart.Refresh();
    EXPECT_FALSE(smart.Asleep());
    EXPECT_EQ(50, smart.Temperature());
}

TEST_F(StorageQueryTest, ADiskAsleepAtItsFirstReadingIsKnownByItsDescriptorAlone) {
    Simulate("[PhysicalDrive0]\nBus=SATA\nModel=DATA DISK\nSectors=976773168\nSleeping=1\n"
             "Temperature=30\n");
    TSmart& smart = Refreshed(0);
    EXPECT_TRUE(smart.Asleep());
    EXPECT_TRUE(smart.Identified());
    EXPECT_EQ("DATA DISK", smart.Model());
    EXPECT_EQ(-1, smart.Temperature());
    for (const sim::SimRequest& r : driver_->Journal()) {
        EXPECT_FALSE(r.wokeDisk) << r.line;
    }
    EXPECT_TRUE(Logged("PhysicalDrive0 IOCTL_STORAGE_QUERY_PROPERTY StorageDeviceProperty -> ok"));
    EXPECT_TRUE(Logged("PhysicalDrive0 IOCTL_DISK_GET_DRIVE_GEOMETRY_EX -> ok"));
}

} // namespace
} // namespace korvane
