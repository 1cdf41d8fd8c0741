// Placement rules of the forms layer.
#include "toolkit/forms/layout.h"

#include <algorithm>

namespace korvane::forms {

std::vector<Rect> ArrangeAligned(int clientWidth, int clientHeight,
                                 const std::vector<AlignedChild>& children) {
    std::vector<Rect> out;
    out.reserve(children.size());
    for (const AlignedChild& child : children) {
        out.push_back(child.bounds);
    }
    int top = 0;
    int bottom = std::max(clientHeight, 0);
    const int width = std::max(clientWidth, 0);
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i].align == Align::Top) {
            const int height = std::clamp(children[i].bounds.height, 0, bottom - top);
            out[i] = Rect{0, top, width, height};
            top += height;
        }
    }
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i].align == Align::Bottom) {
            const int height = std::clamp(children[i].bounds.height, 0, bottom - top);
            bottom -= height;
            out[i] = Rect{0, bottom, width, height};
        }
    }
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i].align == Align::Client) {
            out[i] = Rect{0, top, width, bottom - top};
        }
    }
    return out;
}

Rect CentreInWorkArea(const Rect& workArea, int width, int height) {
    // From the area's own origin: a task bar at the top or left moves the area, not only shrinks
    // it.
    return {workArea.left + (workArea.width - width) / 2,
            workArea.top + (workArea.height - height) / 2, width, height};
}

int NextTabStop(const std::vector<bool>& eligible, int current, bool backwards) {
    const int count = static_cast<int>(eligible.size());
    if (count == 0) {
        return -1;
    }
    if (current < 0 || current >= count) {
        // From outside the list, Tab starts at the first stop and Shift+Tab at the last.
        current = backwards ? count : -1;
    }
    const int step = backwards ? -1 : 1;
    for (int n = 1; n <= count; ++n) {
        const int i = ((current + step * n) % count + count) % count;
        if (eligible[static_cast<size_t>(i)]) {
            return i;
        }
    }
    return -1;
}

} // namespace korvane::forms
