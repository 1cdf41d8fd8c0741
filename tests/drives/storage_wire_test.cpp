// Reading storage-query replies: the texts and numbers taken from them, and replies that lie.
#include "drives/storage_wire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

// A device descriptor with the given texts behind its fixed part (an empty text is left out).
std::vector<uint8_t> Descriptor(const std::string& vendor, const std::string& product,
                                const std::string& serial, uint32_t bus) {
    std::vector<uint8_t> bytes(kDeviceDescriptorFixedSize, 0);
    auto put = [&](size_t field, const std::string& text) {
        if (text.empty()) {
            return;
        }
        WriteLe32(bytes.data() + field, static_cast<uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    };
    put(kDeviceDescriptorVendorIdOffset, vendor);
    put(kDeviceDescriptorProductIdOffset, product);
    put(kDeviceDescriptorSerialNumberOffset, serial);
    WriteLe32(bytes.data() + kDescriptorVersion, kDeviceDescriptorFixedSize);
    WriteLe32(bytes.data() + kDescriptorSize, static_cast<uint32_t>(bytes.size()));
    WriteLe32(bytes.data() + kDeviceDescriptorBusType, bus);
    return bytes;
}

std::vector<uint8_t> TemperatureReply(int16_t celsius, uint16_t count = 1) {
    std::vector<uint8_t> bytes(kTemperatureBufferSize, 0);
    WriteLe32(bytes.data() + kDescriptorVersion, kTemperatureDescriptorSize);
    WriteLe32(bytes.data() + kDescriptorSize, kTemperatureDescriptorSize);
    WriteLe16(bytes.data() + kTemperatureInfoCount, count);
    WriteLe16(bytes.data() + kTemperatureInfo + kTemperatureInfoTemperature,
              static_cast<uint16_t>(celsius));
    return bytes;
}

std::vector<uint8_t> HealthReply(uint16_t kelvin) {
    std::vector<uint8_t> bytes(kNvmeHealthBufferSize, 0);
    WriteLe32(bytes.data() + kDescriptorVersion, kProtocolDescriptorSize);
    WriteLe32(bytes.data() + kDescriptorSize, kProtocolDescriptorSize);
    uint8_t* protocol = bytes.data() + kProtocolDescriptorData;
    WriteLe32(protocol + kProtocolDataOffset, kProtocolSpecificDataSize);
    WriteLe32(protocol + kProtocolDataLength, kNvmeLogSize);
    WriteLe16(protocol + kProtocolSpecificDataSize + kNvmeHealthTemperature, kelvin);
    return bytes;
}

TEST(StorageRequests, QueriesCarryThePropertyAndTheHealthLogPage) {
    const PropertyQuery query = BuildPropertyQuery(kStorageDeviceTemperatureProperty);
    EXPECT_EQ(52u, ReadLe32(query.data() + kQueryPropertyId));
    EXPECT_EQ(0u, ReadLe32(query.data() + kQueryType));

    const NvmeHealthQuery health = BuildNvmeHealthQuery();
    const uint8_t* protocol = health.data() + kQueryAdditionalParameters;
    EXPECT_EQ(50u, ReadLe32(health.data() + kQueryPropertyId));
    EXPECT_EQ(kProtocolTypeNvme, ReadLe32(protocol + kProtocolType));
    EXPECT_EQ(kNvmeDataTypeLogPage, ReadLe32(protocol + kProtocolDataType));
    EXPECT_EQ(0x02u, ReadLe32(protocol + kProtocolRequestValue));
    EXPECT_EQ(0u, ReadLe32(protocol + kProtocolRequestSubValue));
    // The page lands right behind the protocol data, and the buffer holds all of it.
    EXPECT_EQ(40u, ReadLe32(protocol + kProtocolDataOffset));
    EXPECT_EQ(512u, ReadLe32(protocol + kProtocolDataLength));
    EXPECT_EQ(kQueryAdditionalParameters + 40 + 512, health.size());
}

TEST(StorageDescriptor, ModelIsTheProductWithARealVendorInFront) {
    struct Case {
        const char* vendor;
        const char* product;
        const char* model;
    };
    const Case cases[] = {
        {"", "Samsung SSD 870 EVO 1TB", "Samsung SSD 870 EVO 1TB"},
        {"ATA     ", "ST2000DM008-2FR102", "ST2000DM008-2FR102"}, // SAT's placeholder
        {"ata", "X", "X"},
        {"NVMe    ", "WD Blue SN570", "WD Blue SN570"},
        {"WDC     ", "WD10EZEX-08WN4A0 ", "WDC WD10EZEX-08WN4A0"},
        {"SEAGATE", "", "SEAGATE"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const auto identity =
            ParseDeviceDescriptor(Descriptor(c.vendor, c.product, " S4X9NF0M ", kBusTypeSata));
        ASSERT_TRUE(identity) << c.product;
        EXPECT_EQ(c.model, identity->model) << c.vendor << "|" << c.product;
        EXPECT_EQ("S4X9NF0M", identity->serial);
        EXPECT_EQ(kBusTypeSata, identity->busType);
    }
}

TEST(StorageDescriptor, OffsetsAndSizesThatPointOutsideAreNotFollowed) {
    EXPECT_FALSE(ParseDeviceDescriptor(std::vector<uint8_t>(7, 0)));
    std::vector<uint8_t> bytes = Descriptor("", "MODEL", "SERIAL", kBusTypeNvme);
    std::vector<uint8_t> small = bytes;
    WriteLe32(small.data() + kDescriptorSize, kDeviceDescriptorFixedSize - 1);
    EXPECT_FALSE(ParseDeviceDescriptor(small)); // not even the fixed part

    // A product offset beyond the reported size, and a text without its terminating zero.
    std::vector<uint8_t> wild = bytes;
    WriteLe32(wild.data() + kDeviceDescriptorProductIdOffset, 100000);
    wild.pop_back();
    WriteLe32(wild.data() + kDescriptorSize, 0xFFFFFFFF); // cut to the buffer
    const auto identity = ParseDeviceDescriptor(wild);
    ASSERT_TRUE(identity);
    EXPECT_EQ("", identity->model);
    EXPECT_EQ("SERIAL", identity->serial); // stops at the buffer's end
}

TEST(StorageTemperature, OnlyValuesASensorCanMeanAreTemperatures) {
    EXPECT_EQ(41, ParseTemperatureDescriptor(TemperatureReply(41)));
    EXPECT_EQ(1, ParseTemperatureDescriptor(TemperatureReply(1)));
    EXPECT_EQ(150, ParseTemperatureDescriptor(TemperatureReply(150)));
    // 0 is what a controller reports for a sensor it cannot read, as a zero attribute 194 is.
    EXPECT_FALSE(ParseTemperatureDescriptor(TemperatureReply(0)));
    EXPECT_FALSE(ParseTemperatureDescriptor(TemperatureReply(-20)));
    EXPECT_FALSE(ParseTemperatureDescriptor(TemperatureReply(-273)));
    EXPECT_FALSE(ParseTemperatureDescriptor(TemperatureReply(151)));
    EXPECT_FALSE(ParseTemperatureDescriptor(TemperatureReply(41, 0))); // no sensor entry
    std::vector<uint8_t> cut = TemperatureReply(41);
    WriteLe32(cut.data() + kDescriptorSize, kTemperatureInfo + 2);
    EXPECT_FALSE(ParseTemperatureDescriptor(cut));
    EXPECT_FALSE(ParseTemperatureDescriptor(std::vector<uint8_t>(39, 0)));

    EXPECT_EQ(40, ParseNvmeHealthReply(HealthReply(313)));
    EXPECT_FALSE(ParseNvmeHealthReply(HealthReply(0)));   // reports nothing: not -273
    EXPECT_FALSE(ParseNvmeHealthReply(HealthReply(273))); // 0 C
    EXPECT_FALSE(ParseNvmeHealthReply(HealthReply(200)));
    EXPECT_FALSE(ParseNvmeHealthReply(HealthReply(424)));
}

TEST(StorageTemperature, HealthRepliesOfAnotherShapeAreRefused) {
    std::vector<uint8_t> version = HealthReply(313);
    WriteLe32(version.data() + kDescriptorVersion, 56);
    EXPECT_FALSE(ParseNvmeHealthReply(version));
    std::vector<uint8_t> offset = HealthReply(313);
    WriteLe32(offset.data() + kProtocolDescriptorData + kProtocolDataOffset, 39);
    EXPECT_FALSE(ParseNvmeHealthReply(offset));
    std::vector<uint8_t> beyond = HealthReply(313);
    WriteLe32(beyond.data() + kProtocolDescriptorData + kProtocolDataOffset, 0xFFFFFFF0);
    EXPECT_FALSE(ParseNvmeHealthReply(beyond));
    std::vector<uint8_t> shortLog = HealthReply(313);
    WriteLe32(shortLog.data() + kProtocolDescriptorData + kProtocolDataLength, 511);
    EXPECT_FALSE(ParseNvmeHealthReply(shortLog));
    std::vector<uint8_t> truncated = HealthReply(313);
    truncated.resize(kNvmeHealthBufferSize - 1);
    EXPECT_FALSE(ParseNvmeHealthReply(truncated));
}

TEST(StorageGeometry, SectorsAreTheDiskSizeIn512ByteUnitsWhateverItsSectorSize) {
    std::vector<uint8_t> bytes(kGeometryBufferSize, 0);
    WriteLe32(bytes.data() + kGeometryBytesPerSector, 512);
    WriteLe64(bytes.data() + kGeometryDiskSize, 3907029168ull * 512);
    EXPECT_EQ(3907029168ull, ParseGeometrySectors(bytes));
    WriteLe32(bytes.data() + kGeometryBytesPerSector, 4096);
    EXPECT_EQ(3907029168ull, ParseGeometrySectors(bytes));
    WriteLe32(bytes.data() + kGeometryBytesPerSector, 0);
    EXPECT_FALSE(ParseGeometrySectors(bytes));
    WriteLe32(bytes.data() + kGeometryBytesPerSector, 512);
    WriteLe64(bytes.data() + kGeometryDiskSize, 0x8000000000000000ull); // negative
    EXPECT_FALSE(ParseGeometrySectors(bytes));
    EXPECT_FALSE(ParseGeometrySectors(std::vector<uint8_t>(kGeometryData - 1, 0)));
}

} // namespace
} // namespace korvane
