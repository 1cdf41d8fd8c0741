// The simulated driver: validates every request as the Windows disk drivers do and answers it.
#include "drives/sim/sim_driver.h"

#include "toolkit/text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <vector>

namespace korvane::sim {

namespace {

constexpr uint32_t kErrorFileNotFound = 2;

// The access a control code demands of the handle (its bits 14-15), as the I/O manager checks.
constexpr uint32_t kFileReadAccess = 1;
constexpr uint32_t kFileWriteAccess = 2;
constexpr uint32_t RequiredAccess(uint32_t code) {
    return (code >> 14) & 3;
}

constexpr uint32_t kFixedMedia = 12; // MEDIA_TYPE FixedMedia
constexpr uint32_t kTracksPerCylinder = 255;
constexpr uint32_t kSectorsPerTrack = 63;
constexpr int16_t kSimWarningCelsius = 70;
constexpr int16_t kSimCriticalCelsius = 80;

bool SameTextNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "\\.\PhysicalDriveN" with N 0..15 in decimal as CreateFile gets it (no leading zero, as
// Windows names its devices); -2 for any other name.
int NtDriveOf(const std::string& name) {
    const std::string prefix = kPhysicalDrivePrefix;
    const size_t digits = name.size() - std::min(name.size(), prefix.size());
    if (digits < 1 || digits > 2 || !SameTextNoCase(name.substr(0, prefix.size()), prefix)) {
        return -2;
    }
    int drive = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -2;
        }
        drive = drive * 10 + (name[i] - '0');
    }
    const bool leadingZero = digits > 1 && name[prefix.size()] == '0';
    return !leadingZero && drive < kSimDrives ? drive : -2;
}

void WriteReplyHeader(std::span<uint8_t> output, uint32_t bufferSize) {
    std::fill(output.begin(), output.begin() + kCmdOutHeaderSize, uint8_t{0});
    WriteLe32(output.data() + kCmdOutBufferSize, bufferSize);
}

std::string DeviceLabel(int drive) {
    return drive < 0 ? std::string("SMARTVSD")
                     : std::string("PhysicalDrive").append(IntToStr(drive));
}

std::string RequestName(uint32_t code) {
    switch (code) {
    case kSmartGetVersion:
        return "SMART_GET_VERSION";
    case kSmartSendDriveCommand:
        return "SMART_SEND_DRIVE_COMMAND";
    case kSmartRcvDriveData:
        return "SMART_RCV_DRIVE_DATA";
    case kIoctlStorageQueryProperty:
        return "IOCTL_STORAGE_QUERY_PROPERTY";
    case kIoctlDiskGetDriveGeometryEx:
        return "IOCTL_DISK_GET_DRIVE_GEOMETRY_EX";
    case kIoctlStoragePredictFailure:
        return "IOCTL_STORAGE_PREDICT_FAILURE";
    default:
        return std::string("IOCTL ").append(IntToHex(code, 8));
    }
}

std::string PropertyName(uint32_t property) {
    switch (property) {
    case kStorageDeviceProperty:
        return "StorageDeviceProperty";
    case kStorageDeviceTemperatureProperty:
        return "StorageDeviceTemperatureProperty";
    case kStorageDeviceProtocolSpecificProperty:
        return "StorageDeviceProtocolSpecificProperty";
    default:
        return std::string("property ").append(IntToStr(property));
    }
}

// Requests that reach the disk itself, and so spin a sleeping one up. The identity and geometry
// come from what the drivers hold.
bool Wakes(uint32_t code, uint32_t property) {
    if (code == kIoctlStorageQueryProperty) {
        return property != kStorageDeviceProperty;
    }
    return code == kSmartSendDriveCommand || code == kSmartRcvDriveData ||
           code == kIoctlStoragePredictFailure;
}

// A STORAGE_DEVICE_DESCRIPTOR with its texts behind the fixed part, cut to what fits.
void WriteDeviceDescriptor(const SimDisk& disk, std::span<uint8_t> output) {
    std::vector<uint8_t> full(kDeviceDescriptorFixedSize, 0);
    const auto append = [&full](const std::string& text) -> uint32_t {
        if (text.empty()) {
            return 0;
        }
        const auto offset = static_cast<uint32_t>(full.size());
        full.insert(full.end(), text.begin(), text.end());
        full.push_back(0);
        return offset;
    };
    const uint32_t vendor = append(disk.vendor);
    const uint32_t product = append(disk.product);
    const uint32_t revision = append("SIM1");
    const uint32_t serial = append(disk.serial);
    WriteLe32(full.data() + kDescriptorVersion, kDeviceDescriptorFixedSize);
    WriteLe32(full.data() + kDescriptorSize, static_cast<uint32_t>(full.size()));
    full[kDeviceDescriptorDeviceType] = 0; // direct-access device
    WriteLe32(full.data() + kDeviceDescriptorVendorIdOffset, vendor);
    WriteLe32(full.data() + kDeviceDescriptorProductIdOffset, product);
    WriteLe32(full.data() + kDeviceDescriptorProductRevisionOffset, revision);
    WriteLe32(full.data() + kDeviceDescriptorSerialNumberOffset, serial);
    WriteLe32(full.data() + kDeviceDescriptorBusType, disk.busType);
    std::copy_n(full.begin(), std::min(full.size(), output.size()), output.begin());
}

} // namespace

SimulatedDriver::SimulatedDriver(std::string simulationIniPath, OsVersionInfo os)
    : iniPath_(std::move(simulationIniPath)), os_(std::move(os)),
      elapsed_([start = std::chrono::steady_clock::now()] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
              std::chrono::steady_clock::now() - start);
      }) {}

bool SimulatedDriver::Windows10OrLater() const {
    return os_.platformId == kPlatformWin32Nt && os_.major >= 10;
}

DeviceHandle SimulatedDriver::Open(const std::string& name, uint32_t access, uint32_t sharing,
                                   uint32_t creation) {
    ++openAttempts_;
    lastOpenError_ = kErrorFileNotFound;
    std::shared_ptr<const SimConfig> config = CurrentConfig();
    int drive = NtDriveOf(name);
    SimRequest request;
    request.code = kSimPowerQuery;
    request.driveNumber = static_cast<uint8_t>(std::max(drive, 0));
    request.line = DeviceLabel(drive) + " open access=0x" + IntToHex(access, 8) + " -> ";
    (void)sharing;
    if (drive >= 0) {
        const auto& disk = config->drives[drive];
        if (!disk || disk->Fails(kStepOpen) || creation != kOpenExisting) {
            request.line += "not found";
            Record(*config, request);
            return kInvalidDevice;
        }
        // Any user may open a disk without access rights; reading or writing it takes an
        // administrator.
        const bool elevated = disk->elevated.value_or(config->elevated);
        if (access != 0 && !elevated) {
            request.line.append("error ").append(IntToStr(kErrorAccessDenied));
            Record(*config, request);
            lastOpenError_ = kErrorAccessDenied;
            return kInvalidDevice;
        }
    } else if (SameTextNoCase(name, kSmartVxdDevice)) {
        // A VxD is opened with CREATE_NEW; anything else does not reach it.
        if (creation != kCreateNew) {
            return kInvalidDevice;
        }
        drive = kVxdDrive;
    } else {
        return kInvalidDevice;
    }
    request.accepted = true;
    lastOpenError_ = 0;
    request.line += "ok";
    Record(*config, request);
    const DeviceHandle handle = nextHandle_++;
    handles_.emplace(handle, OpenDevice{drive, access, std::move(config)});
    return handle;
}

SimulatedDriver::FileStamp SimulatedDriver::StampNow() const {
    std::error_code error;
    const std::filesystem::path path(iniPath_);
    FileStamp stamp;
    stamp.written = std::filesystem::last_write_time(path, error);
    if (error) {
        return FileStamp{};
    }
    stamp.size = std::filesystem::file_size(path, error);
    stamp.exists = !error;
    return stamp.exists ? stamp : FileStamp{};
}

std::shared_ptr<const SimConfig> SimulatedDriver::CurrentConfig() {
    // A refresh opens a second handle while its first is open: the disks stay as the first open
    // found them, so the file is looked at once per refresh rather than at each open.
    if (loaded_ && !handles_.empty()) {
        return Ramped(loaded_);
    }
    const FileStamp stamp = StampNow();
    if (!loaded_ || !stampTrusted_ || !(stamp == loadedStamp_)) {
        loaded_ = std::make_shared<const SimConfig>(LoadSimulation(iniPath_));
        ++loads_;
        loadedStamp_ = stamp;
        loadedHasRamps_ = std::any_of(loaded_->drives.begin(), loaded_->drives.end(),
                                      [](const auto& disk) { return disk && disk->ramp; });
        // A file written in the last moments may be written again without its time stamp
        // moving (file times are coarse): only an older one is taken on its stamp.
        constexpr auto kSettled = std::chrono::seconds(2);
        stampTrusted_ = !stamp.exists ||
                        stamp.written < std::filesystem::file_time_type::clock::now() - kSettled;
    }
    return Ramped(loaded_);
}

std::shared_ptr<const SimConfig>
SimulatedDriver::Ramped(const std::shared_ptr<const SimConfig>& loaded) const {
    if (!loadedHasRamps_) {
        return loaded;
    }
    SimConfig ramped = *loaded;
    ApplyRamps(ramped, elapsed_());
    return std::make_shared<const SimConfig>(std::move(ramped));
}

void SimulatedDriver::Close(DeviceHandle handle) {
    if (handles_.erase(handle) == 0) {
        ++badCloses_;
    }
}

DevicePower SimulatedDriver::PowerState(DeviceHandle handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end() || found->second.drive < 0) {
        return DevicePower::Unknown;
    }
    const OpenDevice& device = found->second;
    const bool sleeping = device.config->drives[device.drive]->sleeping;
    SimRequest request;
    request.code = kSimPowerQuery;
    request.driveNumber = static_cast<uint8_t>(device.drive);
    request.accepted = true;
    request.line =
        DeviceLabel(device.drive) + " GetDevicePowerState -> " + (sleeping ? "off" : "on");
    Record(*device.config, request);
    return sleeping ? DevicePower::Off : DevicePower::On;
}

bool SimulatedDriver::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                              std::span<uint8_t> output) {
    SimRequest request;
    request.code = code;
    const auto found = handles_.find(handle);
    if (found == handles_.end()) {
        journal_.push_back(request);
        if (journal_.size() > kJournalLimit) {
            journal_.pop_front();
        }
        return false;
    }
    const OpenDevice& device = found->second;
    request.driveNumber = static_cast<uint8_t>(std::max(device.drive, 0));
    request.line = DeviceLabel(device.drive) + " " + RequestName(code);
    if (code == kIoctlStorageQueryProperty && input.size() >= kQueryType + 4) {
        request.property = ReadLe32(input.data() + kQueryPropertyId);
        request.line.append(" ").append(PropertyName(request.property));
    }

    // The I/O manager refuses a request whose access the handle was not opened with; the VxD
    // of the 95/98 family knows no such rule.
    const uint32_t granted = ((device.access & kGenericRead) != 0 ? kFileReadAccess : 0) |
                             ((device.access & kGenericWrite) != 0 ? kFileWriteAccess : 0);
    if (device.drive != kVxdDrive && (RequiredAccess(code) & ~granted) != 0) {
        request.line.append(" -> error ").append(IntToStr(kErrorAccessDenied));
        Record(*device.config, request);
        return false;
    }

    const SimDisk* disk = device.drive >= 0 ? &*device.config->drives[device.drive] : nullptr;
    if (code == kSmartGetVersion) {
        request.accepted = (disk == nullptr || disk->SpeaksSmart()) && Version(device, output);
    } else if (code == kSmartSendDriveCommand || code == kSmartRcvDriveData) {
        request.accepted = DriveCommand(device, code, input, output, request);
        request.line.append(" command=")
            .append(IntToHex(request.command, 2))
            .append(" features=")
            .append(IntToHex(request.features, 2));
    } else if (disk != nullptr && code == kIoctlStorageQueryProperty) {
        request.accepted = QueryProperty(device, input, output, request);
    } else if (disk != nullptr && code == kIoctlDiskGetDriveGeometryEx) {
        request.accepted = Geometry(device, output);
    } else if (disk != nullptr && code == kIoctlStoragePredictFailure) {
        request.accepted = PredictFailure(device, output);
    }
    request.wokeDisk = disk != nullptr && disk->sleeping && Wakes(code, request.property);
    request.line += request.accepted ? " -> ok" : " -> refused";
    if (request.wokeDisk) {
        request.line += " [woke the sleeping disk]";
    }
    Record(*device.config, request);
    return request.accepted;
}

bool SimulatedDriver::Version(const OpenDevice& device, std::span<uint8_t> output) const {
    if (output.size() < kVersionSize) {
        return false;
    }
    uint8_t deviceMap = 0;
    uint32_t capabilities = 0;
    // The map's byte has room for the four IDE positions, an ATAPI bit for each above them.
    for (int drive = 0; drive < kIdeDriveCount; ++drive) {
        const auto& disk = device.config->drives[drive];
        if (!disk || !disk->SpeaksSmart()) {
            continue;
        }
        deviceMap |= static_cast<uint8_t>(1 << drive);
        if (disk->atapi) {
            deviceMap |= static_cast<uint8_t>(1 << (kIdeDriveCount + drive));
        }
        if (device.drive == kVxdDrive) {
            capabilities |= disk->capabilities; // the VxD speaks for all its drives
        }
    }
    if (device.drive != kVxdDrive) {
        const SimDisk& disk = *device.config->drives[device.drive];
        if (disk.Fails(kStepVersion)) {
            return false;
        }
        capabilities = disk.capabilities;
    }
    std::fill(output.begin(), output.begin() + kVersionSize, uint8_t{0});
    output[kVersionVersion] = 1;
    output[kVersionRevision] = 1;
    output[kVersionIdeDeviceMap] = deviceMap;
    WriteLe32(output.data() + kVersionCapabilities, capabilities);
    return true;
}

bool SimulatedDriver::DriveCommand(const OpenDevice& device, uint32_t code,
                                   std::span<const uint8_t> input, std::span<uint8_t> output,
                                   SimRequest& request) const {
    if (input.size() < kCmdInSize) {
        return false;
    }
    const uint8_t driveNumber = input[kCmdInDriveNumber];
    request.driveNumber = driveNumber;
    request.command = input[kCmdInCommand];
    request.features = input[kCmdInFeatures];

    // The physical-drive handle fixes the drive; the VxD takes it from the request.
    if (device.drive != kVxdDrive && driveNumber != device.drive) {
        return false;
    }
    // The VxD reaches the four IDE positions only.
    const int reachable = device.drive == kVxdDrive ? kIdeDriveCount : kSimDrives;
    if (driveNumber >= reachable || !device.config->drives[driveNumber]) {
        return false;
    }
    if (input[kCmdInDriveHead] != DriveHeadFor(driveNumber)) {
        return false;
    }
    const SimDisk& disk = *device.config->drives[driveNumber];
    if (!disk.SpeaksSmart()) {
        return false; // an NVMe controller or a USB bridge does not pass ATA commands
    }
    const uint32_t bufferSize = ReadLe32(input.data() + kCmdInBufferSize);
    const bool smartRegisters = input[kCmdInCommand] == kAtaSmart &&
                                input[kCmdInCylLow] == kSmartCylLow &&
                                input[kCmdInCylHigh] == kSmartCylHigh;

    if (code == kSmartSendDriveCommand) {
        if (!smartRegisters || input[kCmdInFeatures] != kSmartEnableOperations ||
            output.size() < kCmdOutHeaderSize || disk.Fails(kStepEnable)) {
            return false;
        }
        WriteReplyHeader(output, 0);
        return true;
    }

    // SMART_RCV_DRIVE_DATA: one sector into a full SENDCMDOUTPARAMS.
    if (bufferSize != kSectorSize || output.size() < kDataBlockSize) {
        return false;
    }
    const std::optional<Sector>* sector = nullptr;
    const uint8_t command = input[kCmdInCommand];
    if ((command == kAtaIdentifyDevice || command == kAtaIdentifyPacketDevice) &&
        input[kCmdInFeatures] == 0) {
        // A packet device aborts IDENTIFY DEVICE, and an ATA disk IDENTIFY PACKET DEVICE.
        const bool packet = command == kAtaIdentifyPacketDevice;
        if (packet != disk.atapi || disk.Fails(kStepIdentify)) {
            return false;
        }
        sector = &disk.identify;
    } else if (smartRegisters && input[kCmdInFeatures] == kSmartReadAttributeValues) {
        if (disk.Fails(kStepAttributes)) {
            return false;
        }
        sector = &disk.attributes;
    } else if (smartRegisters && input[kCmdInFeatures] == kSmartReadAttributeThresholds) {
        if (disk.Fails(kStepThresholds)) {
            return false;
        }
        sector = &disk.thresholds;
    } else {
        return false;
    }
    if (!sector->has_value()) {
        return false; // the sector file was missing or short: a read error
    }
    WriteReplyHeader(output, kSectorSize);
    std::memcpy(output.data() + kCmdOutHeaderSize, (*sector)->data(), kSectorSize);
    return true;
}

bool SimulatedDriver::QueryProperty(const OpenDevice& device, std::span<const uint8_t> input,
                                    std::span<uint8_t> output, SimRequest& request) const {
    const SimDisk& disk = *device.config->drives[device.drive];
    if (input.size() < kQueryType + 4 ||
        ReadLe32(input.data() + kQueryType) != kPropertyStandardQuery) {
        return false;
    }
    switch (request.property) {
    case kStorageDeviceProperty:
        if (output.size() < kDescriptorSize + 4) {
            return false;
        }
        WriteDeviceDescriptor(disk, output);
        return true;

    case kStorageDeviceTemperatureProperty: {
        // Windows 10 brought the property; the disk must give a reading it can take.
        if (!Windows10OrLater() || !disk.temperatureProperty || !disk.temperature ||
            disk.Fails(kStepAttributes) || output.size() < kTemperatureDescriptorSize) {
            return false;
        }
        std::fill(output.begin(), output.begin() + kTemperatureDescriptorSize, uint8_t{0});
        WriteLe32(output.data() + kDescriptorVersion, kTemperatureDescriptorSize);
        WriteLe32(output.data() + kDescriptorSize, kTemperatureDescriptorSize);
        WriteLe16(output.data() + kTemperatureCritical, static_cast<uint16_t>(kSimCriticalCelsius));
        WriteLe16(output.data() + kTemperatureWarning, static_cast<uint16_t>(kSimWarningCelsius));
        WriteLe16(output.data() + kTemperatureInfoCount, 1);
        uint8_t* info = output.data() + kTemperatureInfo;
        WriteLe16(info + kTemperatureInfoIndex, 0);
        WriteLe16(info + kTemperatureInfoTemperature,
                  static_cast<uint16_t>(static_cast<int16_t>(*disk.temperature)));
        return true;
    }

    case kStorageDeviceProtocolSpecificProperty: {
        if (!Windows10OrLater() || disk.busType != kBusTypeNvme || !disk.nvmeLog ||
            disk.Fails(kStepAttributes) ||
            input.size() < kQueryAdditionalParameters + kProtocolSpecificDataSize) {
            return false;
        }
        const uint8_t* protocol = input.data() + kQueryAdditionalParameters;
        const uint32_t offset = ReadLe32(protocol + kProtocolDataOffset);
        const uint32_t length = ReadLe32(protocol + kProtocolDataLength);
        if (ReadLe32(protocol + kProtocolType) != kProtocolTypeNvme ||
            ReadLe32(protocol + kProtocolDataType) != kNvmeDataTypeLogPage ||
            ReadLe32(protocol + kProtocolRequestValue) != kNvmeLogPageHealthInfo ||
            ReadLe32(protocol + kProtocolRequestSubValue) != 0 ||
            offset < kProtocolSpecificDataSize || length < kNvmeLogSize ||
            uint64_t{kProtocolDescriptorData} + offset + kNvmeLogSize > output.size()) {
            return false;
        }
        // The reply: STORAGE_PROTOCOL_DATA_DESCRIPTOR, the request's protocol data with the
        // length returned, the log page at its offset.
        std::vector<uint8_t> reply(kProtocolDescriptorData + offset + kNvmeLogSize, 0);
        WriteLe32(reply.data() + kDescriptorVersion, kProtocolDescriptorSize);
        WriteLe32(reply.data() + kDescriptorSize, kProtocolDescriptorSize);
        std::copy_n(protocol, kProtocolSpecificDataSize, reply.begin() + kProtocolDescriptorData);
        WriteLe32(reply.data() + kProtocolDescriptorData + kProtocolDataLength, kNvmeLogSize);
        std::copy(disk.nvmeLog->begin(), disk.nvmeLog->end(),
                  reply.begin() + kProtocolDescriptorData + offset);
        std::copy(reply.begin(), reply.end(), output.begin());
        return true;
    }

    default:
        return false;
    }
}

bool SimulatedDriver::Geometry(const OpenDevice& device, std::span<uint8_t> output) const {
    const SimDisk& disk = *device.config->drives[device.drive];
    if (output.size() < kGeometryData || disk.sectors == 0) {
        return false;
    }
    std::fill(output.begin(), output.begin() + kGeometryData, uint8_t{0});
    const uint64_t diskSize = disk.sectors * kSectorSize;
    const uint64_t cylinderBytes =
        uint64_t{disk.bytesPerSector} * kTracksPerCylinder * kSectorsPerTrack;
    const uint64_t cylinders = cylinderBytes == 0 ? 0 : diskSize / cylinderBytes;
    WriteLe64(output.data(), cylinders);
    WriteLe32(output.data() + 8, kFixedMedia);
    WriteLe32(output.data() + 12, kTracksPerCylinder);
    WriteLe32(output.data() + 16, kSectorsPerTrack);
    WriteLe32(output.data() + kGeometryBytesPerSector, disk.bytesPerSector);
    WriteLe64(output.data() + kGeometryDiskSize, diskSize);
    return true;
}

bool SimulatedDriver::PredictFailure(const OpenDevice& device, std::span<uint8_t> output) const {
    const SimDisk& disk = *device.config->drives[device.drive];
    // The disk driver answers it for ATA disks from SMART READ DATA: the attribute sector.
    if (!disk.SpeaksSmart() || !disk.predictFailure || !disk.attributes ||
        disk.Fails(kStepAttributes) || output.size() < kPredictFailureSize) {
        return false;
    }
    WriteLe32(output.data(), 0); // no failure predicted
    std::copy(disk.attributes->begin(), disk.attributes->end(),
              output.begin() + kPredictFailureVendorSpecific);
    return true;
}

void SimulatedDriver::Record(const SimConfig& config, SimRequest request) {
    if (!config.requestLog.empty()) {
        std::ofstream log(config.requestLog, std::ios::binary | std::ios::app);
        log << request.line << "\r\n";
    }
    journal_.push_back(std::move(request));
    if (journal_.size() > kJournalLimit) {
        journal_.pop_front();
    }
}

std::unique_ptr<SimulatedDriver> CreateSimulatedDriver(const std::string& simulationIniPath) {
    return std::make_unique<SimulatedDriver>(simulationIniPath);
}

} // namespace korvane::sim
