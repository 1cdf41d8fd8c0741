// MakeTemperatureIcon: the indicator drawn into a new HICON (Windows build only).
#pragma once

#include "drives/temperature_icon.h"
#include "toolkit/win32.h"

namespace korvane {

// A new 16 x 16 icon showing value in textColor on background (kNoColor: transparent). The caller
// owns it and destroys it with DestroyIcon; null when GDI could not build it.
HICON MakeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor);
// The same at another size (IndicatorIconSize): 16 pixels as above, any other size written
// pixel by pixel from ComputeTemperatureIcon.
HICON MakeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor, int size);

// Draws value centred in a 16-pixel-wide area, digits at row 3.
void DrawNumber(HDC dc, uint16_t value, uint32_t color);

// Draws one digit 0..9 with its top-left corner at (x, y); any other digit draws nothing.
void DrawDigit(HDC dc, int x, int y, int digit, uint32_t color);

} // namespace korvane
