// The digit patterns and the pixel-by-pixel drawing of the temperature indicator.
#include "drives/temperature_icon.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace korvane {

namespace {

// Bars on rows 0, 4 and 8; columns on pixel columns 0 and 3.
constexpr PixelRect kZero[] = {{0, 0, 4, 1}, {0, 8, 4, 9}, {3, 0, 4, 9}, {0, 0, 1, 9}};
constexpr PixelRect kOne[] = {{2, 0, 3, 9}};
constexpr PixelRect kTwo[] = {{0, 0, 4, 1}, {0, 4, 4, 5}, {0, 8, 4, 9}, {3, 0, 4, 5}, {0, 4, 1, 9}};
constexpr PixelRect kThree[] = {{0, 0, 4, 1}, {0, 4, 4, 5}, {0, 8, 4, 9}, {3, 0, 4, 9}};
constexpr PixelRect kFour[] = {{0, 0, 1, 5}, {0, 4, 4, 5}, {3, 0, 4, 9}};
constexpr PixelRect kFive[] = {
    {0, 0, 4, 1}, {0, 4, 4, 5}, {0, 8, 4, 9}, {0, 0, 1, 5}, {3, 4, 4, 9}};
constexpr PixelRect kSix[] = {{0, 0, 4, 1}, {0, 4, 4, 5}, {0, 8, 4, 9}, {0, 0, 1, 9}, {3, 4, 4, 9}};
constexpr PixelRect kSeven[] = {{0, 0, 4, 1}, {3, 0, 4, 9}};
constexpr PixelRect kEight[] = {
    {0, 0, 4, 1}, {0, 4, 4, 5}, {0, 8, 4, 9}, {3, 0, 4, 9}, {0, 0, 1, 9}};
constexpr PixelRect kNine[] = {{0, 0, 4, 1}, {0, 4, 4, 5}, {0, 0, 1, 5}, {3, 0, 4, 9}};

constexpr std::span<const PixelRect> kDigits[] = {kZero, kOne, kTwo,   kThree, kFour,
                                                  kFive, kSix, kSeven, kEight, kNine};

// The strokes a digit is made of, by the same shapes as the table above.
enum Stroke : uint8_t {
    kTop,
    kMiddle,
    kBottom,
    kLeft,
    kRight,
    kUpperLeft,
    kUpperRight,
    kLowerLeft,
    kLowerRight,
    kCentre
};
struct DigitStrokes {
    std::array<Stroke, 5> strokes;
    int count;
};
constexpr DigitStrokes kDigitStrokes[] = {
    {{kTop, kBottom, kRight, kLeft}, 4},
    {{kCentre}, 1},
    {{kTop, kMiddle, kBottom, kUpperRight, kLowerLeft}, 5},
    {{kTop, kMiddle, kBottom, kRight}, 4},
    {{kUpperLeft, kMiddle, kRight}, 3},
    {{kTop, kMiddle, kBottom, kUpperLeft, kLowerRight}, 5},
    {{kTop, kMiddle, kBottom, kLeft, kLowerRight}, 5},
    {{kTop, kRight}, 2},
    {{kTop, kMiddle, kBottom, kRight, kLeft}, 5},
    {{kTop, kMiddle, kUpperLeft, kRight}, 4},
};

// Per glyph size: digit width, height, stroke, gap. Heights leave two equal openings between
// the bars; three digits always fit.
constexpr GlyphMetrics kGlyphMetrics[] = {
    {4, 9, 1, 1},  {5, 11, 1, 1}, {6, 14, 2, 2},  {7, 16, 2, 2},
    {8, 18, 2, 2}, {9, 21, 3, 2}, {10, 23, 3, 3},
};
static_assert(std::size(kGlyphMetrics) == std::size(kGlyphSizes));

PixelRect StrokeRect(Stroke stroke, const GlyphMetrics& m) {
    const int w = m.width, h = m.height, t = m.stroke;
    const int mid = (h - t) / 2;
    // The 1 in the middle, rounded to the right as at 16 pixels (its third column of four):
    // off the middle it would leave a wide gap on one side ("2 12").
    const int centre = (w - t + 1) / 2;
    switch (stroke) {
    case kTop:
        return {0, 0, w, t};
    case kMiddle:
        return {0, mid, w, mid + t};
    case kBottom:
        return {0, h - t, w, h};
    case kLeft:
        return {0, 0, t, h};
    case kRight:
        return {w - t, 0, w, h};
    case kUpperLeft:
        return {0, 0, t, mid + t};
    case kUpperRight:
        return {w - t, 0, w, mid + t};
    case kLowerLeft:
        return {0, mid, t, h};
    case kLowerRight:
        return {w - t, mid, w, h};
    case kCentre:
        return {centre, 0, centre + t, h};
    }
    return {0, 0, 0, 0};
}

// A 16 x 16 plane addressed top-down, stored bottom-up; rectangles are clipped to it.
class Canvas {
  public:
    explicit Canvas(IconPixels& pixels) : pixels_(pixels) {}

    void FillColor(const PixelRect& r, uint32_t pixel) {
        ForEach(r, [&](int x, int y) { pixels_.color[Row(y) * kIconSize + x] = pixel; });
    }
    void FillMask(const PixelRect& r, bool transparent) {
        ForEach(r, [&](int x, int y) {
            uint8_t& byte = pixels_.mask[Row(y) * 4 + x / 8];
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            byte = transparent ? (byte | bit) : (byte & ~bit);
        });
    }

  private:
    static int Row(int y) { return kIconSize - 1 - y; }
    template <typename F> static void ForEach(const PixelRect& r, F&& f) {
        const int left = std::max(r.left, 0), right = std::min(r.right, kIconSize);
        const int top = std::max(r.top, 0), bottom = std::min(r.bottom, kIconSize);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                f(x, y);
            }
        }
    }
    IconPixels& pixels_;
};

constexpr PixelRect kWholeIcon{0, 0, kIconSize, kIconSize};

template <typename Fill> void DrawNumber(uint16_t value, Fill&& fill) {
    const NumberLayout layout = LayOutNumber(value);
    int x = layout.firstLeft;
    for (int i = 0; i < layout.count; ++i) {
        for (const PixelRect& r : DigitRects(layout.digits[i])) {
            fill(PixelRect{r.left + x, r.top + kDigitRow, r.right + x, r.bottom + kDigitRow});
        }
        x += kDigitAdvance;
    }
}

} // namespace

std::span<const PixelRect> DigitRects(int digit) {
    if (digit < 0 || digit > 9) {
        return {};
    }
    return kDigits[digit];
}

namespace {

NumberLayout LayOutDigits(uint16_t value, int iconSize, const GlyphMetrics& m) {
    NumberLayout layout;
    std::array<uint8_t, 5> reversed{};
    do {
        reversed[layout.count++] = static_cast<uint8_t>(value % 10);
        value = static_cast<uint16_t>(value / 10);
    } while (value != 0);
    for (int i = 0; i < layout.count; ++i) {
        layout.digits[i] = reversed[layout.count - 1 - i];
    }
    const int width = (m.width + m.gap) * layout.count - m.gap;
    layout.firstLeft = std::abs(iconSize - width) / 2;
    return layout;
}

} // namespace

NumberLayout LayOutNumber(uint16_t value) {
    return LayOutDigits(value, kIconSize, kGlyphMetrics[0]);
}

int IndicatorIconSize(int smallIconMetric) {
    return std::clamp(smallIconMetric, kIconSize, kLargestIndicatorSize);
}

GlyphMetrics GlyphMetricsFor(int iconSize) {
    size_t chosen = 0;
    for (size_t i = 0; i < std::size(kGlyphSizes); ++i) {
        if (kGlyphSizes[i] <= iconSize)
            chosen = i;
    }
    return kGlyphMetrics[chosen];
}

std::vector<PixelRect> GlyphRects(int digit, const GlyphMetrics& metrics) {
    std::vector<PixelRect> rects;
    if (digit < 0 || digit > 9)
        return rects;
    const DigitStrokes& d = kDigitStrokes[digit];
    for (int i = 0; i < d.count; ++i)
        rects.push_back(StrokeRect(d.strokes[i], metrics));
    return rects;
}

SizedNumberLayout LayOutNumber(uint16_t value, int iconSize) {
    SizedNumberLayout layout;
    layout.metrics = GlyphMetricsFor(iconSize);
    layout.number = LayOutDigits(value, iconSize, layout.metrics);
    layout.top = (iconSize - layout.metrics.height) / 2;
    return layout;
}

SizedIconPixels ComputeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor,
                                       int iconSize) {
    SizedIconPixels pixels;
    const int size = std::clamp(iconSize, 1, kLargestIndicatorSize);
    pixels.size = size;
    const bool transparent = background == kNoColor;
    pixels.color.assign(static_cast<size_t>(size * size),
                        transparent ? 0u : DibPixelOf(background));
    const int stride = pixels.MaskStride();
    // Bits past the last column stay 0, as the 16-pixel planes have them.
    pixels.mask.assign(static_cast<size_t>(size * stride), 0);
    if (transparent) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                pixels.mask[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    const uint32_t text = DibPixelOf(textColor);
    const SizedNumberLayout layout = LayOutNumber(value, size);
    int left = layout.number.firstLeft;
    for (int i = 0; i < layout.number.count; ++i) {
        for (const PixelRect& r : GlyphRects(layout.number.digits[i], layout.metrics)) {
            for (int y = std::max(r.top + layout.top, 0); y < std::min(r.bottom + layout.top, size);
                 ++y) {
                const int row = size - 1 - y;
                for (int x = std::max(r.left + left, 0); x < std::min(r.right + left, size); ++x) {
                    pixels.color[row * size + x] = text;
                    pixels.mask[row * stride + x / 8] &= static_cast<uint8_t>(~(0x80 >> (x % 8)));
                }
            }
        }
        left += layout.metrics.width + layout.metrics.gap;
    }
    return pixels;
}

IconPixels ComputeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor) {
    IconPixels pixels;
    Canvas canvas(pixels);
    const bool transparent = background == kNoColor;

    // Mask: all transparent or all opaque, then the digits always opaque.
    canvas.FillMask(kWholeIcon, transparent);
    DrawNumber(value, [&](const PixelRect& r) { canvas.FillMask(r, false); });

    // Colour plane: black under transparent pixels, so the icon shows the screen there.
    canvas.FillColor(kWholeIcon, transparent ? 0u : DibPixelOf(background));
    DrawNumber(value, [&](const PixelRect& r) { canvas.FillColor(r, DibPixelOf(textColor)); });
    return pixels;
}

} // namespace korvane
