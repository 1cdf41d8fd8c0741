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

TLogger::TLogger(FileSystem& files, const Clock& clock, TOptions& options, std::string dataPath)
    : files_(files), clock_(clock), options_(options), dataPath_(std::move(dataPath)) {
    files_.RemoveFile(dataPath_ + kDebugLogName);
    PurgeOldRecords();
}

void TLogger::Log(int32_t target, const std::string& fileName, const std::string& message,
                  int32_t level) {
    if (target == kTemperatureLog) {
        if (!options_.General().ReadBool(key::LogEnabled.name)) {
            return;
        }
        Append(dataPath_ + kLogsFolderName, SafeFileName(fileName),
               TemperatureLogLine(clock_.Now(), message));
    } else if (target == kDebugLog) {
        Append(dataPath_, kDebugLogName, DebugLogLine(clock_.Now(), level, message));
    }
}

void TLogger::Append(const std::string& folder, const std::string& name, const std::string& line) {
    if (files_.AppendLine(folder + name, line)) {
        return;
    }
    // Someone deleted the folder while we run (a cleaner, the user): make it again, data folder
    // first, rather than lose every line until the next start.
    const std::string logsFolder = dataPath_ + kLogsFolderName;
    const auto withoutSlash = [](const std::string& path) {
        return path.substr(0, path.size() - 1);
    };
    if (!files_.FolderExists(withoutSlash(folder))) {
        if (!files_.FolderExists(withoutSlash(dataPath_))) {
            files_.CreateFolder(withoutSlash(dataPath_));
        }
        if (folder == logsFolder) {
            files_.CreateFolder(withoutSlash(logsFolder));
        }
        files_.AppendLine(folder + name, line);
    }
}

void TLogger::PurgeOldRecords() {
    TOptionsSection& general = options_.General();
    if (!general.ReadBool(key::LogEnabled.name)) {
        return;
    }
    const int32_t days = general.ReadInteger(key::LogDays.name);
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
