// TActionRec: one queued alarm, with what the worker needs of its disk taken at queuing time.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

class TrayIconPort;
class TDrive;

// Action flags of a record.
inline constexpr uint8_t kActionShowMessage = 1;
inline constexpr uint8_t kActionPlaySound = 2;
inline constexpr uint8_t kActionExecuteApp = 4;
inline constexpr uint8_t kActionPoweroff = 8;

inline constexpr size_t kActionModelMax = 20;
inline constexpr size_t kActionPathMax = 255;

struct TActionRec {
    TDrive* Drive = nullptr; // not owned; never touched by the worker (see below)
    uint8_t Level = 0;       // 1 warning, 2 critical
    std::string Model;       // at most kActionModelMax characters
    int32_t CurrentTemp = -1;
    int32_t LimitTemp = -1;
    uint8_t Actions = 0;
    std::string SoundFile; // at most kActionPathMax characters
    std::string AppPath;   // at most kActionPathMax characters
    uint8_t PoweroffMethod = 0;

    // The disk, the settings and the drive list are destroyed at shut-down before the executor,
    // so the worker reads these copies instead of the disk.
    int32_t DriveNumber = 0;
    std::string LogFileName;
    TrayIconPort* TrayIcon = nullptr; // owned by the application window, which outlives the worker
    bool UseCelsius = true;
};

} // namespace korvane
