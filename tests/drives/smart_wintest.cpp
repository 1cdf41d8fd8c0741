// Windows side of disk access: request layouts against the platform headers, the Win32 ports, and
// TSmart running over the simulated driver inside the Windows build.
#include "drives/device_io_win.h"
#include "drives/sim/sim_driver.h"
#include "drives/sim/sim_driver_win.h"
#include "drives/smart.h"
#include "drives/smart_wire.h"
#include "sim_sectors.h"
#include "test_env.h"
#include "toolkit/os_version.h"
#include "toolkit/os_version_win.h"
#include "toolkit/win32.h"

#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace korvane {
namespace {

TEST(SmartLayout, ConstantsAndSizesMatchThePlatformHeaders) {
    EXPECT_EQ(uint32_t{SMART_GET_VERSION}, kSmartGetVersion);
    EXPECT_EQ(uint32_t{SMART_SEND_DRIVE_COMMAND}, kSmartSendDriveCommand);
    EXPECT_EQ(uint32_t{SMART_RCV_DRIVE_DATA}, kSmartRcvDriveData);
    EXPECT_EQ(uint32_t{CAP_ATA_ID_CMD}, kCapAtaIdCmd);
    EXPECT_EQ(uint32_t{CAP_ATAPI_ID_CMD}, kCapAtapiIdCmd);
    EXPECT_EQ(uint32_t{CAP_SMART_CMD}, kCapSmartCmd);
    EXPECT_EQ(ID_CMD, kAtaIdentifyDevice);
    EXPECT_EQ(ATAPI_ID_CMD, kAtaIdentifyPacketDevice);
    EXPECT_EQ(SMART_CMD, kAtaSmart);
    EXPECT_EQ(READ_ATTRIBUTES, kSmartReadAttributeValues);
    EXPECT_EQ(READ_THRESHOLDS, kSmartReadAttributeThresholds);
    EXPECT_EQ(ENABLE_SMART, kSmartEnableOperations);
    EXPECT_EQ(SMART_CYL_LOW, kSmartCylLow);
    EXPECT_EQ(SMART_CYL_HI, kSmartCylHigh);
    EXPECT_EQ(reinterpret_cast<DeviceHandle>(INVALID_HANDLE_VALUE), kInvalidDevice);

    EXPECT_EQ(kVersionSize, sizeof(GETVERSIONINPARAMS));
    EXPECT_EQ(kVersionIdeDeviceMap, offsetof(GETVERSIONINPARAMS, bIDEDeviceMap));
    EXPECT_EQ(kVersionCapabilities, offsetof(GETVERSIONINPARAMS, fCapabilities));
    EXPECT_EQ(kCmdInSize + 1, sizeof(SENDCMDINPARAMS)); // the one-byte bBuffer is not sent
    EXPECT_EQ(kCmdInDriveNumber, offsetof(SENDCMDINPARAMS, bDriveNumber));
    EXPECT_EQ(kCmdInFeatures, offsetof(SENDCMDINPARAMS, irDriveRegs));
    EXPECT_EQ(kCmdInFeatures + offsetof(IDEREGS, bDriveHeadReg), kCmdInDriveHead);
    EXPECT_EQ(kCmdInFeatures + offsetof(IDEREGS, bCommandReg), kCmdInCommand);
    EXPECT_EQ(kCmdInFeatures + offsetof(IDEREGS, bCylHighReg), kCmdInCylHigh);
    EXPECT_EQ(kCmdOutHeaderSize, offsetof(SENDCMDOUTPARAMS, bBuffer));
    EXPECT_EQ(kCmdOutDriverError,
              offsetof(SENDCMDOUTPARAMS, DriverStatus) + offsetof(DRIVERSTATUS, bDriverError));
    EXPECT_EQ(kCmdOutIdeError,
              offsetof(SENDCMDOUTPARAMS, DriverStatus) + offsetof(DRIVERSTATUS, bIDEError));
}

TEST(SmartLayout, RequestBlocksAreByteIdenticalToSendCmdInParams) {
    struct Request {
        DWORD bufferSize;
        IDEREGS regs;
    };
    const Request requests[] = {
        {IDENTIFY_BUFFER_SIZE, {0, 1, 1, 0, 0, 0, ID_CMD, 0}},
        {IDENTIFY_BUFFER_SIZE, {0, 1, 1, 0, 0, 0, ATAPI_ID_CMD, 0}},
        {0, {ENABLE_SMART, 1, 1, SMART_CYL_LOW, SMART_CYL_HI, 0, SMART_CMD, 0}},
        {READ_ATTRIBUTE_BUFFER_SIZE,
         {READ_ATTRIBUTES, 1, 1, SMART_CYL_LOW, SMART_CYL_HI, 0, SMART_CMD, 0}},
        {READ_THRESHOLD_BUFFER_SIZE,
         {READ_THRESHOLDS, 1, 1, SMART_CYL_LOW, SMART_CYL_HI, 0, SMART_CMD, 0}},
    };
    for (uint8_t drive = 0; drive < 4; ++drive) {
        for (const Request& r : requests) {
            SENDCMDINPARAMS expected;
            std::memset(&expected, 0, sizeof(expected));
            expected.cBufferSize = r.bufferSize;
            expected.irDriveRegs = r.regs;
            expected.irDriveRegs.bDriveHeadReg = static_cast<BYTE>(0xA0 | ((drive & 1) << 4));
            expected.bDriveNumber = drive;
            const AtaRegisters regs{r.regs.bFeaturesReg,     r.regs.bSectorCountReg,
                                    r.regs.bSectorNumberReg, r.regs.bCylLowReg,
                                    r.regs.bCylHighReg,      r.regs.bCommandReg};
            const CommandBlock block = BuildCommandBlock(drive, r.bufferSize, regs);
            EXPECT_EQ(0, std::memcmp(&expected, block.data(), kCmdInSize))
                << int(drive) << " " << int(r.regs.bCommandReg) << " " << int(r.regs.bFeaturesReg);
        }
    }
}

TEST(Win32Ports, OsVersionAgreesWithGetVersion) {
    const OsVersionInfo info = CreateWin32OsVersion()->Read();
    const DWORD packed = GetVersion();
    EXPECT_EQ(LOBYTE(LOWORD(packed)), info.major);
    EXPECT_EQ(HIBYTE(LOWORD(packed)), info.minor);
    EXPECT_EQ(uint32_t{VER_PLATFORM_WIN32_NT}, info.platformId); // Wine's default is Windows 7
    EXPECT_EQ(HIWORD(packed) & 0x7FFF, info.build & 0x7FFF);
}

TEST(Win32Ports, DeviceIoOpensControlsAndClosesRealHandles) {
    const std::unique_ptr<DeviceIoPort> io = CreateWin32DeviceIo();
    EXPECT_EQ(kInvalidDevice, io->Open("\\\\.\\KorvaneNoSuchDevice", kGenericRead | kGenericWrite,
                                       kFileShareRead | kFileShareWrite, kOpenExisting));
    const std::string file = test::JoinPath(test::FreshTempDir("drives_deviceio"), "plain.bin");
    test::WriteFileBytes(file, "not a disk");
    EXPECT_EQ(kInvalidDevice, io->Open(file, kGenericRead, 0, kCreateNew)); // it exists
    const DeviceHandle handle = io->Open(file, kGenericRead | kGenericWrite,
                                         kFileShareRead | kFileShareWrite, kOpenExisting);
    ASSERT_NE(kInvalidDevice, handle);
    uint8_t version[24] = {};
    EXPECT_FALSE(io->Control(handle, kSmartGetVersion, {}, version)); // a file is no disk
    io->Close(handle);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags)); // really closed
}

TEST(SmartUnderWine, ReadsASimulatedDiskThroughTheWindowsBuild) {
    const std::string folder = test::FreshTempDir("drives_smart_wine");
    test::WriteFileBytes(test::JoinPath(folder, "smart.bin"),
                         test::AttributeSectorBytes(
                             {{9, 99, {1, 0, 0, 0, 0, 0}}, {194, 100, {35, 0, 15, 0, 45, 0}}}));
    const std::string ini = test::WriteSimulationIni(
        folder, "[PhysicalDrive0]\r\nModel=WDC WD800JB-00JJC0\r\nSerial=WD-WCAM12345678\r\n"
                "Sectors=156301488\r\nSmartSector=smart.bin\r\n"
                "[PhysicalDrive1]\r\nModel=Dead\r\nFail=attributes\r\n");
    ASSERT_NE(std::string::npos, ini.find(":\\")); // a real Windows path, Z:\...

    auto driver = sim::CreateSimulatedDriver(ini);
    const std::unique_ptr<OsVersionPort> osPort = CreateWin32OsVersion();
    const OsVersionPort& os = *osPort;
    TSmart smart(0, *driver, os);
    smart.Refresh();
    EXPECT_TRUE(smart.AttributesRead());
    EXPECT_EQ("WDC WD800JB-00JJC0", smart.Model());
    EXPECT_EQ("WD-WCAM12345678", smart.SerialNumber());
    EXPECT_DOUBLE_EQ(78.150744, smart.CapacityGB());
    TSmartAttribute temperature;
    smart.FindAttribute(194, temperature);
    EXPECT_EQ("002D000F0023", temperature.RawHex);
    EXPECT_EQ(35, temperature.Raw & 0xFF);

    TSmart dead(1, *driver, os);
    dead.Refresh();
    EXPECT_TRUE(dead.Identified());
    EXPECT_FALSE(dead.AttributesRead());
    EXPECT_EQ(0, driver->OpenHandles());
}

TEST(SmartUnderWine, SimBuildReadsSimulationIniBesideTheProgram) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    ASSERT_NE(nullptr, build);
    const std::string expected = std::string(build) + "\\tests\\simulation.ini";
    const auto driver = sim::CreateSimulatedDriverBesideProgram();
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), driver->IniPath().c_str()))
        << expected << " vs " << driver->IniPath();
}

} // namespace
} // namespace korvane
