// The temperature graph's rules without Windows: ranges and moving in time, layout, axes and
// their labels, the hover readout and the copied CSV text.
#pragma once

#include "log/graph_reduction.h"
#include "toolkit/forms/layout.h"
#include "toolkit/product.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

inline constexpr const char* kGraphCaption = KORVANE_PRODUCT_NAME " - Temperature Graph";
// Korvn.ini: where the window was and how big, in screen pixels.
inline constexpr const char* kGraphSection = "Graph";
inline constexpr const char* kGraphLeftKey = "Left";
inline constexpr const char* kGraphTopKey = "Top";
inline constexpr const char* kGraphWidthKey = "Width";
inline constexpr const char* kGraphHeightKey = "Height";

enum class GraphSpan { Hour, Day, Week, Month, All };
inline constexpr GraphSpan kGraphSpans[] = {GraphSpan::Hour, GraphSpan::Day, GraphSpan::Week,
                                            GraphSpan::Month, GraphSpan::All};

// "&1 h", "2&4 h", "&7 days", "&30 days", "&All": the range buttons.
std::string GraphSpanText(GraphSpan span);
int64_t GraphSpanSeconds(GraphSpan span); // 0 for All

enum class GraphKey { None, Span, Back, Forward, Latest, Copy, Close };
struct GraphKeyAction {
    GraphKey action = GraphKey::None;
    GraphSpan span = GraphSpan::Day;
};
// Keys of the graph window: 1, 2 or 4, 7, 3 and A choose the range (the buttons' access keys,
// also with Alt), Left/Right and PageUp/PageDown move in time, End back to now, Ctrl+C copies, Esc
// closes. `shift` as the forms pass it (Shift 4, Ctrl 8, Alt 32).
GraphKeyAction GraphKeyFor(uint32_t key, uint32_t shift);

// What the window shows: a span ending at `end`; `live` follows the clock.
struct GraphViewState {
    GraphSpan span = GraphSpan::Day;
    int64_t end = 0;
    bool live = true;
};

// The time range of a view at `now`, over `width` columns. A live view ends a little after now,
// so that new lines land inside it for a while; All runs from the first reading.
GraphRange ViewRange(const GraphViewState& view, int64_t now, int64_t firstReading, int32_t width);
// A step back (steps < 0) or forward by a quarter of the span; forward past now is live again.
GraphViewState MoveView(GraphViewState view, int32_t steps, int64_t now, int64_t firstReading);

// Layout in 96-dpi pixels, scaled once by `dpi`: the range buttons in a row at the top, the plot
// below with room for the axis labels, the legend under it.
struct GraphLayout {
    std::vector<forms::Rect> buttons;
    forms::Rect plotArea; // the graph control, labels included
    forms::Rect plot;     // inside plotArea: where the lines go
    int32_t legendTop = 0;
    int32_t legendRow = 0; // height of one legend entry
    int32_t fontHeight = 0;
};
int32_t ScaleForDpi(int32_t pixels96, int32_t dpi);
GraphLayout LayoutGraph(int32_t clientWidth, int32_t clientHeight, int32_t legendEntries,
                        int32_t dpi);
// Inside the graph control of this size: the plot and the legend.
GraphLayout LayoutPlot(int32_t width, int32_t height, int32_t legendEntries, int32_t dpi);
inline constexpr int32_t kGraphMinClientWidth = 420;
inline constexpr int32_t kGraphMinClientHeight = 260;
inline constexpr int32_t kGraphDefaultClientWidth = 800;
inline constexpr int32_t kGraphDefaultClientHeight = 480;

struct AxisTick {
    int32_t at = 0; // pixel offset along the axis
    std::string label;
    bool major = false; // a day boundary on the time axis
};
// Ticks at round steps at least `minGap` pixels apart: "H:mm" labels within a day, "dd/MMM" at
// midnight. Every midnight in the range is a major tick while midnights are 3 pixels apart.
std::vector<AxisTick> TimeTicks(const GraphRange& range, int32_t minGap);
// From `low` to `high` in the unit shown (both included), bottom `height` pixels up.
std::vector<AxisTick> TemperatureTicks(int32_t low, int32_t high, int32_t height, int32_t minGap,
                                       bool celsius);
// The unit shown of a Celsius value.
int32_t ShownTemperature(int32_t celsius, bool celsius_);
// The value range to show: every reading and both levels, with a margin, in the unit shown.
void TemperatureBounds(int32_t lowCelsius, int32_t highCelsius, bool celsius, int32_t& low,
                       int32_t& high);

// "dd/MMM/yyyy H:mm:ss", as in the logs.
std::string ReadoutTime(int64_t seconds);
// "HDD - ST380011A (80 GB): 45°C", or "44-46°C" for a column that spans values, "-" without.
std::string ReadoutValue(const std::string& caption, const GraphColumn* column, bool celsius);

// Ctrl+C: a header and one row per reading, "2026-12-06T09:05:07,HDD - ST380011A (80 GB),45".
inline constexpr const char* kGraphCsvHeader = "Time,Log,\xB0"
                                               "C\r\n";
std::string CsvRow(int64_t seconds, const std::string& caption, int32_t celsius);

// RGB (0x00BBGGRR) of the n-th log's line.
uint32_t GraphLineColor(size_t index);

} // namespace korvane
