// MetricsWriter: the coalesced write of the metrics file and its replacing rename.
#include "app/metrics_writer.h"

#include "drives/drives.h"
#include "drives/storage_query.h"
#include "log/logger.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/files.h"
#include "toolkit/text.h"
#include "toolkit/timer.h"
#include "toolkit/toolkit.h"

#include <vector>

namespace korvane {

namespace {

DiskMetrics MetricsOf(const TDrive& drive, int64_t lastReading) {
    DiskMetrics m;
    m.driveNumber = drive.DriveNumber();
    m.model = drive.Smart().Model();
    m.serial = drive.Smart().SerialNumber();
    m.readPath = ReadPathText(drive.Smart().ReadPath());
    m.hasReading = drive.HasTemperature();
    m.temperature = drive.Temperature();
    m.warningLevel = drive.WarningLevel();
    m.criticalLevel = drive.CriticalLevel();
    m.state = static_cast<uint8_t>(drive.Status());
    m.lastReadingUnix = lastReading > 0 ? lastReading : -1;
    return m;
}

// Makes the folder and every missing one above it.
void MakeFolders(FileSystemPort& files, std::string folder) {
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    if (folder.size() <= 2 || files.FolderExists(folder))
        return; // nothing, or a drive's root
    MakeFolders(files, FolderOf(folder));
    files.CreateFolder(folder);
}

} // namespace

MetricsWriter::MetricsWriter(MetricsWriterDeps deps)
    : deps_(std::move(deps)), timer_(deps_.toolkit.CreateTimer(static_cast<int32_t>(kMinGapMs))) {
    timer_->SetEnabled(false);
    timer_->OnTick = [this](TimerPort& timer) {
        timer.SetEnabled(false);
        if (pending_)
            WriteNow(*pending_);
    };
}

MetricsWriter::~MetricsWriter() {
    timer_->SetEnabled(false);
}

void MetricsWriter::DrivePolled(const TDrives& drives, const TDrive& drive) {
    const size_t slot = drive.DriveNumber();
    if (slot < lastReading_.size() && drive.HasTemperature())
        lastReading_[slot] = deps_.unixNow();
    if (deps_.options.General().ReadString(key::MetricsFile.name).empty())
        return;
    if (timer_->Enabled())
        return; // the write at the end of this second covers this poll too
    const int64_t since = deps_.nowMs() - lastWriteMs_;
    if (!written_ || since >= kMinGapMs) {
        WriteNow(drives);
        return;
    }
    pending_ = &drives;
    timer_->SetInterval(static_cast<int32_t>(kMinGapMs - since));
    timer_->SetEnabled(true);
}

bool MetricsWriter::WriteNow(const TDrives& drives) {
    pending_ = nullptr;
    const std::string path = deps_.options.General().ReadString(key::MetricsFile.name);
    if (path.empty())
        return false;
    std::vector<DiskMetrics> disks;
    for (int32_t i = 0; i < drives.Count(); ++i) {
        const TDrive& drive = *drives.GetDrive(i);
        if (!drive.IsPresent())
            continue;
        const size_t slot = drive.DriveNumber();
        disks.push_back(MetricsOf(drive, slot < lastReading_.size() ? lastReading_[slot] : 0));
    }
    lastWriteMs_ = deps_.nowMs();
    written_ = true;
    const bool ok = Write(path, FormatMetrics(disks));
    if (!ok && !failing_)
        deps_.logger.Log(kDebugLog, "", "metrics file not written (" + path + ")", kError);
    else if (ok && failing_)
        deps_.logger.Log(kDebugLog, "", "metrics file written again (" + path + ")", kNotice);
    failing_ = !ok;
    return ok;
}

bool MetricsWriter::Write(const std::string& path, const std::string& text) {
    FileSystemPort& files = deps_.files;
    // A relative name would land wherever the program was started from. Full: a drive's path,
    // a share (two backslashes) or the current drive's root ("/").
    const bool full = (path.size() > 2 && path[1] == ':' && path[2] == '\\') ||
                      path.rfind("\\\\", 0) == 0 || path.rfind('/', 0) == 0;
    if (!full)
        return false;
    MakeFolders(files, FolderOf(path));
    const std::string temp = MetricsTempPath(path);
    {
        std::unique_ptr<FileWriterPort> writer = files.CreateWrite(temp);
        if (!writer)
            return false;
        if (!writer->Write(text.data(), text.size()) || !writer->Finish()) {
            writer.reset();
            files.RemoveFile(temp);
            return false;
        }
    }
    if (files.ReplaceAtomically(temp, path))
        return true;
    files.RemoveFile(temp);
    return false;
}

} // namespace korvane
