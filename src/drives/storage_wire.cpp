// Building the storage-query requests and reading their replies byte by byte, with every offset
// a driver hands back checked against the buffer before it is followed.
#include "drives/storage_wire.h"

#include "toolkit/text.h"

#include <algorithm>
#include <cctype>

namespace korvane {

namespace {

// Placeholders that port drivers put where a SCSI vendor would stand: they name no vendor.
constexpr const char* kNoVendorTexts[] = {"ATA", "NVMe"};

bool SameTextNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The zero-terminated text at a descriptor offset (0 means none), never read beyond `size`.
std::string TextAt(std::span<const uint8_t> reply, uint32_t offset, size_t size) {
    if (offset == 0 || offset >= size) {
        return {};
    }
    const auto* first = reinterpret_cast<const char*>(reply.data() + offset);
    const auto* last = reinterpret_cast<const char*>(reply.data() + size);
    return Trim(std::string(first, std::find(first, last, '\0')));
}

// The descriptor's own Size, cut to what the buffer holds; 0 when not even the header fits.
size_t ReportedSize(std::span<const uint8_t> reply) {
    if (reply.size() < kDescriptorSize + 4) {
        return 0;
    }
    return std::min<size_t>(ReadLe32(reply.data() + kDescriptorSize), reply.size());
}

} // namespace

PropertyQuery BuildPropertyQuery(uint32_t propertyId) {
    PropertyQuery query{};
    WriteLe32(query.data() + kQueryPropertyId, propertyId);
    WriteLe32(query.data() + kQueryType, kPropertyStandardQuery);
    return query;
}

NvmeHealthQuery BuildNvmeHealthQuery() {
    NvmeHealthQuery query{};
    WriteLe32(query.data() + kQueryPropertyId, kStorageDeviceProtocolSpecificProperty);
    WriteLe32(query.data() + kQueryType, kPropertyStandardQuery);
    uint8_t* protocol = query.data() + kQueryAdditionalParameters;
    WriteLe32(protocol + kProtocolType, kProtocolTypeNvme);
    WriteLe32(protocol + kProtocolDataType, kNvmeDataTypeLogPage);
    WriteLe32(protocol + kProtocolRequestValue, kNvmeLogPageHealthInfo);
    // The log page data follows the protocol data directly.
    WriteLe32(protocol + kProtocolDataOffset, kProtocolSpecificDataSize);
    WriteLe32(protocol + kProtocolDataLength, kNvmeLogSize);
    return query;
}

std::optional<StorageIdentity> ParseDeviceDescriptor(std::span<const uint8_t> reply) {
    const size_t size = ReportedSize(reply);
    if (size < kDeviceDescriptorFixedSize) {
        return std::nullopt;
    }
    const uint8_t* bytes = reply.data();
    StorageIdentity identity;
    identity.busType = ReadLe32(bytes + kDeviceDescriptorBusType);
    const std::string vendor =
        TextAt(reply, ReadLe32(bytes + kDeviceDescriptorVendorIdOffset), size);
    const std::string product =
        TextAt(reply, ReadLe32(bytes + kDeviceDescriptorProductIdOffset), size);
    identity.serial = TextAt(reply, ReadLe32(bytes + kDeviceDescriptorSerialNumberOffset), size);
    const bool namesVendor =
        !vendor.empty() && std::none_of(std::begin(kNoVendorTexts), std::end(kNoVendorTexts),
                                        [&](const char* p) { return SameTextNoCase(vendor, p); });
    identity.model = namesVendor ? Trim(vendor + " " + product) : product;
    return identity;
}

std::optional<int32_t> ParseTemperatureDescriptor(std::span<const uint8_t> reply) {
    const size_t size = ReportedSize(reply);
    if (size < kTemperatureDescriptorSize || ReadLe16(reply.data() + kTemperatureInfoCount) == 0) {
        return std::nullopt;
    }
    const auto celsius = static_cast<int16_t>(
        ReadLe16(reply.data() + kTemperatureInfo + kTemperatureInfoTemperature));
    return SensorCelsius(celsius);
}

std::optional<int32_t> ParseNvmeHealthReply(std::span<const uint8_t> reply) {
    if (reply.size() < kProtocolDescriptorSize) {
        return std::nullopt;
    }
    const uint8_t* bytes = reply.data();
    // A descriptor of another version would place its data elsewhere.
    if (ReadLe32(bytes + kDescriptorVersion) != kProtocolDescriptorSize ||
        ReadLe32(bytes + kDescriptorSize) != kProtocolDescriptorSize) {
        return std::nullopt;
    }
    const uint8_t* protocol = bytes + kProtocolDescriptorData;
    const uint32_t offset = ReadLe32(protocol + kProtocolDataOffset);
    const uint32_t length = ReadLe32(protocol + kProtocolDataLength);
    if (offset < kProtocolSpecificDataSize || length < kNvmeLogSize ||
        uint64_t{kProtocolDescriptorData} + offset + kNvmeLogSize > reply.size()) {
        return std::nullopt;
    }
    const uint16_t kelvin = ReadLe16(protocol + offset + kNvmeHealthTemperature);
    if (kelvin == 0) {
        return std::nullopt; // a controller that reports nothing
    }
    return SensorCelsius(int32_t{kelvin} - kKelvinOffset);
}

std::optional<uint64_t> ParseGeometrySectors(std::span<const uint8_t> reply) {
    if (reply.size() < kGeometryData) {
        return std::nullopt;
    }
    const uint32_t bytesPerSector = ReadLe32(reply.data() + kGeometryBytesPerSector);
    const uint64_t diskSize = ReadLe64(reply.data() + kGeometryDiskSize);
    // DiskSize is a signed LARGE_INTEGER: a negative one is no size.
    if (bytesPerSector == 0 || diskSize == 0 || diskSize > uint64_t{INT64_MAX}) {
        return std::nullopt;
    }
    // Counted in 512-byte units, as IDENTIFY counts: a disk of 4 KB sectors is as big as its
    // 512-byte twin, and both name their log file alike.
    return diskSize / kSectorSize;
}

std::optional<int32_t> SensorCelsius(int32_t celsius) {
    if (celsius < kLowestSensorCelsius || celsius > kHighestSensorCelsius) {
        return std::nullopt;
    }
    return celsius;
}

} // namespace korvane
