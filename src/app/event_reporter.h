// EventReporter: what the program tells the event log, with stable ids and the facts as separate
// insertion strings, so that a collector can read them and Event Viewer can show whole texts.
#pragma once

#include "app/event_log.h"
#include "drives/drive.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

class TDrives;
class TOptions;
struct TActionRec;

// The ids of the message table (resources/korvane_events.mc); documented in the help. They never
// change meaning: collectors' rules name them.
namespace event {
inline constexpr uint32_t kProgramStarted = 1000;
inline constexpr uint32_t kProgramStopped = 1001;
inline constexpr uint32_t kDiskFound = 1100;
inline constexpr uint32_t kDiskLost = 1101;
inline constexpr uint32_t kTemperatureUnreadable = 1102;
inline constexpr uint32_t kTemperatureReadable = 1103;
inline constexpr uint32_t kBackToNormal = 1200;
inline constexpr uint32_t kWarningReached = 1201;
inline constexpr uint32_t kCriticalReached = 1202;
inline constexpr uint32_t kCountdownStarted = 1300;
inline constexpr uint32_t kCountdownCancelled = 1301;
inline constexpr uint32_t kPowerOffRequested = 1302;
inline constexpr uint32_t kPowerOffFailed = 1303;
inline constexpr uint32_t kSoundFailed = 1400;
inline constexpr uint32_t kApplicationFailed = 1401;
} // namespace event

// The facts of a disk event, %1 to %6: disk ("HDD1"), model, serial, temperature in °C (-1 without
// a reading), status name, and the level of the event in °C (the critical level for a critical
// disk, otherwise the warning level; the countdown's own limit for the countdown events).
struct DiskEventFacts {
    int32_t driveNumber = 0;
    std::string model;
    std::string serial;
    int32_t temperature = -1;
    uint8_t status = 0;
    int32_t level = -1;
};

class EventReporter {
  public:
    EventReporter(EventLogPort& log, TOptions& options);

    void ProgramStarted();
    void ProgramStopped();
    // Every disk the drive list kept at start-up.
    void DisksFound(const TDrives& drives);
    // After each poll of a disk: lost and found again, temperature unreadable and readable again.
    void DrivePolled(const TDrive& drive);
    void StatusChanged(const TDrive& drive, TTempStatus newStatus);
    // The countdown's disk, kept for the events of its end.
    void CountdownStarted(const TActionRec& rec);
    void CountdownCancelled();
    void PowerOffRequested(int32_t method);
    void PowerOffFailed(int32_t method);
    // step: kSoundFailed or kApplicationFailed; `file` the sound or the application.
    void AlarmStepFailed(const TActionRec& rec, uint32_t step, const std::string& file);

  private:
    // The disk's state as the last poll left it.
    struct Seen {
        bool known = false;
        bool present = false;
        bool hadReading = false;
        bool unreadable = false;
        DiskEventFacts last; // a lost disk no longer tells its model and serial
    };

    void Report(EventLevel level, uint32_t id, const std::vector<std::string>& strings);
    void ReportDisk(EventLevel level, uint32_t id, const DiskEventFacts& facts,
                    const std::string& extra = {});
    void NoteSeen(const TDrive& drive);

    EventLogPort& log_;
    TOptions& options_;
    std::array<Seen, 32> seen_{};
    DiskEventFacts countdown_;
    std::string countdownMethod_;
};

// The insertion strings of a disk event, %1 to %6, and `extra` as %7 when it is not empty.
std::vector<std::string> DiskEventStrings(const DiskEventFacts& facts, const std::string& extra);
// The facts of a disk as it is now; `level` as DiskEventFacts says.
DiskEventFacts FactsOf(const TDrive& drive);
// "shutdown", "hibernate"; the number for any other value.
std::string PowerOffMethodName(int32_t method);

} // namespace korvane
