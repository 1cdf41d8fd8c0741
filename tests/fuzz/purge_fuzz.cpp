// Fuzz target: expiry of old temperature records over arbitrary log contents. The kept lines are
// exactly those dated inside the keep window, byte for byte; nothing else is written.
#include "fuzz_check.h"
#include "log/log_format.h"
#include "log/purge.h"
#include "memory_file_system.h"

#include <chrono>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace korvane;
namespace chr = std::chrono;

// Input: 2 bytes day count, 2 bytes date (days after 1 Jan 1999), 1 byte chunk size, then the log.
constexpr size_t kHeader = 5;

// The lines of a log as the logger's reader sees them: a CR ends a line, an LF right after it
// belongs to the break.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += text[i];
            open = true;
        }
    }
    if (open) {
        lines.push_back(line);
    }
    return lines;
}

LocalTime ToLocal(chr::sys_days day) {
    const chr::year_month_day ymd(day);
    LocalTime t;
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader) {
        return 0;
    }
    const int32_t days = (data[0] | data[1] << 8) % 1000 - 100; // empty windows included
    const chr::sys_days today =
        chr::sys_days(chr::year{1999} / 1 / 1) + chr::days(data[2] | data[3] << 8);
    const size_t chunk = 1 + data[4];
    const std::string log(reinterpret_cast<const char*>(data) + kHeader, size - kHeader);

    // The dates of the window, written the logger's way, found by walking back from today.
    std::set<std::string> keep;
    for (int d = 0; d < days; ++d) {
        keep.insert("[" + FormatLogDate(ToLocal(today - chr::days(d))));
    }
    std::string expected;
    bool anyKept = false;
    for (const std::string& line : Lines(log)) {
        const bool dated = line.size() >= kDatePrefixLength;
        if (dated && keep.count(line.substr(0, kDatePrefixLength)) != 0) {
            expected += line + "\r\n";
            anyKept = true;
        }
    }

    const KeepWindow window(ToLocal(today), days);

    // The streaming filter, fed in small pieces, cuts lines at any place.
    RecordFilter filter(window);
    std::string streamed;
    for (size_t at = 0; at < log.size(); at += chunk) {
        filter.Feed(log.data() + at, std::min(chunk, log.size() - at), streamed);
    }
    filter.Finish(streamed);
    FUZZ_CHECK(streamed == expected);

    // The whole rewrite of a log file.
    test::MemoryFileSystem files;
    const std::string path = "C:\\data\\logs\\HDD1.log";
    files.files[path] = log;
    files.files["C:\\data\\logs\\HDD2.log"] = "other disk";
    const PurgeOutcome outcome = PurgeLogFile(files, path, window);
    FUZZ_CHECK(files.files.count(path + ".tmp") == 0);
    FUZZ_CHECK(files.files["C:\\data\\logs\\HDD2.log"] == "other disk");
    if (anyKept) {
        FUZZ_CHECK(outcome == PurgeOutcome::Rewritten);
        FUZZ_CHECK(files.files[path] == expected);
    } else {
        FUZZ_CHECK(outcome == PurgeOutcome::Deleted);
        FUZZ_CHECK(files.files.count(path) == 0);
    }
    FUZZ_CHECK(files.files.size() == (anyKept ? 2u : 1u));
    return 0;
}
