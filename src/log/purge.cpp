// Streaming expiry of old lines of one temperature log.
#include "log/purge.h"

#include "log/log_calendar.h"
#include "toolkit/files.h"

#include <array>
#include <cstring>
#include <vector>

namespace korvane {
namespace {

constexpr const auto& kMonths = kLogMonthNames;
constexpr size_t kChunkSize = 256 * 1024;
constexpr const char* kTemporarySuffix = ".tmp";

bool Digits(std::string_view text, size_t from, size_t count, int64_t& value) {
    value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

KeepWindow::KeepWindow(const LocalTime& today, int32_t days) {
    last_ = DaysFromCivil(today.year, today.month, today.day);
    first_ = last_ - static_cast<int64_t>(days) + 1; // days <= 0 leaves the window empty
}

bool KeepWindow::Keeps(std::string_view prefix) const {
    // Only the exact text the logger writes for a date matches: "[dd/MMM/yyyy".
    if (prefix.size() != kDatePrefixLength || prefix[0] != '[' || prefix[3] != '/' ||
        prefix[7] != '/') {
        return false;
    }
    int64_t day = 0;
    int64_t year = 0;
    if (!Digits(prefix, 1, 2, day) || !Digits(prefix, 8, 4, year)) {
        return false;
    }
    int64_t month = 0;
    for (size_t i = 0; i < kMonths.size(); ++i) {
        if (prefix.substr(4, 3) == kMonths[i]) {
            month = static_cast<int64_t>(i) + 1;
        }
    }
    if (month == 0 || day < 1 || day > DaysInMonth(year, month)) {
        return false;
    }
    const int64_t number = DaysFromCivil(year, month, day);
    return number >= first_ && number <= last_;
}

void RecordFilter::EndLine(std::string& out) {
    if (decision_ == Decision::Keep) {
        out += "\r\n";
        ++kept_;
    }
    prefix_.clear();
    decision_ = Decision::Pending;
    lineOpen_ = false;
}

void RecordFilter::Feed(const char* data, size_t size, std::string& out) {
    const char* p = data;
    const char* const end = data + size;
    while (p < end) {
        if (afterCr_) {
            afterCr_ = false;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        if (decision_ == Decision::Pending) {
            const char c = *p++;
            if (c == '\r') {
                EndLine(out); // shorter than a date prefix: never kept
                afterCr_ = true;
                continue;
            }
            lineOpen_ = true;
            prefix_ += c;
            if (prefix_.size() == kDatePrefixLength) {
                decision_ = window_.Keeps(prefix_) ? Decision::Keep : Decision::Drop;
                if (decision_ == Decision::Keep) {
                    out += prefix_;
                }
            }
            continue;
        }
        // The rest of a decided line goes through in one piece up to its break.
        const void* found = std::memchr(p, '\r', static_cast<size_t>(end - p));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        if (decision_ == Decision::Keep) {
            out.append(p, stop);
        }
        p = stop;
        if (found != nullptr) {
            EndLine(out);
            afterCr_ = true;
            ++p;
        }
    }
}

void RecordFilter::Finish(std::string& out) {
    if (lineOpen_) {
        EndLine(out);
    }
}

PurgeOutcome PurgeLogFile(FileSystemPort& files, const std::string& path,
                          const KeepWindow& window) {
    const std::string temporary = path + kTemporarySuffix;
    bool complete = false;
    uint64_t kept = 0;
    {
        std::unique_ptr<FileReaderPort> reader = files.OpenRead(path);
        if (reader == nullptr) {
            return PurgeOutcome::Failed;
        }
        std::unique_ptr<FileWriterPort> writer = files.CreateWrite(temporary);
        if (writer == nullptr) {
            files.RemoveFile(temporary);
            return PurgeOutcome::Failed;
        }
        RecordFilter filter(window);
        std::vector<char> buffer(kChunkSize);
        std::string out;
        out.reserve(kChunkSize + 2 * kDatePrefixLength);
        bool ok = true;
        while (ok) {
            const int64_t got = reader->Read(buffer.data(), buffer.size());
            if (got < 0) {
                ok = false;
                break;
            }
            if (got == 0) {
                filter.Finish(out);
            } else {
                filter.Feed(buffer.data(), static_cast<size_t>(got), out);
            }
            if (!out.empty() && (out.size() >= kChunkSize || got == 0)) {
                ok = writer->Write(out.data(), out.size());
                out.clear();
            }
            if (got == 0) {
                break;
            }
        }
        complete = ok && writer->Finish();
        kept = filter.KeptLines();
    } // both files are closed here: a file still open cannot be replaced
    if (!complete) {
        files.RemoveFile(temporary);
        return PurgeOutcome::Failed;
    }
    if (kept == 0) {
        files.RemoveFile(temporary);
        return files.RemoveFile(path) ? PurgeOutcome::Deleted : PurgeOutcome::Failed;
    }
    if (!files.ReplaceAtomically(temporary, path)) {
        files.RemoveFile(temporary);
        return PurgeOutcome::Failed;
    }
    return PurgeOutcome::Rewritten;
}

} // namespace korvane
