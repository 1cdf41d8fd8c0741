// The simulated driver: validates every request as the Windows disk drivers do and answers it.
#include "drives/sim/sim_driver.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace korvane::sim {

namespace {

constexpr const char* kNtPrefix = "\\\\.\\PhysicalDrive";
constexpr const char* kVxdName = "\\\\.\\SMARTVSD";

bool SameTextNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "\\.\PhysicalDriveN" with N one decimal digit 0..3; -2 for any other name.
int NtDriveOf(const std::string& name) {
    const std::string prefix = kNtPrefix;
    if (name.size() != prefix.size() + 1 ||
        !SameTextNoCase(name.substr(0, prefix.size()), prefix)) {
        return -2;
    }
    const char digit = name.back();
    return digit >= '0' && digit < '0' + kSimDrives ? digit - '0' : -2;
}

void WriteReplyHeader(std::span<uint8_t> output, uint32_t bufferSize) {
    std::fill(output.begin(), output.begin() + kCmdOutHeaderSize, uint8_t{0});
    WriteLe32(output.data() + kCmdOutBufferSize, bufferSize);
}

} // namespace

SimulatedDriver::SimulatedDriver(std::string simulationIniPath)
    : iniPath_(std::move(simulationIniPath)), elapsed_([start = std::chrono::steady_clock::now()] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
              std::chrono::steady_clock::now() - start);
      }) {}

DeviceHandle SimulatedDriver::Open(const std::string& name, uint32_t access, uint32_t sharing,
                                   uint32_t creation) {
    ++openAttempts_;
    SimConfig loaded = LoadSimulation(iniPath_);
    ApplyRamps(loaded, elapsed_());
    auto config = std::make_shared<const SimConfig>(std::move(loaded));
    int drive = NtDriveOf(name);
    if (drive >= 0) {
        // The NT disk class driver passes S.M.A.R.T. requests only on a read/write handle.
        const bool readWrite =
            (access & (kGenericRead | kGenericWrite)) == (kGenericRead | kGenericWrite);
        const auto& disk = config->drives[drive];
        if (!disk || disk->Fails(kStepOpen) || !readWrite || creation != kOpenExisting) {
            return kInvalidDevice;
        }
    } else if (SameTextNoCase(name, kVxdName)) {
        // A VxD is opened with CREATE_NEW; anything else does not reach it.
        if (creation != kCreateNew) {
            return kInvalidDevice;
        }
        drive = kVxdDrive;
    } else {
        return kInvalidDevice;
    }
    (void)sharing;
    const DeviceHandle handle = nextHandle_++;
    handles_.emplace(handle, OpenDevice{drive, std::move(config)});
    return handle;
}

void SimulatedDriver::Close(DeviceHandle handle) {
    if (handles_.erase(handle) == 0) {
        ++badCloses_;
    }
}

bool SimulatedDriver::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                              std::span<uint8_t> output) {
    SimRequest request;
    request.code = code;
    const auto found = handles_.find(handle);
    if (found == handles_.end()) {
        Record(request);
        return false;
    }
    const OpenDevice& device = found->second;
    if (code == kSmartGetVersion) {
        request.driveNumber = static_cast<uint8_t>(std::max(device.drive, 0));
        request.accepted = Version(device, output);
    } else if (code == kSmartSendDriveCommand || code == kSmartRcvDriveData) {
        request.accepted = DriveCommand(device, code, input, output, request);
    }
    Record(request);
    return request.accepted;
}

bool SimulatedDriver::Version(const OpenDevice& device, std::span<uint8_t> output) const {
    if (output.size() < kVersionSize) {
        return false;
    }
    uint8_t deviceMap = 0;
    uint32_t capabilities = 0;
    for (int drive = 0; drive < kSimDrives; ++drive) {
        const auto& disk = device.config->drives[drive];
        if (!disk) {
            continue;
        }
        deviceMap |= static_cast<uint8_t>(1 << drive);
        if (disk->atapi) {
            deviceMap |= static_cast<uint8_t>(1 << (4 + drive));
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
    if (driveNumber >= kSimDrives || !device.config->drives[driveNumber]) {
        return false;
    }
    if (input[kCmdInDriveHead] != DriveHeadFor(driveNumber)) {
        return false;
    }
    const SimDisk& disk = *device.config->drives[driveNumber];
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

void SimulatedDriver::Record(const SimRequest& request) {
    journal_.push_back(request);
    if (journal_.size() > kJournalLimit) {
        journal_.pop_front();
    }
}

std::unique_ptr<SimulatedDriver> CreateSimulatedDriver(const std::string& simulationIniPath) {
    return std::make_unique<SimulatedDriver>(simulationIniPath);
}

} // namespace korvane::sim
