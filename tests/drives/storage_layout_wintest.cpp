// The storage-query layouts against the platform headers, and the power-state port under Wine.
// The SATA and NVMe bus types are declared only for Windows 7 and later targets.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#include <windows.h>

#include <winioctl.h>

#include <nvme.h>

#include "drives/device_io_win.h"
#include "drives/storage_wire.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace korvane {
namespace {

// The temperature descriptor as Microsoft documents it (winioctl.h of the Windows 10 SDK); the
// mingw-w64 headers do not declare it yet.
struct DocumentedTemperatureInfo {
    WORD Index;
    SHORT Temperature;
    SHORT OverThreshold;
    SHORT UnderThreshold;
    BOOLEAN OverThresholdChangable;
    BOOLEAN UnderThresholdChangable;
    BOOLEAN EventGenerated;
    BYTE Reserved0;
    DWORD Reserved1;
};
struct DocumentedTemperatureDescriptor {
    DWORD Version;
    DWORD Size;
    SHORT CriticalTemperature;
    SHORT WarningTemperature;
    WORD InfoCount;
    BYTE Reserved0[2];
    DWORD Reserved1[2];
    DocumentedTemperatureInfo TemperatureInfo[1];
};

TEST(StorageLayout, ConstantsMatchThePlatformHeaders) {
    EXPECT_EQ(uint32_t{IOCTL_STORAGE_QUERY_PROPERTY}, kIoctlStorageQueryProperty);
    EXPECT_EQ(uint32_t{IOCTL_STORAGE_PREDICT_FAILURE}, kIoctlStoragePredictFailure);
    EXPECT_EQ(uint32_t{IOCTL_DISK_GET_DRIVE_GEOMETRY_EX}, kIoctlDiskGetDriveGeometryEx);
    EXPECT_EQ(uint32_t{StorageDeviceProperty}, kStorageDeviceProperty);
    EXPECT_EQ(uint32_t{StorageDeviceProtocolSpecificProperty},
              kStorageDeviceProtocolSpecificProperty);
    EXPECT_EQ(uint32_t{StorageDeviceTemperatureProperty}, kStorageDeviceTemperatureProperty);
    EXPECT_EQ(uint32_t{PropertyStandardQuery}, kPropertyStandardQuery);
    EXPECT_EQ(uint32_t{BusTypeAta}, kBusTypeAta);
    EXPECT_EQ(uint32_t{BusTypeSata}, kBusTypeSata);
    EXPECT_EQ(uint32_t{BusTypeNvme}, kBusTypeNvme);
    EXPECT_EQ(uint32_t{BusTypeUsb}, kBusTypeUsb);
    EXPECT_EQ(uint32_t{ProtocolTypeNvme}, kProtocolTypeNvme);
    EXPECT_EQ(uint32_t{NVMeDataTypeLogPage}, kNvmeDataTypeLogPage);
    EXPECT_EQ(uint32_t{NVME_LOG_PAGE_HEALTH_INFO}, kNvmeLogPageHealthInfo);
}

TEST(StorageLayout, StructureSizesAndOffsetsMatchThePlatformHeaders) {
    EXPECT_EQ(kQuerySize, sizeof(STORAGE_PROPERTY_QUERY));
    EXPECT_EQ(kQueryPropertyId, offsetof(STORAGE_PROPERTY_QUERY, PropertyId));
    EXPECT_EQ(kQueryType, offsetof(STORAGE_PROPERTY_QUERY, QueryType));
    EXPECT_EQ(kQueryAdditionalParameters, offsetof(STORAGE_PROPERTY_QUERY, AdditionalParameters));

    EXPECT_EQ(kDeviceDescriptorFixedSize, sizeof(STORAGE_DEVICE_DESCRIPTOR));
    EXPECT_EQ(kDescriptorSize, offsetof(STORAGE_DEVICE_DESCRIPTOR, Size));
    EXPECT_EQ(kDeviceDescriptorDeviceType, offsetof(STORAGE_DEVICE_DESCRIPTOR, DeviceType));
    EXPECT_EQ(kDeviceDescriptorVendorIdOffset, offsetof(STORAGE_DEVICE_DESCRIPTOR, VendorIdOffset));
    EXPECT_EQ(kDeviceDescriptorProductIdOffset,
              offsetof(STORAGE_DEVICE_DESCRIPTOR, ProductIdOffset));
    EXPECT_EQ(kDeviceDescriptorProductRevisionOffset,
              offsetof(STORAGE_DEVICE_DESCRIPTOR, ProductRevisionOffset));
    EXPECT_EQ(kDeviceDescriptorSerialNumberOffset,
              offsetof(STORAGE_DEVICE_DESCRIPTOR, SerialNumberOffset));
    EXPECT_EQ(kDeviceDescriptorBusType, offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType));
    EXPECT_EQ(kDeviceDescriptorRawPropertiesLength,
              offsetof(STORAGE_DEVICE_DESCRIPTOR, RawPropertiesLength));

    EXPECT_EQ(kProtocolSpecificDataSize, sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA));
    EXPECT_EQ(kProtocolDataType, offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, DataType));
    EXPECT_EQ(kProtocolRequestValue,
              offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestValue));
    EXPECT_EQ(kProtocolRequestSubValue,
              offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestSubValue));
    EXPECT_EQ(kProtocolDataOffset, offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataOffset));
    EXPECT_EQ(kProtocolDataLength, offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataLength));
    EXPECT_EQ(kProtocolFixedReturnData,
              offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, FixedProtocolReturnData));
    EXPECT_EQ(kProtocolRequestSubValue4,
              offsetof(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestSubValue4));
    EXPECT_EQ(kProtocolDescriptorSize, sizeof(STORAGE_PROTOCOL_DATA_DESCRIPTOR));
    EXPECT_EQ(kProtocolDescriptorData,
              offsetof(STORAGE_PROTOCOL_DATA_DESCRIPTOR, ProtocolSpecificData));

    EXPECT_EQ(kNvmeLogSize, sizeof(NVME_HEALTH_INFO_LOG));
    EXPECT_EQ(kNvmeHealthTemperature, offsetof(NVME_HEALTH_INFO_LOG, Temperature));

    EXPECT_EQ(kTemperatureDescriptorSize, sizeof(DocumentedTemperatureDescriptor));
    EXPECT_EQ(kTemperatureCritical, offsetof(DocumentedTemperatureDescriptor, CriticalTemperature));
    EXPECT_EQ(kTemperatureWarning, offsetof(DocumentedTemperatureDescriptor, WarningTemperature));
    EXPECT_EQ(kTemperatureInfoCount, offsetof(DocumentedTemperatureDescriptor, InfoCount));
    EXPECT_EQ(kTemperatureInfo, offsetof(DocumentedTemperatureDescriptor, TemperatureInfo));
    EXPECT_EQ(kTemperatureInfoSize, sizeof(DocumentedTemperatureInfo));
    EXPECT_EQ(kTemperatureInfoTemperature, offsetof(DocumentedTemperatureInfo, Temperature));

    EXPECT_EQ(kGeometryBytesPerSector, offsetof(DISK_GEOMETRY_EX, Geometry.BytesPerSector));
    EXPECT_EQ(kGeometryDiskSize, offsetof(DISK_GEOMETRY_EX, DiskSize));
    EXPECT_EQ(kGeometryData, offsetof(DISK_GEOMETRY_EX, Data));
    EXPECT_EQ(kPredictFailureSize, sizeof(STORAGE_PREDICT_FAILURE));
    EXPECT_EQ(kPredictFailureVendorSpecific, offsetof(STORAGE_PREDICT_FAILURE, VendorSpecific));
}

TEST(StoragePorts, PowerStateOfAnOrdinaryHandleNeverReadsAsAsleep) {
    // Wine answers without saying anything of the device: that must not put a disk to sleep.
    const std::string file = test::JoinPath(test::FreshTempDir("drives_power"), "plain.bin");
    test::WriteFileBytes(file, "not a disk");
    const std::unique_ptr<DeviceIoPort> io = CreateWin32DeviceIo();
    const DeviceHandle handle = io->Open(file, 0, kFileShareRead | kFileShareWrite, kOpenExisting);
    ASSERT_NE(kInvalidDevice, handle);
    EXPECT_NE(DevicePower::Off, io->PowerState(handle));
    io->Close(handle);
}

} // namespace
} // namespace korvane
