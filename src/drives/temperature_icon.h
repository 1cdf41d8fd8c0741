// The pixels of a disk's 16 x 16 tray indicator: the temperature as a number of filled rectangles.
#pragma once

#include "toolkit/color.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace korvane {

// Colours are 0x00BBGGRR (toolkit/color.h); kNoColor as a background means a transparent one.
constexpr int kIconSize = 16;
constexpr int kDigitRow = 3;
constexpr int kDigitWidth = 4;
constexpr int kDigitHeight = 9;
constexpr int kDigitAdvance = 5;

// A rectangle as FillRect takes it: right and bottom edges excluded.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// The rectangles of one digit relative to its top-left corner; empty for anything but 0..9.
std::span<const PixelRect> DigitRects(int digit);

// Decimal digits of value, most significant first (0 gives one digit 0), and where the first
// lands: |16 - width| / 2, so numbers of four and five digits are clipped at the right.
struct NumberLayout {
    std::array<uint8_t, 5> digits{};
    int count = 0;
    int firstLeft = 0;
};
NumberLayout LayOutNumber(uint16_t value);

// The two planes as the icon's bitmaps hold them, bottom row first: 32-bit colour pixels
// 0x00RRGGBB (the DIB's byte order B, G, R, 0) and 1-bit mask rows of 4 bytes (a 0 bit is opaque).
struct IconPixels {
    std::array<uint32_t, kIconSize * kIconSize> color{};
    std::array<uint8_t, kIconSize * 4> mask{};

    // Convenience for tests and callers thinking top-down: (x, y) with y = 0 the top row.
    uint32_t ColorAt(int x, int y) const { return color[(kIconSize - 1 - y) * kIconSize + x]; }
    bool OpaqueAt(int x, int y) const {
        const uint8_t byte = mask[(kIconSize - 1 - y) * 4 + x / 8];
        return ((byte >> (7 - x % 8)) & 1) == 0;
    }
    bool operator==(const IconPixels&) const = default;
};

// A COLORREF as the 32-bit DIB pixel that a solid brush of it paints. The upper byte is dropped
// (it selects palette modes in GDI, which an RGB plane does not have).
constexpr uint32_t DibPixelOf(uint32_t colorRef) {
    return (colorRef & 0xFF) << 16 | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

// The pixels that MakeTemperatureIcon puts into the icon's bitmaps.
IconPixels ComputeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor);

// Larger taskbars: the same digit shapes drawn with whole-pixel strokes for each small-icon size
// the shell uses at 100 % to 250 %, so that the shell never stretches (and blurs) a 16-pixel one.
struct GlyphMetrics {
    int width;  // of one digit
    int height; // bars at the top, the middle and the bottom, two equal openings between
    int stroke; // of bars and columns
    int gap;    // between digits
    bool operator==(const GlyphMetrics&) const = default;
};
inline constexpr int kGlyphSizes[] = {16, 20, 24, 28, 32, 36, 40};
inline constexpr int kLargestIndicatorSize = 64;

// The indicator's size for the taskbar's small-icon metric: that metric itself, kept within
// 16..64, so the shell shows the icon pixel for pixel.
int IndicatorIconSize(int smallIconMetric);
// The digits for an icon of this size: those of the largest glyph size that is not larger.
GlyphMetrics GlyphMetricsFor(int iconSize);
// A digit's rectangles in these metrics; at 16 pixels exactly DigitRects.
std::vector<PixelRect> GlyphRects(int digit, const GlyphMetrics& metrics);

// Where the digits of value go in an icon of this size: centred as at 16 pixels (|size -
// width| / 2, clipped at the right when too wide), and vertically centred.
struct SizedNumberLayout {
    NumberLayout number;
    GlyphMetrics metrics;
    int top = 0;
};
SizedNumberLayout LayOutNumber(uint16_t value, int iconSize);

// The planes of an icon of any size, bottom row first, as IconPixels.
struct SizedIconPixels {
    int size = kIconSize;
    std::vector<uint32_t> color; // size x size
    std::vector<uint8_t> mask;   // size rows of MaskStride() bytes
    int MaskStride() const { return (size + 31) / 32 * 4; }
    uint32_t ColorAt(int x, int y) const { return color[(size - 1 - y) * size + x]; }
    bool OpaqueAt(int x, int y) const {
        const uint8_t byte = mask[(size - 1 - y) * MaskStride() + x / 8];
        return ((byte >> (7 - x % 8)) & 1) == 0;
    }
};
SizedIconPixels ComputeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor,
                                       int iconSize);

} // namespace korvane
