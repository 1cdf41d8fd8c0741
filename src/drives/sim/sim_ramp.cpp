// The temperature ramp of a simulated disk: a triangle wave between two temperatures.
#include "drives/sim/sim_ramp.h"

#include "drives/sim/sim_disk.h"

#include "toolkit/text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace korvane::sim {

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(Trim(text.substr(start, comma - start)));
        if (comma == std::string::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

template <typename T> std::optional<T> Number(const std::string& text) {
    T value{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int32_t TemperatureRamp::At(std::chrono::milliseconds elapsed) const {
    const double span = std::abs(static_cast<double>(to) - from);
    if (span == 0 || degreesPerMinute <= 0 || elapsed.count() <= 0) {
        return from;
    }
    const double minutes = static_cast<double>(elapsed.count()) / 60000.0;
    // Degrees travelled, folded into one rise and one fall.
    double travelled = std::fmod(minutes * degreesPerMinute, 2 * span);
    if (travelled > span) {
        travelled = 2 * span - travelled;
    }
    const double degrees = to > from ? from + travelled : from - travelled;
    return static_cast<int32_t>(std::floor(degrees + 1e-9));
}

std::optional<TemperatureRamp> ParseRamp(const std::string& text) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.size() != 3) {
        return std::nullopt;
    }
    const auto from = Number<int32_t>(parts[0]);
    const auto to = Number<int32_t>(parts[1]);
    const auto rate = Number<double>(parts[2]);
    if (!from || !to || !rate || !(*rate > 0) || !std::isfinite(*rate)) {
        return std::nullopt;
    }
    return TemperatureRamp{*from, *to, *rate};
}

void ApplyRamps(SimConfig& config, std::chrono::milliseconds elapsed) {
    for (std::optional<SimDisk>& disk : config.drives) {
        if (disk && disk->ramp && disk->attributes && disk->SpeaksSmart()) {
            const int32_t now = disk->ramp->At(elapsed);
            ApplyTemperature(*disk->attributes, now);
            // The storage queries report the same sensor as attribute 194.
            disk->temperature = now;
        }
    }
}

} // namespace korvane::sim
