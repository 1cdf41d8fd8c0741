// A temperature log reduced to what a graph of a given width can show: per pixel column the
// lowest and highest reading, and where the line must break because the program was not running.
#pragma once

#include "log/log_reader.h"

#include <cstdint>
#include <vector>

namespace korvane {

// The time span [start, end) in LocalSeconds, drawn over `width` pixel columns.
struct GraphRange {
    int64_t start = 0;
    int64_t end = 0;
    int32_t width = 0;
    bool operator==(const GraphRange&) const = default;
};

inline constexpr int64_t kGraphGapSeconds = 120;

// Silence longer than three poll intervals, or of two minutes and more, is a gap: the program was
// not running. `pollSeconds` of 0 or less (a disk no longer present) leaves the two minutes. A
// series takes the longer of the disk's poll interval now and the spacing of the lines before.
bool IsGraphGap(int64_t silenceSeconds, int32_t pollSeconds);

struct GraphColumn {
    int32_t count = 0; // readings in the column; the rest is meaningful only when above 0
    int16_t min = 0;
    int16_t max = 0;
    int16_t first = 0;
    int16_t last = 0;
    // The first reading continues the line of the reading before it (no gap between them), whose
    // value is `before`: the line comes in from the previous column, or from the left edge.
    bool linked = false;
    int16_t before = 0;
    bool preceded = false; // some reading came before the first (`before` is its value)
};

class GraphSeries {
  public:
    GraphSeries(GraphRange range, int32_t pollSeconds);

    // Readings in time order, any time: those before the range only say how the line enters it.
    void Add(const LogReading& reading);
    // Empties the columns for another range; the change-only guess stays.
    void Reset(GraphRange range);

    const GraphRange& Range() const { return range_; }
    const std::vector<GraphColumn>& Columns() const { return columns_; }
    // The column of a time, or -1 outside the range.
    int32_t ColumnOf(int64_t time) const;
    // A log that repeats no value in a row and whose lines mostly come after silences a poll
    // would not leave (written only when the value changed) is drawn as steps that hold each
    // value up to the next line, gaps or not.
    bool Steps() const { return readings_ >= 3 && repeats_ == 0 && silences_ * 2 >= readings_; }
    // The first reading after the range, when the line runs on into it.
    bool LinkedAfter() const { return linkedAfter_; }
    int16_t After() const { return after_; }
    bool AfterKnown() const { return afterKnown_; }
    int64_t Readings() const { return readings_; }

  private:
    GraphRange range_;
    int32_t pollSeconds_;
    std::vector<GraphColumn> columns_;
    bool havePrevious_ = false;
    int64_t previousTime_ = 0;
    int16_t previous_ = 0;
    int64_t spacing_ = 0; // of the last two readings, when no gap
    int64_t readings_ = 0;
    int64_t repeats_ = 0;
    int64_t silences_ = 0;
    bool afterKnown_ = false;
    bool linkedAfter_ = false;
    int16_t after_ = 0;
};

} // namespace korvane
