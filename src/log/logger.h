// TLogger: the debug log and the per-disk temperature logs in the data-files folder.
#pragma once

#include "log/log_format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

class ClockPort;
class FileSystemPort;
class TOptions;

class TLogger {
  public:
    // Deletes the previous run's debug log, then expires old temperature records. `dataPath` is
    // the data-files folder with its trailing backslash; its "logs\" folder exists already.
    TLogger(FileSystemPort& files, const ClockPort& clock, TOptions& options, std::string dataPath);
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    const std::string& DataPath() const { return dataPath_; }

    // Appends one line: target 0 to the temperature log `fileName` (only while LogEnabled is
    // on), target 1 to the debug log; any other target writes nothing. A deleted data or logs
    // folder is made again; a file that still cannot be opened loses the line without a word.
    void Log(int32_t target, const std::string& fileName, const std::string& message,
             int32_t level);

    // Removes the lines older than LogDays days from every temperature log.
    void PurgeOldRecords();

  private:
    // Appends line_ to the file at `path`, which is in the data folder or (`inLogs`) its logs
    // folder.
    void Append(const std::string& path, bool inLogs);
    // The full path of the temperature log `fileName`, made once per name.
    const std::string& TemperatureLogPath(const std::string& fileName);

    FileSystemPort& files_;
    const ClockPort& clock_;
    TOptions& options_;
    std::string dataPath_;
    std::string logsPath_;     // dataPath_ + "logs\"
    std::string debugLogPath_; // dataPath_ + "debug.log"
    // The temperature logs written to, by the name the caller gives: a handful, one per disk.
    struct LogPath {
        std::string fileName;
        std::string path;
    };
    std::vector<LogPath> logPaths_;
    // The line being written, in a buffer kept from line to line.
    std::string line_;
};

} // namespace korvane
