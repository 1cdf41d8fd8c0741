// Expiry of old temperature records: which lines stay, and the streamed rewrite of one log.
#pragma once

#include "toolkit/clock.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

class FileSystemPort;

// Length of the date prefix of a log line: "[" + "dd/MMM/yyyy".
inline constexpr size_t kDatePrefixLength = 12;

// The keep set of a purge: "[" + date for today and the days - 1 days before it. A line stays
// when its first 12 characters are exactly one of them. Held as a range of days, so a huge day
// count costs nothing.
class KeepWindow {
  public:
    KeepWindow(const LocalTime& today, int32_t days);
    // `prefix` is the first 12 characters of a line (a shorter line never matches).
    bool Keeps(std::string_view prefix) const;

  private:
    int64_t first_;
    int64_t last_;
};

// Splits a stream of log bytes into lines (at CR, CR LF counting as one break) and passes on the
// lines the window keeps, each ending in CR LF. Memory use does not depend on line length.
class RecordFilter {
  public:
    explicit RecordFilter(const KeepWindow& window) : window_(window) {}
    void Feed(const char* data, size_t size, std::string& out);
    // Ends the last line when the stream does not end with a break.
    void Finish(std::string& out);
    uint64_t KeptLines() const { return kept_; }

  private:
    enum class Decision { Pending, Keep, Drop };
    void EndLine(std::string& out);

    const KeepWindow& window_;
    std::string prefix_;
    Decision decision_ = Decision::Pending;
    bool lineOpen_ = false;
    bool afterCr_ = false;
    uint64_t kept_ = 0;
};

enum class PurgeOutcome { Rewritten, Deleted, Failed };

// Rewrites the log at `path` with only the kept lines, through a temporary file in the same folder
// that replaces the log in one step; a log with no line left is deleted. On any failure the log
// stays as it was and the temporary file is removed.
PurgeOutcome PurgeLogFile(FileSystemPort& files, const std::string& path, const KeepWindow& window);

} // namespace korvane
