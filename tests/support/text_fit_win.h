// Whether the texts of a window's labels and buttons fit their controls, measured in their fonts.
#pragma once

#include "toolkit/win32.h"

#include <string>
#include <vector>

namespace korvane::test {

// Every visible label, push button, check box, radio button and group box under `root` whose
// text does not fit the control's client area in the control's own font, with the check box's
// square and the frames' edges taken off at `dpi`; one description per control. Labels are
// measured as they draw: wrapped at their width unless they are one-line labels. Owner-drawn
// controls draw their own and are left out.
std::vector<std::string> ClippedTexts(HWND root, int dpi);

} // namespace korvane::test
