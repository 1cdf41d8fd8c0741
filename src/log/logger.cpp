// TLogger: appending lines and expiring old temperature records.
#include "log/logger.h"

#include "log/log_format.h"
#include "log/purge.h"
#include "settings/keys.h"
#include "settings/location/data_folder.h"
#include "settings/options.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"
#include "toolkit/text.h"

#include <utility>

namespace korvane {

namespace {

// Names a running program could go through (a disk whose model text keeps changing) without the
// list growing for ever.
constexpr size_t kKeptLogPaths = 16;

std::string WithoutSlash(const std::string& path) {
    return path.substr(0, path.size() - 1);
}

} // namespace

TLogger::TLogger(FileSystemPort& files, const ClockPort& clock, TOptions& options,
                 std::string dataPath)
    : files_(files), clock_(clock), options_(options), dataPath_(std::move(dataPath)),
      logsPath_(dataPath_ + kLogsFolderName), debugLogPath_(dataPath_ + kDebugLogName) {
    files_.RemoveFile(debugLogPath_);
    PurgeOldRecords();
}

void TLogger::Log(int32_t target, const std::string& fileName, const std::string& message,
                  int32_t level) {
    if (target == kTemperatureLog) {
        if (!options_.General().ReadBool(key::LogEnabled)) {
            return;
        }
        const std::string& path = TemperatureLogPath(fileName);
        MakeTemperatureLogLine(line_, clock_.Now(), message);
        Append(path, true);
    } else if (target == kDebugLog) {
        MakeDebugLogLine(line_, clock_.Now(), level, message);
        Append(debugLogPath_, false);
    }
}

const std::string& TLogger::TemperatureLogPath(const std::string& fileName) {
    for (const LogPath& known : logPaths_) {
        if (known.fileName == fileName) {
            return known.path;
        }
    }
    if (logPaths_.size() == kKeptLogPaths) {
        logPaths_.erase(logPaths_.begin());
    }
    logPaths_.push_back({fileName, logsPath_ + SafeFileName(fileName)});
    return logPaths_.back().path;
}

void TLogger::Append(const std::string& path, bool inLogs) {
    if (files_.AppendLine(path, line_)) {
        return;
    }
    // Someone deleted the folder while we run (a cleaner, the user): make it again, data folder
    // first, rather than lose every line until the next start.
    const std::string& folder = inLogs ? logsPath_ : dataPath_;
    if (!files_.FolderExists(WithoutSlash(folder))) {
        if (!files_.FolderExists(WithoutSlash(dataPath_))) {
            files_.CreateFolder(WithoutSlash(dataPath_));
        }
        if (inLogs) {
            files_.CreateFolder(WithoutSlash(logsPath_));
        }
        files_.AppendLine(path, line_);
    }
}

void TLogger::PurgeOldRecords() {
    TOptionsSection& general = options_.General();
    if (!general.ReadBool(key::LogEnabled)) {
        return;
    }
    const int32_t days = general.ReadInteger(key::LogDays);
    if (days <= 0) {
        // A damaged or hand-edited value; expiring everything would throw away every disk's
        // history, so keep it all until the value is set again.
        Log(kDebugLog, "",
            "Purge of old temperature records skipped: LogDays = " + IntToStr(days) +
                " is not a number of days (1 or more); all records kept",
            kWarning);
        return;
    }
    try {
        const KeepWindow window(clock_.Now(), days);
        const std::string folder = dataPath_ + kLogsFolderName;
        for (const std::string& name : files_.FindFiles(folder + "*.log")) {
            const std::string path = folder + name;
            if (files_.FileExists(path)) {
                PurgeLogFile(files_, path, window);
            }
        }
    } catch (...) {
        // Out of memory in the middle: the logs not yet handled stay as they are.
    }
}

} // namespace korvane
