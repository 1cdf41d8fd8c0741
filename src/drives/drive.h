// TDrive: one physical disk watched on its own poll timer, with its status and tray indicator.
#pragma once

#include "drives/smart.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace korvane {

class IndicatorIconPort;
class PopupMenuPort;
class TimerPort;
class ToolkitPort;
class TrayIconPort;
class TLogger;
class TOptions;
class TOptionsSection;

enum class TTempStatus : uint8_t { Normal, Warning, Critical };

// "normal", "warning", "critical"; the empty text for any other value.
std::string StatusName(uint8_t status);
inline std::string StatusName(TTempStatus status) {
    return StatusName(static_cast<uint8_t>(status));
}

// Display conversions in 32-bit integers, truncating toward zero (45 C is 113 F, 100 F is 37 C).
int32_t CelsiusToFahrenheit(int32_t celsius);
int32_t FahrenheitToCelsius(int32_t fahrenheit);
// t + "\xB0" "C"; CelsiusToFahrenheit(t) + "\xB0" "F" (0xB0 is the ANSI degree sign).
std::string CelsiusText(int32_t t);
std::string FahrenheitText(int32_t t);
// Whole gigabytes, then "," and the tenth when it is not 0, then " GB": 78,1 GB; 80 GB.
std::string CapacityTextOf(double gigabytes);

// Everything a disk needs from the program, handed down by the drive list.
struct DriveDeps {
    TOptions& options;
    TLogger& logger;
    ToolkitPort& toolkit;
    IndicatorIconPort& icons;
    std::function<void()> trimWorkingSet; // after every poll; may be unset
    DeviceIoPort& device;
    const OsVersionPort& osVersion;
    // The disk's tray menu, built by the application from its disk-menu template; may be unset.
    std::function<PopupMenuPort*()> createMenu;
    // Puts the captions on a disk menu.
    std::function<void(PopupMenuPort&)> applyMenuCaptions;
    // Removes a balloon still shown on an indicator (the tray notifications' HideBalloon).
    std::function<void(TrayIconPort&)> hideBalloon;
    // What the program's disks have learnt of its rights, shared by all of them.
    DiskRights diskRights{};
};

class TDrive {
  public:
    static constexpr int32_t kInitialPollInterval = 100;

    // Opens nothing: the timer is off, the indicator inactive, the status Normal.
    TDrive(uint8_t driveNumber, DriveDeps& deps);
    ~TDrive();
    TDrive(const TDrive&) = delete;
    TDrive& operator=(const TDrive&) = delete;

    // The poll cycle; also the timer's tick handler.
    void Poll();
    void RegisterNewDrive();
    // Only while IsControlEnabled.
    void UpdateStatus();
    void UpdateTrayIcon();
    // Draws the indicator again now although nothing it shows has changed: the taskbar's size or
    // theme has. True when a new icon was drawn.
    bool RedrawTrayIcon();
    void ApplyPollInterval();
    void SetMonitoring(bool on);
    // One debug line: which way the disk's temperature is read.
    void LogReadPath() const;

    uint8_t DriveNumber() const { return smart_.DriveNumber(); }
    bool IsPresent() const;
    // The disk's settings name; the empty text while no disk is present.
    const std::string& ModelText() const;
    std::string DisplayName() const;
    std::string CapacityText() const;
    // The whole disk (48-bit count), for the settings window; CapacityText names the log file.
    std::string RealCapacityText() const;
    std::string LogFileName() const;
    TOptionsSection& OwnSection() const;
    TOptionsSection& SettingsSection() const;
    bool HasOwnSection() const;
    int32_t Temperature() const;
    bool HasTemperature() const;
    bool IsControlEnabled() const;
    int32_t WarningLevel() const;
    int32_t CriticalLevel() const;
    bool IsIconShown() const;
    std::string TemperatureText(int32_t t) const;

    TTempStatus Status() const { return status_; }
    // Without an event: the drive list's probe and its reset before hibernation.
    void ResetStatus() { status_ = TTempStatus::Normal; }

    const TSmart& Smart() const { return smart_; }
    TimerPort& PollTimer() { return *pollTimer_; }
    TrayIconPort& TrayIcon() { return *trayIcon_; }
    PopupMenuPort* Menu() { return menu_; }

    std::function<void(TDrive& sender, TTempStatus oldStatus, TTempStatus newStatus)>
        OnStatusChange;
    std::function<void(TDrive& sender, bool shown)> OnIconChange;
    // The indicator's mouse messages (double click, right button up), for the application.
    std::function<void(TDrive& sender, uint32_t message)> OnTrayMouse;

  private:
    void LogDebug(const std::string& message) const;
    void ChangeStatus(TTempStatus newStatus);
    // One debug line when a read disk loses its temperature and one when it gets it back.
    void NoteReadingChange();
    // One debug line when the disk spins down and one when it wakes.
    void NoteSleepChange();
    // Makes the settings name again when the model read has changed.
    void TakeModel();

    DriveDeps& deps_;
    std::unique_ptr<TimerPort> pollTimer_;
    TSmart smart_;
    TrayIconPort* trayIcon_;        // owned by the application window
    PopupMenuPort* menu_ = nullptr; // owned by the application window
    TTempStatus status_ = TTempStatus::Normal;
    bool hadReading_ = false;  // some read of this disk gave a temperature
    bool readingLost_ = false; // the last reads gave none; told once in the debug log
    bool asleep_ = false;      // as the last poll found the disk
    // The settings name and the model text it was made from: every poll looks up the disk's
    // section by it several times.
    std::string modelText_;
    std::string modelTextFrom_;
    // What the indicator's current icon shows.
    struct DrawnIcon {
        uint16_t number = 0;
        uint32_t background = 0;
        uint32_t textColor = 0;
        bool operator==(const DrawnIcon&) const = default;
    };
    DrawnIcon drawn_;
    bool redrawIcon_ = false; // the next UpdateTrayIcon draws even the same picture
    // What the indicator's tooltip was made from.
    struct TooltipFor {
        int32_t temperature = -1;
        bool celsius = false;
        double capacityGB = -1.0;
        bool operator==(const TooltipFor&) const = default;
    };
    TooltipFor tooltipFor_;
    std::string tooltipModel_;
    // The temperature log's line and file name as last written.
    int32_t logLineFor_ = -1;
    std::string logLine_;
    std::string logName_;
    std::string logNameModel_;
    double logNameCapacity_ = -1.0;
};

} // namespace korvane
