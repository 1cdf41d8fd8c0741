// Pixels for tests under Wine: those of a bitmap or of a screen area (the owners of the DCs and
// bitmaps are the toolkit's, toolkit/handles_win.h).
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <cstdint>
#include <vector>

namespace korvane::test {

// A bitmap's pixels as a 32-bit top-down DIB, 0x..RRGGBB (the top byte is whatever GetDIBits
// leaves there); empty when they cannot be read. The bitmap must not be selected into `dc`.
std::vector<uint32_t> BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height);

// What the screen shows in this area, as BitmapPixels gives it.
std::vector<uint32_t> ScreenPixels(int left, int top, int width, int height);

} // namespace korvane::test
