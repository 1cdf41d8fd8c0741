// Reading a temperature log back: its lines as readings, streamed, and later only the new lines.
#pragma once

#include "toolkit/clock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class FileSystemPort;
class FileReaderPort;

inline constexpr const char* kLogCaptionPrefix = "HDD - ";

// "HDD - " and the log's file name up to its last ".": how the tray menu names a log.
std::string LogCaption(const std::string& fileName);

// Seconds of the local clock since 1 January 1970 of the same clock: the graph's time line. The
// logs hold local time, so nothing here knows a time zone.
int64_t LocalSeconds(const LocalTime& time);
LocalTime FromLocalSeconds(int64_t seconds);

struct LogReading {
    int64_t time = 0; // LocalSeconds
    int32_t celsius = 0;
};

enum class LogLineKind { Reading, Other, Unrecognised };

// One line without its CR LF. A reading is "[dd/MMM/yyyy H:mm:ss] Temperature = 45°C (113°F)",
// also with the units the other way round; Other is any other message under a valid time stamp
// (a status change); Unrecognised is everything else (a cut-off line, text edited by hand).
LogLineKind ParseLogLine(std::string_view line, LogReading& reading);

// Follows one log file: the first Read streams it from the start, later ones only what was
// appended since. A file that became shorter than what was read is read again from its start.
class LogReader {
  public:
    LogReader(FileSystemPort& files, std::string path);
    ~LogReader();
    LogReader(const LogReader&) = delete;
    LogReader& operator=(const LogReader&) = delete;

    using Sink = std::function<void(const LogReading&)>;
    // Hands every new reading to `sink` in file order; readings dated before the last one handed
    // over (a clock set back) are skipped and counted. False when the file cannot be opened.
    // A last line without its CR LF is left for the next Read, which finds it completed.
    bool Read(const Sink& sink);
    using ScanSink = std::function<bool(const LogReading&)>;
    // Streams the readings already read again, from a little before `from` (the file is seeked
    // to a mark taken while reading), until `sink` answers false. For a new time range.
    bool Scan(int64_t from, const ScanSink& sink) const;
    // Starts again from the file's beginning at the next Read.
    void Rewind();
    // True when the last Read found the file shorter than before and started again.
    bool Restarted() const { return restarted_; }

    const std::string& Path() const { return path_; }
    int64_t Offset() const { return offset_; }
    // Lines skipped since the last Rewind: unrecognised ones and those out of order.
    int64_t Skipped() const { return skipped_; }
    int64_t Readings() const { return readings_; }

  private:
    struct Mark {
        int64_t time; // the last reading before `offset`
        int64_t offset;
    };
    bool TakeLine(std::string_view line, LogReading& reading);

    FileSystemPort& files_;
    std::string path_;
    int64_t offset_ = 0;
    int64_t lastTime_ = INT64_MIN;
    int64_t skipped_ = 0;
    int64_t readings_ = 0;
    bool restarted_ = false;
    std::vector<Mark> marks_; // one per half megabyte read
};

// Hands every whole line of `file` from where it stands (without CR LF) with its length in bytes
// (with them) to `take` until it answers false; memory stays one chunk and one line.
void StreamLines(FileReaderPort& file,
                 const std::function<bool(std::string_view line, size_t bytes)>& take);

} // namespace korvane
