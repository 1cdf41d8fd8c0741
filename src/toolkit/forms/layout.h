// Placement rules of the forms layer: aligned children, centring in the work area, the Tab order.
#pragma once

#include <vector>

namespace korvane::forms {

enum class Align { None, Top, Bottom, Client };

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct AlignedChild {
    Align align = Align::None;
    Rect bounds;
};

// New bounds of a parent's children, in the same order: top-aligned ones (in creation order) are
// stacked from the top and bottom-aligned ones from the bottom, keeping their heights and taking
// the full width; client-aligned ones take what is left. Others keep their bounds.
std::vector<Rect> ArrangeAligned(int clientWidth, int clientHeight,
                                 const std::vector<AlignedChild>& children);

// The bounds of a window of `width` x `height` centred in the desktop work area, from the area's
// origin (a task bar at the top or left moves it), each half dropping its fraction (toward zero).
// A work area smaller than the window puts it partly off the area's top-left edge.
Rect CentreInWorkArea(const Rect& workArea, int width, int height);

// The position Tab (or Shift+Tab when `backwards`) moves to among controls in creation order, of
// which `eligible` marks the enabled, visible tab stops; `current` is the focused one's position
// or -1. Wraps around; -1 when there is no eligible control.
int NextTabStop(const std::vector<bool>& eligible, int current, bool backwards);

} // namespace korvane::forms
