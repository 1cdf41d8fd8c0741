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
        files_.AppendLine(dataPath_ + kLogsFolderName + SafeFileName(fileName),
                          TemperatureLogLine(clock_.Now(), message));
    } else if (target == kDebugLog) {
        files_.AppendLine(dataPath_ + kDebugLogName, DebugLogLine(clock_.Now(), level, message));
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
