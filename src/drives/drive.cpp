// TDrive: the poll cycle, the status decision with its hysteresis and the tray indicator.
#include "drives/drive.h"

#include "drives/indicator_icons.h"
#include "drives/temperature_icon.h"
#include "log/logger.h"
#include "settings/alarm_keys.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "toolkit/text.h"
#include "toolkit/toolkit.h"

#include <cmath>
#include <limits>
#include <utility>

namespace korvane {
namespace {

constexpr const char* kDegreeCelsius = "\xB0"
                                       "C";
constexpr const char* kDegreeFahrenheit = "\xB0"
                                          "F";

// ShowDriveTempInTray: the highest setting that still shows the indicator in each status.
constexpr uint32_t kShowAlways = 0;
constexpr uint32_t kShowOnWarning = 1;
constexpr uint32_t kShowOnCritical = 2;

// Milliseconds per unit of PollUnits 0 (seconds), 1 (minutes), 2 (hours); anything else: none.
int64_t PollUnitMs(int32_t units) {
    switch (units) {
    case 0:
        return 1000;
    case 1:
        return 60000;
    case 2:
        return 3600000;
    default:
        return 0;
    }
}

// 32-bit results of 64-bit arithmetic, wrapped as the 32-bit arithmetic of the conversions is.
int32_t Wrap32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

} // namespace

std::string StatusName(uint8_t status) {
    switch (static_cast<TTempStatus>(status)) {
    case TTempStatus::Normal:
        return "normal";
    case TTempStatus::Warning:
        return "warning";
    case TTempStatus::Critical:
        return "critical";
    default:
        return {};
    }
}

int32_t CelsiusToFahrenheit(int32_t celsius) {
    return Wrap32(int64_t{celsius} * 9 / 5 + 32);
}

int32_t FahrenheitToCelsius(int32_t fahrenheit) {
    return Wrap32((int64_t{fahrenheit} - 32) * 5 / 9);
}

std::string CelsiusText(int32_t t) {
    return IntToStr(t) + kDegreeCelsius;
}

std::string FahrenheitText(int32_t t) {
    return IntToStr(CelsiusToFahrenheit(t)) + kDegreeFahrenheit;
}

std::string CapacityTextOf(double gigabytes) {
    if (!std::isfinite(gigabytes) || std::fabs(gigabytes) > 1e15) {
        gigabytes = 0.0; // never from IDENTIFY's 32-bit sector count; keeps the casts defined
    }
    const double whole = std::trunc(gigabytes);
    const auto tenth = static_cast<int64_t>((gigabytes - whole) * 10.0);
    std::string text = IntToStr(static_cast<int64_t>(whole));
    if (tenth > 0) {
        text += ',';
        text += IntToStr(tenth);
    }
    return text + " GB";
}

TDrive::TDrive(uint8_t driveNumber, DriveDeps& deps)
    : deps_(deps), pollTimer_(deps.toolkit.CreateTimer(kInitialPollInterval)),
      smart_(driveNumber, deps.device, deps.osVersion, deps.diskRights),
      trayIcon_(deps.toolkit.CreateTrayIcon(OwnedIcon{})) {
    pollTimer_->SetEnabled(false);
    pollTimer_->OnTick = [this](TimerPort&) { Poll(); };
    trayIcon_->OnMouse = [this](uint32_t message) {
        if (OnTrayMouse) {
            OnTrayMouse(*this, message);
        }
    };
    if (deps.createMenu) {
        menu_ = deps.createMenu();
    }
}

TDrive::~TDrive() {
    pollTimer_->SetEnabled(false);
    pollTimer_->OnTick = nullptr;
    // The tray icon outlives this object in the application window: its clicks must not reach
    // a disk that is gone.
    trayIcon_->OnMouse = nullptr;
}

bool TDrive::IsPresent() const {
    return smart_.Opened() && smart_.Identified();
}

const std::string& TDrive::ModelText() const {
    static const std::string none;
    return IsPresent() ? modelText_ : none;
}

void TDrive::TakeModel() {
    if (modelText_.empty() || modelTextFrom_ != smart_.Model()) {
        modelTextFrom_ = smart_.Model();
        modelText_ = DriveSettingsName(Trim(modelTextFrom_));
    }
}

std::string TDrive::DisplayName() const {
    return "HDD" + IntToStr(DriveNumber() + 1) + " - " + ModelText();
}

std::string TDrive::CapacityText() const {
    return CapacityTextOf(smart_.CapacityGB());
}

std::string TDrive::RealCapacityText() const {
    return CapacityTextOf(smart_.RealCapacityGB());
}

std::string TDrive::LogFileName() const {
    return ModelText() + " (" + CapacityText() + ")" + ".log";
}

TOptionsSection& TDrive::OwnSection() const {
    return deps_.options.GetDriveSection(ModelText());
}

TOptionsSection& TDrive::SettingsSection() const {
    TOptionsSection& own = OwnSection();
    if (own.ReadBool(key::UseCommonSettings)) {
        return deps_.options.GetDriveSection(SettingsName(key::Common));
    }
    return own;
}

bool TDrive::HasOwnSection() const {
    return !OwnSection().ReadString(key::ShowDriveTempInTray).empty();
}

int32_t TDrive::Temperature() const {
    // Attribute 194 on the S.M.A.R.T. path, or what the storage queries gave.
    return IsPresent() ? smart_.Temperature() : -1;
}

bool TDrive::HasTemperature() const {
    return IsPresent() && Temperature() > 0;
}

bool TDrive::IsControlEnabled() const {
    return HasTemperature() && OwnSection().ReadBool(key::EnableTempControl);
}

int32_t TDrive::WarningLevel() const {
    const TOptionsSection& section = SettingsSection();
    if (section.ReadString(key::WarningTemp_Level).empty()) {
        return -1;
    }
    return section.ReadInteger(key::WarningTemp_Level);
}

int32_t TDrive::CriticalLevel() const {
    const TOptionsSection& section = SettingsSection();
    if (section.ReadString(key::CriticalTemp_Level).empty()) {
        return -1;
    }
    return section.ReadInteger(key::CriticalTemp_Level);
}

bool TDrive::IsIconShown() const {
    return trayIcon_->Active();
}

std::string TDrive::TemperatureText(int32_t t) const {
    if (deps_.options.General().ReadBool(key::UseCelsius)) {
        return CelsiusText(t);
    }
    return FahrenheitText(t);
}

void TDrive::LogDebug(const std::string& message) const {
    deps_.logger.Log(kDebugLog, "", message, kNotice);
}

void TDrive::Poll() {
    // The poll's dozen and a half settings reads take the file as its first read found it.
    const ProfileReadRun reads(deps_.options.Profile());
    // Only the user's switch stops the reading: a disk that missed one reading (a busy bus, a
    // driver hiccup) is read again, or monitoring and alarms of a hot disk would end silently.
    const bool skipRead = !ModelText().empty() && !OwnSection().ReadBool(key::EnableTempControl);
    if (!skipRead) {
        if (ModelText().empty()) {
            LogDebug("IDE " + IntToStr(DriveNumber() + 1) + ": scanning for drive");
        }
        smart_.Refresh();
        TakeModel();
        NoteSleepChange();
        if (!smart_.Asleep()) {
            NoteReadingChange();
        }
        if (IsPresent() && IsControlEnabled() && !smart_.Asleep()) {
            // The file name and the line are made again only when what they show changed.
            const int32_t t = Temperature();
            if (logLineFor_ != t) {
                logLine_ = "Temperature = " + CelsiusText(t) + " (" + FahrenheitText(t) + ")";
                logLineFor_ = t;
            }
            if (logNameModel_ != smart_.Model() || logNameCapacity_ != smart_.CapacityGB() ||
                logName_.empty()) {
                logName_ = LogFileName();
                logNameModel_ = smart_.Model();
                logNameCapacity_ = smart_.CapacityGB();
            }
            deps_.logger.Log(kTemperatureLog, logName_, logLine_, kNotice);
        }
    }
    if (IsPresent()) {
        if (!HasOwnSection()) {
            RegisterNewDrive();
        }
        // A sleeping disk keeps its last reading: deciding on it again would raise or clear
        // alarms on a temperature that is not new.
        if (IsControlEnabled() && !smart_.Asleep()) {
            UpdateStatus();
        }
        UpdateTrayIcon();
    }
    if (deps_.trimWorkingSet) {
        deps_.trimWorkingSet();
    }
}

void TDrive::NoteReadingChange() {
    if (!IsPresent()) {
        return;
    }
    const bool has = HasTemperature();
    if (!has && hadReading_ && !readingLost_) {
        readingLost_ = true;
        LogDebug(DisplayName() + ": no temperature in this reading, reading the disk again at "
                                 "every poll");
    } else if (has && readingLost_) {
        readingLost_ = false;
        LogDebug(DisplayName() + ": temperature readings are back");
    }
    hadReading_ = hadReading_ || has;
}

void TDrive::NoteSleepChange() {
    const bool asleep = smart_.Asleep();
    if (asleep != asleep_ && IsPresent()) {
        LogDebug(DisplayName() + (asleep ? ": disk spun down, not read until it wakes"
                                         : ": disk woke up, reading it again"));
    }
    asleep_ = asleep;
}

void TDrive::LogReadPath() const {
    const DiskReadPath path = smart_.ReadPath();
    if (path == DiskReadPath::None) {
        LogDebug(DisplayName() + ": gives no temperature yet");
    } else {
        LogDebug(DisplayName() + ": temperature read through " + ReadPathText(path));
    }
}

void TDrive::RegisterNewDrive() {
    LogDebug("New HDD Found: " + DisplayName());
    const std::string model = ModelText();
    const TOptionsSection& own = deps_.options.GetDriveSection(model);
    own.WriteBool(key::EnableTempControl.name, true);
    own.WriteBool(key::UseCommonSettings.name, true);
    deps_.options.WriteDriveDefaults(model);
}

void TDrive::ChangeStatus(TTempStatus newStatus) {
    const TTempStatus old = status_;
    status_ = newStatus;
    if (OnStatusChange) {
        OnStatusChange(*this, old, newStatus);
    }
}

void TDrive::UpdateStatus() {
    // 64-bit arithmetic: a level of -2147483648 from a hand-edited file must not overflow "- 1".
    const int64_t t = Temperature();
    const int64_t w = WarningLevel();
    const int64_t c = CriticalLevel();
    const TTempStatus old = status_;

    TTempStatus candidate = TTempStatus::Normal;
    if (t > w) {
        candidate = TTempStatus::Warning;
    }
    if (t > c) {
        candidate = TTempStatus::Critical;
    }
    if (candidate == old) {
        return;
    }
    if (candidate > old) {
        ChangeStatus(candidate);
        return;
    }
    TTempStatus falling = TTempStatus::Normal;
    if (t >= w - 1) {
        falling = TTempStatus::Warning;
    }
    if (t >= c - 1) {
        falling = TTempStatus::Critical;
    }
    if (falling < old) {
        ChangeStatus(falling);
    }
}

void TDrive::UpdateTrayIcon() {
    if (!IsControlEnabled()) {
        if (trayIcon_->Active()) {
            LogDebug(DisplayName() +
                     ": tray icon removed (temp control for this disk is disabled)");
            trayIcon_->SetActive(false);
            if (OnIconChange) {
                OnIconChange(*this, false);
            }
        }
        return;
    }
    const int32_t temperature = Temperature();
    if (temperature <= 0) {
        return;
    }

    const TOptionsSection& section = SettingsSection();
    // The keys are in state order.
    const IconColorKeys& colorKeys = kIconColorKeys[static_cast<size_t>(status_)];
    uint32_t highestShowing = kShowAlways;
    if (status_ == TTempStatus::Warning) {
        highestShowing = kShowOnWarning;
    } else if (status_ == TTempStatus::Critical) {
        highestShowing = kShowOnCritical;
    }
    const auto textColor = static_cast<uint32_t>(section.ReadInteger(colorKeys.text));
    const auto background = static_cast<uint32_t>(section.ReadInteger(colorKeys.background));
    // Unsigned on purpose: a negative setting is a huge number and shows the indicator never.
    const auto visibility = static_cast<uint32_t>(section.ReadInteger(key::ShowDriveTempInTray));
    const bool shown = visibility <= highestShowing;

    const bool celsius = deps_.options.General().ReadBool(key::UseCelsius);
    const auto number =
        static_cast<uint16_t>(celsius ? temperature : CelsiusToFahrenheit(temperature));
    // The same number in the same colours is the same picture: drawing it again and handing it to
    // the shell would cost every poll and change nothing the user sees.
    const DrawnIcon wanted{number, background, textColor};
    if (trayIcon_->Icon() == kNoIcon || !(drawn_ == wanted) || redrawIcon_) {
        // Without a new icon the old one stays in place rather than leaving an empty tray slot;
        // a replaced one is the tray icon's to destroy.
        if (OwnedIcon icon = deps_.icons.MakeIcon(number, background, textColor)) {
            trayIcon_->SetIcon(std::move(icon));
            drawn_ = wanted;
            redrawIcon_ = false;
        }
    }

    // The tooltip's text changes only with these; building it again at every poll would not.
    const TooltipFor tooltip{temperature, celsius, smart_.CapacityGB()};
    if (!(tooltipFor_ == tooltip) || tooltipModel_ != smart_.Model()) {
        trayIcon_->SetTooltip(Format("HDD %d: %s\r%s: %s", DriveNumber() + 1,
                                     (ModelText() + " (" + CapacityText() + ")").c_str(),
                                     "Temperature", TemperatureText(temperature).c_str()));
        tooltipFor_ = tooltip;
        tooltipModel_ = smart_.Model();
    }

    if (shown != trayIcon_->Active()) {
        trayIcon_->SetActive(shown);
        if (OnIconChange) {
            OnIconChange(*this, shown);
        }
    }
}

bool TDrive::RedrawTrayIcon() {
    if (!IsPresent() || !IsControlEnabled() || trayIcon_->Icon() == kNoIcon)
        return false;
    redrawIcon_ = true;
    UpdateTrayIcon();
    return !redrawIcon_;
}

void TDrive::ApplyPollInterval() {
    const TOptionsSection& section = SettingsSection();
    const int64_t product = PollUnitMs(section.ReadInteger(key::PollUnits)) *
                            int64_t{section.ReadInteger(key::PollInterval)};
    // A product beyond 32 bits would wrap into an arbitrary, possibly tiny, period: such a
    // setting leaves the disk unpolled instead.
    const int32_t interval = product > std::numeric_limits<int32_t>::max() ||
                                     product < std::numeric_limits<int32_t>::min()
                                 ? 0
                                 : static_cast<int32_t>(product);
    pollTimer_->SetInterval(interval);
    LogDebug(DisplayName() + ": set polling interval to " + IntToStr(interval / 1000) + " sec");
}

void TDrive::SetMonitoring(bool on) {
    pollTimer_->SetEnabled(on && pollTimer_->Interval() > 0);
    LogDebug(DisplayName() + ": monitoring " + (pollTimer_->Enabled() ? "enabled" : "disabled"));
}

} // namespace korvane
