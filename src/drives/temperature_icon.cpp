// The digit patterns and the pixel-by-pixel drawing of the temperature indicator.
#include "drives/temperature_icon.h"

#include <algorithm>
#include <cstdlib>

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

NumberLayout LayOutNumber(uint16_t value) {
    NumberLayout layout;
    std::array<uint8_t, 5> reversed{};
    do {
        reversed[layout.count++] = static_cast<uint8_t>(value % 10);
        value = static_cast<uint16_t>(value / 10);
    } while (value != 0);
    for (int i = 0; i < layout.count; ++i) {
        layout.digits[i] = reversed[layout.count - 1 - i];
    }
    const int width = kDigitAdvance * layout.count - 1;
    layout.firstLeft = std::abs(kIconSize - width) / 2;
    return layout;
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
