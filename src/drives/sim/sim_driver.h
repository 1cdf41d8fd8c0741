// A simulated Windows S.M.A.R.T. disk driver behind the device-I/O port, for tests and the sim
// build.
#pragma once

#include "drives/device_io.h"
#include "drives/sim/sim_disk.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace korvane::sim {

// One request as the driver saw it, for tests that check what was sent.
struct SimRequest {
    uint32_t code = 0;
    uint8_t driveNumber = 0;
    uint8_t command = 0;
    uint8_t features = 0;
    bool accepted = false;
};

class SimulatedDriver final : public DeviceIo {
  public:
    // Disks come from simulationIniPath, re-read at every open (the demo set when it is missing).
    explicit SimulatedDriver(std::string simulationIniPath);

    DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                      uint32_t creation) override;
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override;
    void Close(DeviceHandle handle) override;

    const std::string& IniPath() const { return iniPath_; }
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int OpenAttempts() const { return openAttempts_; }
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
        std::shared_ptr<const SimConfig> config;
    };

    bool Version(const OpenDevice& device, std::span<uint8_t> output) const;
    bool DriveCommand(const OpenDevice& device, uint32_t code, std::span<const uint8_t> input,
                      std::span<uint8_t> output, SimRequest& request) const;
    void Record(const SimRequest& request);

    std::string iniPath_;
    std::function<std::chrono::milliseconds()> elapsed_;
    std::map<DeviceHandle, OpenDevice> handles_;
    DeviceHandle nextHandle_ = 0x100;
    int openAttempts_ = 0;
    int badCloses_ = 0;
    std::deque<SimRequest> journal_;
};

// The simulated driver over program folder + "simulation.ini" (or any other path).
std::unique_ptr<SimulatedDriver> CreateSimulatedDriver(const std::string& simulationIniPath);

// The sim build's driver: "simulation.ini" in the folder of the running program (Windows build
// only, sim_driver_win.cpp).
std::unique_ptr<SimulatedDriver> CreateSimulatedDriverBesideProgram();

} // namespace korvane::sim
