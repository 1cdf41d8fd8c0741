// Byte layouts of the storage-query requests (identity, temperature, NVMe health log, geometry,
// failure prediction) that any user may send on a handle opened without access rights.
#pragma once

#include "drives/smart_wire.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvane {

// Control codes (all FILE_ANY_ACCESS: no access right is needed on the handle).
constexpr uint32_t kIoctlStorageQueryProperty = 0x002D1400u;
constexpr uint32_t kIoctlStoragePredictFailure = 0x002D1100u;
constexpr uint32_t kIoctlDiskGetDriveGeometryEx = 0x000700A0u;

// STORAGE_PROPERTY_ID and STORAGE_QUERY_TYPE values.
constexpr uint32_t kStorageDeviceProperty = 0;
constexpr uint32_t kStorageDeviceProtocolSpecificProperty = 50;
constexpr uint32_t kStorageDeviceTemperatureProperty = 52;
constexpr uint32_t kPropertyStandardQuery = 0;

// STORAGE_BUS_TYPE values the program tells apart.
constexpr uint32_t kBusTypeAta = 0x03;
constexpr uint32_t kBusTypeUsb = 0x07;
constexpr uint32_t kBusTypeSata = 0x0B;
constexpr uint32_t kBusTypeNvme = 0x11;

// NVMe protocol-specific request: the SMART / Health Information log page.
constexpr uint32_t kProtocolTypeNvme = 3;
constexpr uint32_t kNvmeDataTypeLogPage = 2;
constexpr uint32_t kNvmeLogPageHealthInfo = 0x02;
constexpr size_t kNvmeLogSize = 512;
constexpr size_t kNvmeHealthTemperature = 1; // composite temperature, kelvin, 16-bit LE

// STORAGE_PROPERTY_QUERY: PropertyId, QueryType, AdditionalParameters (12 bytes with padding).
constexpr size_t kQueryPropertyId = 0;
constexpr size_t kQueryType = 4;
constexpr size_t kQueryAdditionalParameters = 8;
constexpr size_t kQuerySize = 12;

// STORAGE_DEVICE_DESCRIPTOR (40 bytes before its variable part).
constexpr size_t kDescriptorVersion = 0;
constexpr size_t kDescriptorSize = 4;
constexpr size_t kDeviceDescriptorDeviceType = 8;
constexpr size_t kDeviceDescriptorVendorIdOffset = 12;
constexpr size_t kDeviceDescriptorProductIdOffset = 16;
constexpr size_t kDeviceDescriptorProductRevisionOffset = 20;
constexpr size_t kDeviceDescriptorSerialNumberOffset = 24;
constexpr size_t kDeviceDescriptorBusType = 28;
constexpr size_t kDeviceDescriptorRawPropertiesLength = 32;
constexpr size_t kDeviceDescriptorFixedSize = 40;
constexpr size_t kDeviceDescriptorBufferSize = 1024; // room for the texts behind it

// STORAGE_TEMPERATURE_DATA_DESCRIPTOR and its STORAGE_TEMPERATURE_INFO entries.
constexpr size_t kTemperatureCritical = 8;
constexpr size_t kTemperatureWarning = 10;
constexpr size_t kTemperatureInfoCount = 12;
constexpr size_t kTemperatureInfo = 24;
constexpr size_t kTemperatureInfoSize = 16;
constexpr size_t kTemperatureInfoIndex = 0;
constexpr size_t kTemperatureInfoTemperature = 2; // signed 16-bit, degrees Celsius
constexpr size_t kTemperatureDescriptorSize = kTemperatureInfo + kTemperatureInfoSize; // 40
constexpr size_t kTemperatureBufferSize = kTemperatureInfo + 16 * kTemperatureInfoSize;

// STORAGE_PROTOCOL_SPECIFIC_DATA (40 bytes).
constexpr size_t kProtocolType = 0;
constexpr size_t kProtocolDataType = 4;
constexpr size_t kProtocolRequestValue = 8;
constexpr size_t kProtocolRequestSubValue = 12;
constexpr size_t kProtocolDataOffset = 16;
constexpr size_t kProtocolDataLength = 20;
constexpr size_t kProtocolFixedReturnData = 24;
constexpr size_t kProtocolRequestSubValue2 = 28;
constexpr size_t kProtocolRequestSubValue3 = 32;
constexpr size_t kProtocolRequestSubValue4 = 36;
constexpr size_t kProtocolSpecificDataSize = 40;
// STORAGE_PROTOCOL_DATA_DESCRIPTOR: Version, Size, then STORAGE_PROTOCOL_SPECIFIC_DATA.
constexpr size_t kProtocolDescriptorData = 8;
constexpr size_t kProtocolDescriptorSize = kProtocolDescriptorData + kProtocolSpecificDataSize;
// The health-log request and its reply share one layout: the query (or descriptor) header, the
// protocol data, then the log page.
constexpr size_t kNvmeHealthBufferSize =
    kQueryAdditionalParameters + kProtocolSpecificDataSize + kNvmeLogSize; // 560

// DISK_GEOMETRY_EX: DISK_GEOMETRY (24 bytes), then DiskSize, then partition and detection data.
constexpr size_t kGeometryBytesPerSector = 20;
constexpr size_t kGeometryDiskSize = 24;
constexpr size_t kGeometryData = 32;
constexpr size_t kGeometryBufferSize = 256;

// STORAGE_PREDICT_FAILURE: PredictFailure, then 512 vendor-specific bytes.
constexpr size_t kPredictFailureVendorSpecific = 4;
constexpr size_t kPredictFailureSize = kPredictFailureVendorSpecific + kSectorSize; // 516

// A sensor reading that no disk can mean is no temperature. 0 and below count as none, as a zero
// attribute 194 does: controllers report 0 (and kelvin 0) for a sensor they cannot read.
constexpr int32_t kLowestSensorCelsius = 1;
constexpr int32_t kHighestSensorCelsius = 150;
constexpr int32_t kKelvinOffset = 273;

struct StorageIdentity {
    std::string model;
    std::string serial;
    uint32_t busType = 0;
};

using PropertyQuery = std::array<uint8_t, kQuerySize>;
using NvmeHealthQuery = std::array<uint8_t, kNvmeHealthBufferSize>;

// A standard query of one property.
PropertyQuery BuildPropertyQuery(uint32_t propertyId);
// The device protocol-specific query for the NVMe health log page.
NvmeHealthQuery BuildNvmeHealthQuery();

// The texts of a STORAGE_DEVICE_DESCRIPTOR: the product text, with the vendor text in front when
// it names a vendor; nothing when the reply is malformed.
std::optional<StorageIdentity> ParseDeviceDescriptor(std::span<const uint8_t> reply);
// Entry 0 of a STORAGE_TEMPERATURE_DATA_DESCRIPTOR, when it is a sensor's value.
std::optional<int32_t> ParseTemperatureDescriptor(std::span<const uint8_t> reply);
// The composite temperature of the health log page in a protocol data reply, in Celsius.
std::optional<int32_t> ParseNvmeHealthReply(std::span<const uint8_t> reply);
// The disk's size in 512-byte units, whatever its own sector size.
std::optional<uint64_t> ParseGeometrySectors(std::span<const uint8_t> reply);

// The value itself when a sensor can mean it.
std::optional<int32_t> SensorCelsius(int32_t celsius);

} // namespace korvane
