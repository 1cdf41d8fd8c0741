// The temperature graph's rules: ranges, layout, axes, readout and CSV.
#include "ui/graph_view.h"

#include "log/log_format.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace korvane {
namespace {

constexpr int64_t kMinute = 60;
constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 86400;
constexpr uint32_t kShift = 4;
constexpr uint32_t kCtrl = 8;
// Virtual-key codes (checked against the SDK in the window's own file).
constexpr uint32_t kKeyEscape = 0x1B;
constexpr uint32_t kKeyPageUp = 0x21;
constexpr uint32_t kKeyPageDown = 0x22;
constexpr uint32_t kKeyEnd = 0x23;
constexpr uint32_t kKeyLeft = 0x25;
constexpr uint32_t kKeyRight = 0x27;

int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::string TwoDigits(int32_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

} // namespace

std::string GraphSpanText(GraphSpan span) {
    switch (span) {
    case GraphSpan::Hour:
        return "&1 h";
    case GraphSpan::Day:
        return "2&4 h";
    case GraphSpan::Week:
        return "&7 days";
    case GraphSpan::Month:
        return "&30 days";
    case GraphSpan::All:
        return "&All";
    }
    return {};
}

int64_t GraphSpanSeconds(GraphSpan span) {
    switch (span) {
    case GraphSpan::Hour:
        return kHour;
    case GraphSpan::Day:
        return kDay;
    case GraphSpan::Week:
        return 7 * kDay;
    case GraphSpan::Month:
        return 30 * kDay;
    case GraphSpan::All:
        return 0;
    }
    return 0;
}

GraphKeyAction GraphKeyFor(uint32_t key, uint32_t shift) {
    if ((shift & kCtrl) != 0)
        return key == 'C' ? GraphKeyAction{GraphKey::Copy} : GraphKeyAction{};
    switch (key) {
    case '1':
        return {GraphKey::Span, GraphSpan::Hour};
    case '2':
    case '4':
        return {GraphKey::Span, GraphSpan::Day};
    case '7':
        return {GraphKey::Span, GraphSpan::Week};
    case '3':
        return {GraphKey::Span, GraphSpan::Month};
    case 'A':
        return {GraphKey::Span, GraphSpan::All};
    case kKeyLeft:
    case kKeyPageUp:
        return {GraphKey::Back};
    case kKeyRight:
    case kKeyPageDown:
        return {GraphKey::Forward};
    case kKeyEnd:
        return {GraphKey::Latest};
    case kKeyEscape:
        return (shift & kShift) == 0 ? GraphKeyAction{GraphKey::Close} : GraphKeyAction{};
    default:
        return {};
    }
}

GraphRange ViewRange(const GraphViewState& view, int64_t now, int64_t firstReading, int32_t width) {
    const int64_t span = GraphSpanSeconds(view.span);
    // A live view leaves a twentieth of its width free on the right for what comes next.
    if (span == 0) {
        // All: from the first reading on, whatever the view's end.
        const int64_t first = std::min(firstReading, now - kHour);
        return {first, now + std::max<int64_t>((now - first) / 20, kMinute), std::max(width, 1)};
    }
    const int64_t end = view.live ? now + std::max<int64_t>(span / 20, kMinute) : view.end;
    return {end - span, end, std::max(width, 1)};
}

GraphViewState MoveView(GraphViewState view, int32_t steps, int64_t now, int64_t firstReading) {
    if (view.span == GraphSpan::All)
        return view; // everything is in view already
    const GraphRange current = ViewRange(view, now, firstReading, 1);
    const int64_t span = current.end - current.start;
    int64_t end = current.end + steps * (span / 4);
    // Not before the first reading's span, not into the future.
    end = std::max(end, std::min(firstReading, now) + span / 4);
    view.live = end >= now;
    view.end = view.live ? now : end;
    return view;
}

int32_t ScaleForDpi(int32_t pixels96, int32_t dpi) {
    return dpi <= 0 ? pixels96 : (pixels96 * dpi + 48) / 96;
}

GraphLayout LayoutPlot(int32_t width, int32_t height, int32_t legendEntries, int32_t dpi) {
    const auto s = [dpi](int32_t px) { return ScaleForDpi(px, dpi); };
    GraphLayout l;
    l.fontHeight = s(13);
    l.legendRow = s(18);
    const int32_t legendHeight = std::max(legendEntries, 1) * l.legendRow + s(6);
    const int32_t left = s(44);   // temperature labels
    const int32_t bottom = s(36); // time labels: hours and dates
    l.plot = {left, s(20), std::max(width - left - s(12), 10),
              std::max(height - s(20) - bottom - legendHeight, 10)};
    l.legendTop = l.plot.top + l.plot.height + bottom;
    l.plotArea = {0, 0, width, height};
    return l;
}

GraphLayout LayoutGraph(int32_t clientWidth, int32_t clientHeight, int32_t legendEntries,
                        int32_t dpi) {
    const auto s = [dpi](int32_t px) { return ScaleForDpi(px, dpi); };
    const int32_t margin = s(8);
    const int32_t buttonWidth = s(64);
    const int32_t buttonHeight = s(24);
    std::vector<forms::Rect> buttons;
    for (size_t i = 0; i < std::size(kGraphSpans); ++i)
        buttons.push_back({margin + static_cast<int32_t>(i) * (buttonWidth + s(4)), margin,
                           buttonWidth, buttonHeight});
    const int32_t top = margin + buttonHeight + s(4);
    GraphLayout l =
        LayoutPlot(std::max(clientWidth, 1), std::max(clientHeight - top, 1), legendEntries, dpi);
    l.plotArea = {0, top, std::max(clientWidth, 1), std::max(clientHeight - top, 1)};
    l.buttons = std::move(buttons);
    return l;
}

std::vector<AxisTick> TimeTicks(const GraphRange& range, int32_t minGap) {
    std::vector<AxisTick> ticks;
    const int64_t span = range.end - range.start;
    if (span <= 0 || range.width <= 0)
        return ticks;
    const auto pixelOf = [&](int64_t t) {
        return static_cast<int32_t>((t - range.start) * range.width / span);
    };
    static constexpr std::array<int64_t, 16> kSteps = {
        kMinute,   5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute, kHour,
        2 * kHour, 3 * kHour,   6 * kHour,    12 * kHour,   kDay,         2 * kDay,
        7 * kDay,  14 * kDay,   30 * kDay,    90 * kDay};
    int64_t step = kSteps.back();
    for (int64_t candidate : kSteps) {
        if (candidate * range.width / span >= minGap) {
            step = candidate;
            break;
        }
    }
    const bool midnightsShown = kDay * range.width / span >= 3;
    for (int64_t t = FloorDiv(range.start, std::min(step, kDay)) * std::min(step, kDay);
         t < range.end; t += std::min(step, kDay)) {
        if (t < range.start)
            continue;
        const bool midnight = t % kDay == 0;
        const bool labelled =
            step < kDay ? (t % step == 0) : (FloorDiv(t, kDay) % (step / kDay) == 0);
        if (!labelled && !(midnight && midnightsShown))
            continue;
        const LocalTime lt = FromLocalSeconds(t);
        AxisTick tick{pixelOf(t), {}, midnight && midnightsShown};
        if (labelled) {
            tick.label = midnight ? FormatLogDate(lt).substr(0, 6)
                                  : std::to_string(lt.hour) + ":" + TwoDigits(lt.minute);
        }
        ticks.push_back(tick);
    }
    return ticks;
}

int32_t ShownTemperature(int32_t celsius, bool inCelsius) {
    return inCelsius ? celsius : celsius * 9 / 5 + 32;
}

void TemperatureBounds(int32_t lowCelsius, int32_t highCelsius, bool celsius, int32_t& low,
                       int32_t& high) {
    low = ShownTemperature(std::min(lowCelsius, highCelsius), celsius) - 2;
    high = ShownTemperature(std::max(lowCelsius, highCelsius), celsius) + 2;
    // Round outwards to fives, so that the axis labels are round too.
    low = static_cast<int32_t>(FloorDiv(low, 5) * 5);
    high = static_cast<int32_t>(-FloorDiv(-high, 5) * 5);
    if (high - low < 10)
        high = low + 10;
}

std::vector<AxisTick> TemperatureTicks(int32_t low, int32_t high, int32_t height, int32_t minGap,
                                       bool celsius) {
    std::vector<AxisTick> ticks;
    if (high <= low || height <= 0)
        return ticks;
    int32_t step = 50;
    for (int32_t candidate : {1, 2, 5, 10, 20, 50}) {
        if (static_cast<int64_t>(candidate) * height / (high - low) >= minGap) {
            step = candidate;
            break;
        }
    }
    for (int32_t v = static_cast<int32_t>(-FloorDiv(-low, step) * step); v <= high; v += step) {
        const int32_t at =
            static_cast<int32_t>(static_cast<int64_t>(high - v) * height / (high - low));
        ticks.push_back({at, std::to_string(v) + "\xB0" + (celsius ? "C" : "F"), false});
    }
    return ticks;
}

std::string ReadoutTime(int64_t seconds) {
    return FormatTimeStamp(FromLocalSeconds(seconds));
}

std::string ReadoutValue(const std::string& caption, const GraphColumn* column, bool celsius) {
    const std::string unit = std::string("\xB0") + (celsius ? "C" : "F");
    if (column == nullptr || column->count == 0)
        return caption + ": -";
    const int32_t low = ShownTemperature(column->min, celsius);
    const int32_t high = ShownTemperature(column->max, celsius);
    if (low == high)
        return caption + ": " + std::to_string(low) + unit;
    return caption + ": " + std::to_string(low) + "-" + std::to_string(high) + unit;
}

std::string CsvRow(int64_t seconds, const std::string& caption, int32_t celsius) {
    const LocalTime t = FromLocalSeconds(seconds);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    std::string name = caption;
    if (name.find_first_of(",\"") != std::string::npos) {
        std::string quoted = "\"";
        for (char c : name) {
            quoted += c;
            if (c == '"')
                quoted += '"';
        }
        name = quoted + "\"";
    }
    return std::string(stamp) + "," + name + "," + std::to_string(celsius) + "\r\n";
}

uint32_t GraphLineColor(size_t index) {
    // Told apart on a white plot and from the red and orange of the level lines.
    static constexpr std::array<uint32_t, 8> kColors = {0x00C06000, 0x00008000, 0x00800080,
                                                        0x00808000, 0x00004080, 0x00FF8080,
                                                        0x00404040, 0x0000A0A0};
    return kColors[index % kColors.size()];
}

} // namespace korvane
