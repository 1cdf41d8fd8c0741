// Stacking order among sibling controls: pages that share one area are raised above the others.
#pragma once

#include "toolkit/forms/control_win.h"

namespace korvane::forms {

// Puts the control above its siblings without activating or moving it; false when it has no window.
bool RaiseAboveSiblings(Control& control);

// Whether the control is the topmost of its siblings.
bool IsAboveSiblings(const Control& control);

} // namespace korvane::forms
