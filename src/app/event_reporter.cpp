// EventReporter: the events, their levels and their insertion strings.
#include "app/event_reporter.h"

#include "actions/action_rec.h"
#include "drives/drives.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/product.h"
#include "toolkit/text.h"

namespace korvane {

namespace {

std::string DiskName(int32_t driveNumber) {
    return "HDD" + IntToStr(driveNumber + 1);
}

} // namespace

DiskEventFacts FactsOf(const TDrive& drive) {
    DiskEventFacts facts;
    facts.driveNumber = drive.DriveNumber();
    facts.model = drive.Smart().Model();
    facts.serial = drive.Smart().SerialNumber();
    facts.temperature = drive.HasTemperature() ? drive.Temperature() : -1;
    facts.status = static_cast<uint8_t>(drive.Status());
    facts.level =
        drive.Status() == TTempStatus::Critical ? drive.CriticalLevel() : drive.WarningLevel();
    return facts;
}

std::vector<std::string> DiskEventStrings(const DiskEventFacts& facts, const std::string& extra) {
    // Model and serial are the disk's firmware text: only ever insertion strings of their own.
    std::vector<std::string> strings{DiskName(facts.driveNumber),
                                     facts.model,
                                     facts.serial,
                                     IntToStr(facts.temperature),
                                     StatusName(facts.status),
                                     IntToStr(facts.level)};
    if (!extra.empty())
        strings.push_back(extra);
    return strings;
}

std::string PowerOffMethodName(int32_t method) {
    if (method == 0)
        return "shutdown";
    if (method == 1)
        return "hibernate";
    return IntToStr(method);
}

EventReporter::EventReporter(EventLogPort& log, TOptions& options) : log_(log), options_(options) {}

void EventReporter::Report(EventLevel level, uint32_t id, const std::vector<std::string>& strings) {
    // On unless the user turned it off: a settings file from before the switch has no key.
    const std::string enabled = options_.General().ReadString(key::EventLogEnabled.name);
    if (!enabled.empty() && !options_.General().ReadBool(key::EventLogEnabled.name))
        return;
    log_.Report(level, id, strings);
}

void EventReporter::ReportDisk(EventLevel level, uint32_t id, const DiskEventFacts& facts,
                               const std::string& extra) {
    const std::vector<std::string> strings = DiskEventStrings(facts, extra);
    Report(level, id, strings);
}

void EventReporter::ProgramStarted() {
    Report(EventLevel::Information, event::kProgramStarted,
           {KORVANE_VERSION_SHORT_TEXT, KORVANE_BUILD_TEXT});
}

void EventReporter::ProgramStopped() {
    Report(EventLevel::Information, event::kProgramStopped,
           {KORVANE_VERSION_SHORT_TEXT, KORVANE_BUILD_TEXT});
}

void EventReporter::DisksFound(const TDrives& drives) {
    for (int32_t i = 0; i < drives.Count(); ++i) {
        const TDrive& drive = *drives.GetDrive(i);
        ReportDisk(EventLevel::Information, event::kDiskFound, FactsOf(drive));
        NoteSeen(drive);
    }
}

void EventReporter::NoteSeen(const TDrive& drive) {
    if (drive.DriveNumber() >= seen_.size())
        return;
    Seen& seen = seen_[drive.DriveNumber()];
    seen.known = true;
    seen.present = drive.IsPresent();
    if (seen.present)
        seen.last = FactsOf(drive);
    seen.hadReading = seen.hadReading || drive.HasTemperature();
}

void EventReporter::DrivePolled(const TDrive& drive) {
    if (drive.DriveNumber() >= seen_.size())
        return;
    Seen& seen = seen_[drive.DriveNumber()];
    if (!seen.known) {
        NoteSeen(drive);
        return;
    }
    const bool present = drive.IsPresent();
    if (seen.present && !present)
        ReportDisk(EventLevel::Warning, event::kDiskLost, seen.last);
    else if (!seen.present && present)
        ReportDisk(EventLevel::Information, event::kDiskFound, FactsOf(drive));
    seen.present = present;
    if (!present || drive.Smart().Asleep())
        return;
    seen.last = FactsOf(drive);
    const bool has = drive.HasTemperature();
    if (!has && seen.hadReading && !seen.unreadable) {
        seen.unreadable = true;
        ReportDisk(EventLevel::Warning, event::kTemperatureUnreadable, FactsOf(drive));
    } else if (has && seen.unreadable) {
        seen.unreadable = false;
        ReportDisk(EventLevel::Information, event::kTemperatureReadable, FactsOf(drive));
    }
    seen.hadReading = seen.hadReading || has;
}

void EventReporter::StatusChanged(const TDrive& drive, TTempStatus newStatus) {
    DiskEventFacts facts = FactsOf(drive);
    facts.status = static_cast<uint8_t>(newStatus);
    facts.level = newStatus == TTempStatus::Critical ? drive.CriticalLevel() : drive.WarningLevel();
    switch (newStatus) {
    case TTempStatus::Warning:
        ReportDisk(EventLevel::Warning, event::kWarningReached, facts);
        break;
    case TTempStatus::Critical:
        ReportDisk(EventLevel::Error, event::kCriticalReached, facts);
        break;
    default:
        ReportDisk(EventLevel::Information, event::kBackToNormal, facts);
        break;
    }
}

void EventReporter::CountdownStarted(const TActionRec& rec) {
    countdown_ = rec.Drive ? FactsOf(*rec.Drive) : DiskEventFacts{};
    countdown_.driveNumber = rec.DriveNumber;
    countdown_.temperature = rec.CurrentTemp;
    countdown_.level = rec.LimitTemp;
    countdown_.status = rec.Level;
    countdownMethod_ = PowerOffMethodName(rec.PoweroffMethod);
    ReportDisk(EventLevel::Warning, event::kCountdownStarted, countdown_, countdownMethod_);
}

void EventReporter::CountdownCancelled() {
    ReportDisk(EventLevel::Information, event::kCountdownCancelled, countdown_, countdownMethod_);
}

void EventReporter::PowerOffRequested(int32_t method) {
    ReportDisk(EventLevel::Warning, event::kPowerOffRequested, countdown_,
               PowerOffMethodName(method));
}

void EventReporter::PowerOffFailed(int32_t method) {
    ReportDisk(EventLevel::Error, event::kPowerOffFailed, countdown_, PowerOffMethodName(method));
}

void EventReporter::AlarmStepFailed(const TActionRec& rec, uint32_t step, const std::string& file) {
    DiskEventFacts facts = rec.Drive ? FactsOf(*rec.Drive) : DiskEventFacts{};
    facts.driveNumber = rec.DriveNumber;
    facts.temperature = rec.CurrentTemp;
    facts.level = rec.LimitTemp;
    facts.status = rec.Level;
    ReportDisk(EventLevel::Error, step, facts, file);
}

} // namespace korvane
