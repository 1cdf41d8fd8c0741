// TSmart: the read cycle against the disk driver and the parsing of what it returns.
#include "drives/smart.h"

#include "drives/attribute_catalogue.h"
#include "drives/storage_wire.h"
#include "toolkit/text.h"

#include <algorithm>
#include <utility>

namespace korvane {

namespace {

constexpr size_t kNameLimit = 80;
constexpr double kSectorsPerGB = 2000000.0;
constexpr uint32_t kFirstStorageQueryMajor = 10; // the temperature requests came with Windows 10

constexpr AtaRegisters SmartRegisters(uint8_t subcommand) {
    return AtaRegisters{subcommand, 1, 1, kSmartCylLow, kSmartCylHigh, kAtaSmart};
}

// The field's bytes less the leading and trailing bytes of 32 and below, as Trim cuts them.
void AssignTrimmed(std::string& target, const uint8_t* bytes, size_t length) {
    size_t first = 0;
    size_t last = length;
    while (first < last && bytes[first] <= 32) {
        ++first;
    }
    while (last > first && bytes[last - 1] <= 32) {
        --last;
    }
    target.assign(reinterpret_cast<const char*>(bytes + first), last - first);
}

} // namespace

TSmart::TSmart(uint8_t driveNumber, DeviceIoPort& io, const OsVersionPort& os, DiskRights& rights)
    : driveNumber_(driveNumber), deviceName_(kPhysicalDrivePrefix + IntToStr(driveNumber)), io_(io),
      rights_(rights), osVersion_(os.Read()) {}

TSmart::TSmart(uint8_t driveNumber, DeviceIoPort& io, const OsVersionPort& os)
    : TSmart(driveNumber, io, os, ownRights_) {}

bool TSmart::Addressable() const {
    return driveNumber_ <
           (osVersion_.platformId == kPlatformWin32Nt ? kPhysicalDriveCount : kIdeDriveCount);
}

DeviceHandle TSmart::OpenDevice() {
    if (!Addressable()) {
        return kInvalidDevice;
    }
    if (osVersion_.platformId == kPlatformWin32Nt) {
        // Refused once for want of rights, refused at every poll: the storage queries serve.
        if (rights_.ReadWriteRefused()) {
            return kInvalidDevice;
        }
        const DeviceHandle handle = io_.Open(deviceName_, kGenericRead | kGenericWrite,
                                             kFileShareRead | kFileShareWrite, kOpenExisting);
        if (handle == kInvalidDevice) {
            rights_.NoteReadWriteOpenError(io_.LastOpenError());
        }
        return handle;
    }
    // The 95/98 S.M.A.R.T. VxD serves every drive; the request blocks select one.
    return io_.Open(kSmartVxdDevice, 0, 0, kCreateNew);
}

bool TSmart::Send(DeviceHandle handle, uint32_t code, uint32_t bufferSize, const AtaRegisters& regs,
                  uint8_t* output, size_t outputSize) {
    const CommandBlock block = BuildCommandBlock(driveNumber_, bufferSize, regs);
    return io_.Control(handle, code, block, std::span<uint8_t>(output, outputSize));
}

bool TSmart::UsesPhysicalDrives() const {
    return Addressable() && osVersion_.platformId == kPlatformWin32Nt;
}

void TSmart::Refresh() {
    // A handle without access rights: any user may open it, and it reaches the disk's power
    // state and the storage queries.
    ScopedDevice query(
        io_, UsesPhysicalDrives()
                 ? io_.Open(deviceName_, 0, kFileShareRead | kFileShareWrite, kOpenExisting)
                 : kInvalidDevice);
    asleep_ = query.Valid() && io_.PowerState(query.Get()) == DevicePower::Off;
    if (asleep_) {
        // The last reading stands. A disk never read before is known by its descriptor, which
        // the drivers answer without spinning it up.
        if (!identified_) {
            const StorageReading reading = ReadStorageIdentity(io_, query.Get());
            if (reading.identified) {
                storageKnown_ = true;
                TakeStorageIdentity(reading);
            }
        }
        return;
    }

    ReadSmart();
    temperature_ = -1;
    readPath_ = DiskReadPath::None;
    if (attributesRead_) {
        temperature_ = AttributeTableTemperature(attributeTable_).value_or(-1);
    }
    if (temperature_ > 0) {
        readPath_ = DiskReadPath::Smart;
    } else if (query.Valid()) {
        ReadStorage(query.Get());
    }
}

void TSmart::ReadStorage(DeviceHandle handle) {
    StorageReading reading =
        ReadThroughStorageQuery(io_, handle, osVersion_.major >= kFirstStorageQueryMajor);
    if (reading.path == DiskReadPath::None) {
        // A device that gives no temperature this way is no disk to watch (a card reader, a
        // USB stick), unless it gave one before: then it is a disk that missed a reading.
        if (!identified_ && storageKnown_ && reading.identified) {
            TakeStorageIdentity(reading);
        }
        return;
    }
    storageKnown_ = true;
    if (!identified_) {
        TakeStorageIdentity(reading);
    }
    temperature_ = reading.temperature;
    readPath_ = reading.path;
    if (reading.attributes && !attributesRead_) {
        // The failure-prediction data is the attribute sector; it has no thresholds.
        std::copy(reading.attributes->begin(), reading.attributes->end(),
                  attributeBuffer_.begin() + kCmdOutHeaderSize);
        thresholdBuffer_.fill(0);
        attributesRead_ = true;
        attributeTable_ = attributeBuffer_.data() + kCmdOutHeaderSize + kAttributeTableOffset;
        thresholdTable_ = thresholdBuffer_.data() + kCmdOutHeaderSize + kAttributeTableOffset;
    }
}

void TSmart::TakeStorageIdentity(const StorageReading& reading) {
    opened_ = true;
    identified_ = true;
    model_ = reading.identity.model;
    serialNumber_ = reading.identity.serial;
    const uint64_t sectors = reading.sectors.value_or(0);
    // An ATA disk's log file is named after its 28-bit count on the S.M.A.R.T. path: the same
    // count here keeps one log whether the program runs elevated or not.
    const uint64_t counted = IsAtaBus(reading.identity.busType)
                                 ? std::min<uint64_t>(sectors, kLba28SectorLimit)
                                 : sectors;
    capacityGB_ = static_cast<double>(counted) / kSectorsPerGB;
    realCapacityGB_ = static_cast<double>(sectors) / kSectorsPerGB;
}

void TSmart::ReadSmart() {
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
    capabilities_.ataIdentify = (caps & kCapAtaIdCmd) != 0;
    capabilities_.atapiIdentify = (caps & kCapAtapiIdCmd) != 0;

    const uint8_t deviceMap = versionInfo_[kVersionIdeDeviceMap];
    // The map has an ATAPI bit for the four IDE positions only; a disk beyond them is ATA.
    const bool atapi =
        driveNumber_ < kIdeDriveCount && ((deviceMap >> (kIdeDriveCount + driveNumber_)) & 1) != 0;
    identified_ = atapi ? capabilities_.atapiIdentify : capabilities_.ataIdentify;
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
    // Assigned in place: a refresh of the same disk needs no new text.
    AssignTrimmed(model_, sector + kIdentifyModel, kIdentifyModelLength);
    AssignTrimmed(serialNumber_, sector + kIdentifySerial, kIdentifySerialLength);
    capacityGB_ = ReadLe32(sector + kIdentifySectors) / kSectorsPerGB;
    // Word 83 is valid when its bits 15-14 read 01; bit 10 then promises the 48-bit count.
    const uint16_t commandSet2 = ReadLe16(sector + kIdentifyCommandSet2);
    const uint64_t sectors48 = ReadLe64(sector + kIdentifySectors48) & 0xFFFFFFFFFFFFull;
    const bool lba48 = (commandSet2 & 0xC000) == 0x4000 && (commandSet2 & 0x0400) != 0;
    realCapacityGB_ =
        lba48 && sectors48 > 0 ? static_cast<double>(sectors48) / kSectorsPerGB : capacityGB_;
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
    record.Flags = ReadLe16(entry + 1);
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
