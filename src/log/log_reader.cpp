// Reading a temperature log back: time stamps, readings, and following a growing file.
#include "log/log_reader.h"

#include "log/log_calendar.h"
#include "toolkit/files.h"

#include <array>
#include <cstring>
#include <vector>

namespace korvane {
namespace {

constexpr const auto& kMonths = kLogMonthNames;
constexpr size_t kChunk = 64 * 1024;
constexpr size_t kMaxLine = 4096;
constexpr int64_t kMarkSpacing = 512 * 1024;
constexpr std::string_view kReadingPrefix = "Temperature = ";
constexpr char kDegree = '\xB0';

bool DaysInMonthOk(int y, int m, int d) {
    return d >= 1 && d <= DaysInMonth(y, m);
}

// Reads 1 to `most` digits at `at`; false when there is none.
bool Digits(std::string_view text, size_t& at, size_t most, int& value) {
    size_t n = 0;
    value = 0;
    while (at < text.size() && n < most && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++n;
    }
    return n > 0;
}

bool Expect(std::string_view text, size_t& at, char c) {
    if (at >= text.size() || text[at] != c)
        return false;
    ++at;
    return true;
}

// "[dd/MMM/yyyy H:mm:ss] " at the start of a line; `at` then points at the message.
bool ParseStamp(std::string_view line, size_t& at, int64_t& seconds) {
    at = 0;
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (!Expect(line, at, '[') || !Digits(line, at, 2, day) || at != 3 || !Expect(line, at, '/'))
        return false;
    if (line.size() < at + 4)
        return false;
    int month = 0;
    const char* name = line.data() + at;
    for (size_t i = 0; i < kMonths.size() && month == 0; ++i) {
        if (std::memcmp(name, kMonths[i], 3) == 0)
            month = static_cast<int>(i) + 1;
    }
    at += 3;
    if (month == 0 || !Expect(line, at, '/'))
        return false;
    const size_t yearAt = at;
    if (!Digits(line, at, 4, year) || at != yearAt + 4 || !Expect(line, at, ' '))
        return false;
    if (!Digits(line, at, 2, hour) || !Expect(line, at, ':'))
        return false;
    size_t mark = at;
    if (!Digits(line, at, 2, minute) || at != mark + 2 || !Expect(line, at, ':'))
        return false;
    mark = at;
    if (!Digits(line, at, 2, second) || at != mark + 2 || !Expect(line, at, ']') ||
        !Expect(line, at, ' '))
        return false;
    if (!DaysInMonthOk(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return false;
    seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return true;
}

// "45°C" or "113°F"; the degree sign also as UTF-8, as an editor may have saved it.
bool ParseTemperature(std::string_view text, size_t& at, int& value, char& unit) {
    const bool negative = at < text.size() && text[at] == '-';
    if (negative)
        ++at;
    if (!Digits(text, at, 4, value))
        return false;
    if (negative)
        value = -value;
    if (at < text.size() && text[at] == '\xC2')
        ++at;
    if (!Expect(text, at, kDegree) || at >= text.size())
        return false;
    unit = text[at++];
    return unit == 'C' || unit == 'F';
}

} // namespace

std::string LogCaption(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    return kLogCaptionPrefix + (dot == std::string::npos ? fileName : fileName.substr(0, dot));
}

int64_t LocalSeconds(const LocalTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalTime FromLocalSeconds(int64_t seconds) {
    int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const int64_t rest = seconds - days * 86400;
    // The inverse of DaysFromCivil.
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp + (mp < 10 ? 3 : -9);
    LocalTime t;
    t.year = static_cast<int32_t>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    t.month = static_cast<int32_t>(m);
    t.day = static_cast<int32_t>(d);
    t.hour = static_cast<int32_t>(rest / 3600);
    t.minute = static_cast<int32_t>(rest / 60 % 60);
    t.second = static_cast<int32_t>(rest % 60);
    return t;
}

LogLineKind ParseLogLine(std::string_view line, LogReading& reading) {
    size_t at = 0;
    int64_t seconds = 0;
    if (!ParseStamp(line, at, seconds))
        return LogLineKind::Unrecognised;
    const std::string_view message = line.substr(at);
    if (!message.starts_with(kReadingPrefix))
        return message.empty() ? LogLineKind::Unrecognised : LogLineKind::Other;
    at = kReadingPrefix.size();
    int first = 0, second = 0;
    char firstUnit = 0, secondUnit = 0;
    if (!ParseTemperature(message, at, first, firstUnit) || !Expect(message, at, ' ') ||
        !Expect(message, at, '(') || !ParseTemperature(message, at, second, secondUnit) ||
        !Expect(message, at, ')') || at != message.size() || firstUnit == secondUnit)
        return LogLineKind::Unrecognised;
    reading.time = seconds;
    reading.celsius = firstUnit == 'C' ? first : second;
    return LogLineKind::Reading;
}

LogReader::LogReader(FileSystemPort& files, std::string path)
    : files_(files), path_(std::move(path)) {}

LogReader::~LogReader() = default;

void LogReader::Rewind() {
    offset_ = 0;
    lastTime_ = INT64_MIN;
    skipped_ = 0;
    readings_ = 0;
    marks_.clear();
}

bool LogReader::Read(const Sink& sink) {
    restarted_ = false;
    std::unique_ptr<FileReaderPort> file = files_.OpenRead(path_);
    if (!file)
        return false;
    if (offset_ > 0 && !file->Seek(offset_)) {
        // Cut or replaced since: what was read no longer describes it.
        Rewind();
        restarted_ = true;
        if (!file->Seek(0))
            return false;
    }
    StreamLines(*file, [&](std::string_view line, size_t bytes) {
        offset_ += static_cast<int64_t>(bytes);
        LogReading reading;
        if (TakeLine(line, reading) && sink)
            sink(reading);
        if (marks_.empty() || offset_ - marks_.back().offset >= kMarkSpacing)
            marks_.push_back({lastTime_, offset_});
        return true;
    });
    return true;
}

bool LogReader::Scan(int64_t from, const ScanSink& sink) const {
    std::unique_ptr<FileReaderPort> file = files_.OpenRead(path_);
    if (!file)
        return false;
    // The last mark before `from`: its lines before it are all older.
    Mark start{INT64_MIN, 0};
    for (const Mark& mark : marks_) {
        if (mark.time >= from)
            break;
        start = mark;
    }
    if (!file->Seek(start.offset) && !file->Seek(0))
        return false;
    int64_t lastTime = start.time;
    int64_t offset = start.offset;
    StreamLines(*file, [&](std::string_view line, size_t bytes) {
        offset += static_cast<int64_t>(bytes);
        LogReading reading;
        if (ParseLogLine(line, reading) != LogLineKind::Reading || reading.time < lastTime)
            return true;
        lastTime = reading.time;
        // What was appended after the last Read is left to the next one.
        return offset <= offset_ && sink(reading);
    });
    return true;
}

void StreamLines(FileReaderPort& file,
                 const std::function<bool(std::string_view line, size_t bytes)>& take) {
    std::vector<char> buffer(kChunk);
    std::string carry;     // a line that runs across two chunks, its first kMaxLine bytes
    size_t carryBytes = 0; // its whole length
    for (;;) {
        const int64_t got = file.Read(buffer.data(), buffer.size());
        if (got <= 0)
            return;
        std::string_view chunk(buffer.data(), static_cast<size_t>(got));
        size_t start = 0;
        for (;;) {
            const size_t lf = chunk.find('\n', start);
            if (lf == std::string_view::npos)
                break;
            std::string_view line = chunk.substr(start, lf - start);
            // Only whole lines are handed over: a cut-off last one is read again later.
            const size_t bytes = carryBytes + line.size() + 1;
            if (!carry.empty()) {
                carry.append(line.substr(0, kMaxLine > carry.size() ? kMaxLine - carry.size() : 0));
                line = carry;
            }
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (!take(line, bytes))
                return;
            carry.clear();
            carryBytes = 0;
            start = lf + 1;
        }
        // A file without line breaks (not a log at all) is not kept in memory.
        const std::string_view rest = chunk.substr(start);
        carryBytes += rest.size();
        carry.append(rest.substr(0, kMaxLine > carry.size() ? kMaxLine - carry.size() : 0));
    }
}

bool LogReader::TakeLine(std::string_view line, LogReading& reading) {
    switch (ParseLogLine(line, reading)) {
    case LogLineKind::Reading:
        if (reading.time < lastTime_) {
            ++skipped_;
            return false;
        }
        lastTime_ = reading.time;
        ++readings_;
        return true;
    case LogLineKind::Other:
        return false;
    case LogLineKind::Unrecognised:
        ++skipped_;
        return false;
    }
    return false;
}

} // namespace korvane
