// A simulated Windows disk driver behind the device-I/O port, for tests and the sim build: the
// S.M.A.R.T. requests, the storage queries and the power state, with the drivers' access rules.
#pragma once

#include "drives/device_io.h"
#include "drives/sim/sim_disk.h"
#include "toolkit/os_version.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace korvane::sim {

// The journal's code for a power-state query (no control code: GetDevicePowerState).
constexpr uint32_t kSimPowerQuery = 0;

// One request as the driver saw it, for tests that check what was sent.
struct SimRequest {
    uint32_t code = 0;
    uint8_t driveNumber = 0;
    uint8_t command = 0;
    uint8_t features = 0;
    uint32_t property = 0; // IOCTL_STORAGE_QUERY_PROPERTY's PropertyId
    bool accepted = false;
    bool wokeDisk = false; // reached a sleeping disk and spun it up
    std::string line;      // as written to the request log
};

class SimulatedDriver final : public DeviceIoPort {
  public:
    // Disks come from simulationIniPath (the demo set when it is missing), read again at the first
    // open after the file's modification time or size changed. The file is looked at by an open
    // while no device is open, that is once per refresh. The system version decides which
    // storage properties the drivers know.
    explicit SimulatedDriver(std::string simulationIniPath, OsVersionInfo os = Windows10());

    DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                      uint32_t creation) override;
    uint32_t LastOpenError() const override { return lastOpenError_; }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override;
    void Close(DeviceHandle handle) override;
    DevicePower PowerState(DeviceHandle handle) override;

    static OsVersionInfo Windows10() { return OsVersionInfo{10, 0, 19045, kPlatformWin32Nt, {}}; }

    const std::string& IniPath() const { return iniPath_; }
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int OpenAttempts() const { return openAttempts_; }
    // How often simulation.ini (or the demo set) was read and parsed.
    int Loads() const { return loads_; }
    int BadCloses() const { return badCloses_; }
    // The latest requests, oldest first (only the last kJournalLimit are kept).
    const std::deque<SimRequest>& Journal() const { return journal_; }
    void ClearJournal() { journal_.clear(); }
    // The time since the driver's start that ramped temperatures follow (tests set their own).
    void SetElapsedSource(std::function<std::chrono::milliseconds()> elapsed) {
        elapsed_ = std::move(elapsed);
    }

    static constexpr size_t kJournalLimit = 64;

  private:
    static constexpr int kVxdDrive = -1; // the 95/98 VxD handle serves every drive

    struct OpenDevice {
        int drive;
        uint32_t access;
        std::shared_ptr<const SimConfig> config;
    };

    bool Version(const OpenDevice& device, std::span<uint8_t> output) const;
    bool DriveCommand(const OpenDevice& device, uint32_t code, std::span<const uint8_t> input,
                      std::span<uint8_t> output, SimRequest& request) const;
    bool QueryProperty(const OpenDevice& device, std::span<const uint8_t> input,
                       std::span<uint8_t> output, SimRequest& request) const;
    bool Geometry(const OpenDevice& device, std::span<uint8_t> output) const;
    bool PredictFailure(const OpenDevice& device, std::span<uint8_t> output) const;
    bool Windows10OrLater() const;
    void Record(const SimConfig& config, SimRequest request);
    // The disks as simulation.ini says now, ramps applied at this moment.
    std::shared_ptr<const SimConfig> CurrentConfig();
    // The loaded disks with their ramps applied at this moment.
    std::shared_ptr<const SimConfig> Ramped(const std::shared_ptr<const SimConfig>& loaded) const;

    // What the file looked like when it was last read: a changed stamp means read it again.
    struct FileStamp {
        bool exists = false;
        std::filesystem::file_time_type written{};
        uintmax_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };
    FileStamp StampNow() const;

    std::string iniPath_;
    OsVersionInfo os_;
    std::function<std::chrono::milliseconds()> elapsed_;
    std::map<DeviceHandle, OpenDevice> handles_;
    DeviceHandle nextHandle_ = 0x100;
    int openAttempts_ = 0;
    uint32_t lastOpenError_ = 0;
    int badCloses_ = 0;
    std::deque<SimRequest> journal_;
    std::shared_ptr<const SimConfig> loaded_; // as read, before any ramp
    bool loadedHasRamps_ = false;
    FileStamp loadedStamp_;
    bool stampTrusted_ = false; // false while the file may still change within its time stamp
    int loads_ = 0;
};

// The simulated driver over program folder + "simulation.ini" (or any other path).
std::unique_ptr<SimulatedDriver> CreateSimulatedDriver(const std::string& simulationIniPath);

} // namespace korvane::sim
