// TDrives: the disks found at start-up (drive numbers 0 to 15) and the relays of their events.
#pragma once

#include "drives/drive.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace korvane {

class TDrives {
  public:
    static constexpr int32_t kMaxDrives = kPhysicalDriveCount;

    // Probes drive numbers 0 to 15: each is polled once and reset to Normal without an event;
    // the present ones are kept in dense positions.
    explicit TDrives(DriveDeps& deps);
    ~TDrives();
    TDrives(const TDrives&) = delete;
    TDrives& operator=(const TDrives&) = delete;

    int32_t Count() const { return count_; }
    // Null when position is outside 0 .. Count - 1.
    TDrive* GetDrive(int32_t position) const;

    void PollAll();
    void ApplyPollIntervals();
    void SetMonitoring(bool on);
    int32_t VisibleIconCount() const;
    // Disks that give a temperature, and those asleep without one yet: they give it awake.
    int32_t MeasurableCount() const;
    void RefreshMenuCaptions();
    // Removes every disk's balloon and resets every status to Normal without an event, so that a
    // disk still hot after resuming raises its alarm again.
    void ResetBeforeHibernate();

    std::function<void(TDrives& sender)> OnAfterPoll;
    // After every poll of a kept disk, its timer's and PollAll's alike.
    std::function<void(TDrives& sender, TDrive& drive)> OnDrivePolled;
    std::function<void(TDrives& sender, TDrive& drive, TTempStatus oldStatus,
                       TTempStatus newStatus)>
        OnStatusChange;
    std::function<void(TDrives& sender, TDrive& drive, bool shown)> OnIconChange;
    std::function<void(TDrives& sender, TDrive& drive, uint32_t message)> OnTrayMouse;

  private:
    DriveDeps& deps_;
    std::array<std::unique_ptr<TDrive>, kMaxDrives> items_;
    int32_t count_ = 0;
};

} // namespace korvane
