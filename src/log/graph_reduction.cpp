// A temperature log reduced to min/max per pixel column, with its gaps.
#include "log/graph_reduction.h"

#include <algorithm>

namespace korvane {

bool IsGraphGap(int64_t silenceSeconds, int32_t pollSeconds) {
    return silenceSeconds >= kGraphGapSeconds ||
           (pollSeconds > 0 && silenceSeconds > 3 * static_cast<int64_t>(pollSeconds));
}

GraphSeries::GraphSeries(GraphRange range, int32_t pollSeconds) : pollSeconds_(pollSeconds) {
    Reset(range);
}

void GraphSeries::Reset(GraphRange range) {
    range_ = range;
    columns_.assign(static_cast<size_t>(std::max(range.width, 0)), GraphColumn{});
    havePrevious_ = false;
    previous_ = 0;
    spacing_ = 0;
    afterKnown_ = false;
    linkedAfter_ = false;
}

int32_t GraphSeries::ColumnOf(int64_t time) const {
    if (time < range_.start || time >= range_.end || range_.width <= 0)
        return -1;
    // 128-bit free: spans of centuries times a few thousand columns stay far inside 64 bits.
    return static_cast<int32_t>((time - range_.start) * range_.width / (range_.end - range_.start));
}

void GraphSeries::Add(const LogReading& reading) {
    const auto value = static_cast<int16_t>(std::clamp(reading.celsius, -999, 999));
    // The interval in force is the disk's poll interval now, or the spacing of the lines before
    // when that was longer: a log written at 20-s polls is no row of gaps at 1-s polls today.
    const int64_t silence = reading.time - previousTime_;
    const auto interval = static_cast<int32_t>(std::max<int64_t>(pollSeconds_, spacing_));
    const bool linked = havePrevious_ && !IsGraphGap(silence, interval);
    if (havePrevious_ && silence < kGraphGapSeconds)
        spacing_ = silence;
    if (havePrevious_ && value == previous_)
        ++repeats_;
    if (havePrevious_ && !linked)
        ++silences_;
    ++readings_;
    const int32_t at = ColumnOf(reading.time);
    if (at >= 0) {
        GraphColumn& column = columns_[static_cast<size_t>(at)];
        if (column.count == 0) {
            column.min = column.max = column.first = value;
            column.linked = linked;
            column.before = previous_;
            column.preceded = havePrevious_;
        }
        column.min = std::min(column.min, value);
        column.max = std::max(column.max, value);
        column.last = value;
        ++column.count;
    } else if (reading.time >= range_.end && !afterKnown_) {
        afterKnown_ = true;
        linkedAfter_ = linked;
        after_ = value;
    }
    havePrevious_ = true;
    previousTime_ = reading.time;
    previous_ = value;
}

} // namespace korvane
