// A simulated disk whose temperature moves with time: up from one value to another at a steady
// rate, back down at the same rate, and over again, counted from the driver's start.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane::sim {

struct SimConfig;

struct TemperatureRamp {
    int32_t from = 0;
    int32_t to = 0;
    double degreesPerMinute = 0;

    // The whole degrees the disk reads after `elapsed` since the start.
    int32_t At(std::chrono::milliseconds elapsed) const;
};

// "FROM,TO,DEGREES_PER_MINUTE", for example "46,63,7"; nothing when the text is not of that form
// or the rate is not above zero.
std::optional<TemperatureRamp> ParseRamp(const std::string& text);

// Puts each ramped disk's temperature at `elapsed` into its attribute sector.
void ApplyRamps(SimConfig& config, std::chrono::milliseconds elapsed);

} // namespace korvane::sim
