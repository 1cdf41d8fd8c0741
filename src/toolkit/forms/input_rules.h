// Small rules of the controls' input: key shift states, the spin step and the file-dialog filter.
#pragma once

#include <cstdint>
#include <string>

namespace korvane::forms {

// Shift state handed to key-down handlers.
constexpr uint32_t kShiftPressed = 4;
constexpr uint32_t kCtrlPressed = 8;
constexpr uint32_t kAltPressed = 32;

constexpr uint32_t ShiftState(bool shift, bool ctrl, bool alt) {
    return (shift ? kShiftPressed : 0) | (ctrl ? kCtrlPressed : 0) | (alt ? kAltPressed : 0);
}

// The position a spin step proposes: position + delta, lowered to the maximum and then raised to
// the minimum (so a reversed range yields the minimum). Never overflows.
int32_t UpDownCandidate(int32_t position, int32_t delta, int32_t minimum, int32_t maximum);

// "Text files|*.txt|All|*.*" in the form GetOpenFileName wants: every "|" becomes a NUL and the
// whole ends with two NULs. Empty for an empty filter (no filter at all).
std::string FileDialogFilter(const std::string& filter);

} // namespace korvane::forms
