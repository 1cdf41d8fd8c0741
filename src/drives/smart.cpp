// TSmart: the read cycle against the disk driver and the parsing of what it returns.
#include "drives/smart.h"

#include "drives/attribute_catalogue.h"
#include "toolkit/text.h"

#include <algorithm>
#include <utility>

namespace korvane {

namespace {

constexpr const char* kNtDevicePrefix = "\\\\.\\PhysicalDrive";
constexpr const char* kSmartVxdDevice = "\\\\.\\SMARTVSD";
constexpr size_t kNameLimit = 80;
constexpr double kSectorsPerGB = 2000000.0;

constexpr AtaRegisters SmartRegisters(uint8_t subcommand) {
    return AtaRegisters{subcommand, 1, 1, kSmartCylLow, kSmartCylHigh, kAtaSmart};
}

} // namespace

TSmart::TSmart(uint8_t driveNumber, DeviceIo& io, const OsVersionPort& os)
    : driveNumber_(driveNumber), io_(io), osVersion_(os.Read()) {}

DeviceHandle TSmart::OpenDevice() {
    if (driveNumber_ >= kFirstUnusedDrive) {
        return kInvalidDevice;
    }
    if (osVersion_.platformId == kPlatformWin32Nt) {
        return io_.Open(kNtDevicePrefix + IntToStr(driveNumber_), kGenericRead | kGenericWrite,
                        kFileShareRead | kFileShareWrite, kOpenExisting);
    }
    // The 95/98 S.M.A.R.T. VxD serves every drive; the request blocks select one.
    return io_.Open(kSmartVxdDevice, 0, 0, kCreateNew);
}

bool TSmart::Send(DeviceHandle handle, uint32_t code, uint32_t bufferSize, const AtaRegisters& regs,
                  uint8_t* output, size_t outputSize) {
    const CommandBlock block = BuildCommandBlock(driveNumber_, bufferSize, regs);
    return io_.Control(handle, code, block, std::span<uint8_t>(output, outputSize));
}

void TSmart::Refresh() {
    opened_ = versionRead_ = identified_ = smartEnabled_ = attributesRead_ = false;
    identifyBuffer_.fill(0);
    attributeBuffer_.fill(0);
    thresholdBuffer_.fill(0);

    ScopedDevice device(io_, OpenDevice());
    opened_ = device.Valid();
    if (!opened_) {
        return;
    }
    const DeviceHandle handle = device.Get();

    versionInfo_.fill(0);
    versionRead_ = io_.Control(handle, kSmartGetVersion, {}, versionInfo_);
    if (!versionRead_) {
        return;
    }
    const uint32_t caps = ReadLe32(versionInfo_.data() + kVersionCapabilities);
    capabilities_.AtaIdentify = (caps & kCapAtaIdCmd) != 0;
    capabilities_.AtapiIdentify = (caps & kCapAtapiIdCmd) != 0;

    const uint8_t deviceMap = versionInfo_[kVersionIdeDeviceMap];
    const bool atapi = ((deviceMap >> (4 + driveNumber_)) & 1) != 0;
    identified_ = atapi ? capabilities_.AtapiIdentify : capabilities_.AtaIdentify;
    if (!identified_) {
        return;
    }
    const AtaRegisters identify{0, 1, 1,
                                0, 0, atapi ? kAtaIdentifyPacketDevice : kAtaIdentifyDevice};
    identified_ = Send(handle, kSmartRcvDriveData, kSectorSize, identify, identifyBuffer_.data(),
                       identifyBuffer_.size());
    if (!identified_) {
        return;
    }
    ParseIdentify(identifyBuffer_.data() + kCmdOutHeaderSize);

    std::array<uint8_t, kCmdOutHeaderSize> scratch{};
    smartEnabled_ = Send(handle, kSmartSendDriveCommand, 0, SmartRegisters(kSmartEnableOperations),
                         scratch.data(), scratch.size());
    if (!smartEnabled_) {
        return;
    }

    attributesRead_ =
        Send(handle, kSmartRcvDriveData, kSectorSize, SmartRegisters(kSmartReadAttributeValues),
             attributeBuffer_.data(), attributeBuffer_.size());
    if (!attributesRead_) {
        return;
    }

    if (!Send(handle, kSmartRcvDriveData, kSectorSize,
              SmartRegisters(kSmartReadAttributeThresholds), thresholdBuffer_.data(),
              thresholdBuffer_.size())) {
        // A refusing driver may still have scribbled into the block; thresholds must read as 0.
        thresholdBuffer_.fill(0);
    }

    attributeTable_ = attributeBuffer_.data() + kCmdOutHeaderSize + kAttributeTableOffset;
    thresholdTable_ = thresholdBuffer_.data() + kCmdOutHeaderSize + kAttributeTableOffset;
}

void TSmart::ParseIdentify(uint8_t* sector) {
    SwapBytePairs(sector + kIdentifyModel, kIdentifyModelLength);
    SwapBytePairs(sector + kIdentifySerial, kIdentifySerialLength);
    model_ = Trim(
        std::string(reinterpret_cast<const char*>(sector + kIdentifyModel), kIdentifyModelLength));
    serialNumber_ = Trim(std::string(reinterpret_cast<const char*>(sector + kIdentifySerial),
                                     kIdentifySerialLength));
    capacityGB_ = ReadLe32(sector + kIdentifySectors) / kSectorsPerGB;
}

void TSmart::GetAttribute(int index, TSmartAttribute& record) const {
    record = TSmartAttribute{};
    if (!attributesRead_ || attributeTable_ == nullptr || index < 0 ||
        index >= static_cast<int>(kAttributeEntries)) {
        return;
    }
    const uint8_t* entry = attributeTable_ + index * kAttributeEntrySize;
    const uint8_t* threshold = thresholdTable_ + index * kAttributeEntrySize;
    record.Id = entry[0];
    record.Name = AttributeName(record.Id).substr(0, kNameLimit);
    record.Flags = static_cast<uint16_t>(entry[1] | entry[2] << 8);
    record.Value = entry[3];
    record.Worst = entry[4];
    for (int i = 10; i >= 5; --i) {
        record.RawHex += IntToHex(entry[i], 2);
        record.Raw = record.Raw * 256 + entry[i];
    }
    record.Threshold = threshold[1];
}

void TSmart::FindAttribute(uint8_t id, TSmartAttribute& record) const {
    record = TSmartAttribute{};
    if (!attributesRead_ || id == 0) {
        return;
    }
    for (int index = 0; index < static_cast<int>(kAttributeEntries); ++index) {
        if (attributeTable_[index * kAttributeEntrySize] == id) {
            GetAttribute(index, record);
            return;
        }
    }
}

void TSmart::SwapBytePairs(uint8_t* bytes, size_t length) {
    for (size_t i = 0; i + 1 < length; i += 2) {
        std::swap(bytes[i], bytes[i + 1]);
    }
}

} // namespace korvane
