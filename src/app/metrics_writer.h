// MetricsWriter: the metrics file after each poll, at most once a second, replaced whole so that a
// collector never reads half of it.
#pragma once

#include "app/metrics_format.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace korvane {

class FileSystemPort;
class TimerPort;
class ToolkitPort;
class TDrive;
class TDrives;
class TLogger;
class TOptions;

struct MetricsWriterDeps {
    FileSystemPort& files;
    TOptions& options;
    TLogger& logger;
    ToolkitPort& toolkit;
    // A steady count of milliseconds, and the wall clock in seconds since 1970.
    std::function<int64_t()> nowMs;
    std::function<int64_t()> unixNow;
};

class MetricsWriter {
  public:
    static constexpr int64_t kMinGapMs = 1000;

    explicit MetricsWriter(MetricsWriterDeps deps);
    ~MetricsWriter();
    MetricsWriter(const MetricsWriter&) = delete;
    MetricsWriter& operator=(const MetricsWriter&) = delete;

    // After a disk's poll: notes its reading and writes the file, at once when the last write is a
    // second old, otherwise once that second is over. Nothing while MetricsFile is empty.
    void DrivePolled(const TDrives& drives, const TDrive& drive);
    // Writes the file now; false when it could not be written (or is off).
    bool WriteNow(const TDrives& drives);

  private:
    bool Write(const std::string& path, const std::string& text);

    MetricsWriterDeps deps_;
    std::unique_ptr<TimerPort> timer_;
    const TDrives* pending_ = nullptr; // what the timer's write covers
    int64_t lastWriteMs_ = 0;
    bool written_ = false;
    bool failing_ = false; // told once in the debug log, and again when it works again
    std::array<int64_t, 32> lastReading_{};
};

} // namespace korvane
