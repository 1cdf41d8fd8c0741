// The storage-query read: device descriptor, geometry, then the temperature requests in order.
#include "drives/storage_query.h"

#include <algorithm>
#include <vector>

namespace korvane {

namespace {

// Attribute 194 of an attribute sector as the S.M.A.R.T. path reads it, checked as a sensor value.
std::optional<int32_t> AttributeTemperature(const std::array<uint8_t, kSectorSize>& sector) {
    const std::optional<int32_t> raw =
        AttributeTableTemperature(sector.data() + kAttributeTableOffset);
    return raw ? SensorCelsius(*raw) : std::nullopt;
}

std::optional<int32_t> TemperatureProperty(DeviceIoPort& io, DeviceHandle handle) {
    const PropertyQuery query = BuildPropertyQuery(kStorageDeviceTemperatureProperty);
    std::array<uint8_t, kTemperatureBufferSize> reply{};
    if (!io.Control(handle, kIoctlStorageQueryProperty, query, reply)) {
        return std::nullopt;
    }
    return ParseTemperatureDescriptor(reply);
}

std::optional<int32_t> NvmeHealthLog(DeviceIoPort& io, DeviceHandle handle) {
    const NvmeHealthQuery query = BuildNvmeHealthQuery();
    NvmeHealthQuery reply{};
    if (!io.Control(handle, kIoctlStorageQueryProperty, query, reply)) {
        return std::nullopt;
    }
    return ParseNvmeHealthReply(reply);
}

} // namespace

std::string ReadPathText(DiskReadPath path) {
    switch (path) {
    case DiskReadPath::Smart:
        return "S.M.A.R.T. attribute 194";
    case DiskReadPath::TemperatureProperty:
        return "the storage temperature property";
    case DiskReadPath::NvmeHealthLog:
        return "the NVMe health log";
    case DiskReadPath::PredictFailure:
        return "the failure prediction data (attribute 194)";
    case DiskReadPath::None:
        break;
    }
    return {};
}

bool IsAtaBus(uint32_t busType) {
    return busType == kBusTypeAta || busType == kBusTypeSata;
}

StorageReading ReadStorageIdentity(DeviceIoPort& io, DeviceHandle handle) {
    StorageReading reading;
    const PropertyQuery query = BuildPropertyQuery(kStorageDeviceProperty);
    std::vector<uint8_t> descriptor(kDeviceDescriptorBufferSize);
    if (io.Control(handle, kIoctlStorageQueryProperty, query, descriptor)) {
        if (const auto identity = ParseDeviceDescriptor(descriptor)) {
            reading.identified = true;
            reading.identity = *identity;
        }
    }
    if (!reading.identified) {
        return reading;
    }
    std::array<uint8_t, kGeometryBufferSize> geometry{};
    if (io.Control(handle, kIoctlDiskGetDriveGeometryEx, {}, geometry)) {
        reading.sectors = ParseGeometrySectors(geometry);
    }
    return reading;
}

StorageReading ReadThroughStorageQuery(DeviceIoPort& io, DeviceHandle handle, bool windows10) {
    StorageReading reading = ReadStorageIdentity(io, handle);
    if (!reading.identified) {
        return reading;
    }
    const uint32_t bus = reading.identity.busType;
    // Earlier systems know neither request; their drivers would only refuse it.
    if (windows10) {
        if (const auto t = TemperatureProperty(io, handle)) {
            reading.temperature = *t;
            reading.path = DiskReadPath::TemperatureProperty;
            return reading;
        }
        if (bus == kBusTypeNvme) {
            if (const auto t = NvmeHealthLog(io, handle)) {
                reading.temperature = *t;
                reading.path = DiskReadPath::NvmeHealthLog;
                return reading;
            }
        }
    }
    if (IsAtaBus(bus)) {
        std::array<uint8_t, kPredictFailureSize> reply{};
        if (io.Control(handle, kIoctlStoragePredictFailure, {}, reply)) {
            std::array<uint8_t, kSectorSize> sector{};
            std::copy_n(reply.begin() + kPredictFailureVendorSpecific, kSectorSize, sector.begin());
            if (const auto t = AttributeTemperature(sector)) {
                reading.temperature = *t;
                reading.path = DiskReadPath::PredictFailure;
                reading.attributes = sector;
            }
        }
    }
    return reading;
}

} // namespace korvane
