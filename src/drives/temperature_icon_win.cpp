// The temperature indicator drawn with GDI: two DIB sections, solid brushes, CreateIconIndirect.
#include "drives/temperature_icon_win.h"

#include "toolkit/handles_win.h"

#include <cstring>

namespace korvane {

namespace {

// The upper byte of a COLORREF selects GDI's palette modes; an RGB plane has no palette.
HBRUSH SolidBrush(uint32_t color) {
    return CreateSolidBrush(color & 0x00FFFFFF);
}

struct MonoBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};

BITMAPINFOHEADER PlaneHeader(WORD bitCount, int size = kIconSize) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = size;
    header.biHeight = size; // positive: bottom-up
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

} // namespace

void DrawDigit(HDC dc, int x, int y, int digit, uint32_t color) {
    const ScopedBrush brush(SolidBrush(color));
    for (const PixelRect& r : DigitRects(digit)) {
        const RECT rect{r.left + x, r.top + y, r.right + x, r.bottom + y};
        FillRect(dc, &rect, brush.Get());
    }
}

void DrawNumber(HDC dc, uint16_t value, uint32_t color) {
    const NumberLayout layout = LayOutNumber(value);
    int x = layout.firstLeft;
    for (int i = 0; i < layout.count; ++i) {
        DrawDigit(dc, x, kDigitRow, layout.digits[i], color);
        x += kDigitAdvance;
    }
}

HICON MakeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor) {
    BITMAPINFO colorInfo{};
    colorInfo.bmiHeader = PlaneHeader(32);
    MonoBitmapInfo maskInfo{};
    maskInfo.header = PlaneHeader(1);
    maskInfo.colors[1] = RGBQUAD{255, 255, 255, 0}; // entry 0 black, entry 1 white

    void* bits = nullptr;
    ScopedBitmap colorPlane;
    ScopedBitmap maskPlane;
    {
        const ScopedWindowDc screen(nullptr);
        colorPlane.Reset(
            CreateDIBSection(screen.Get(), &colorInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
        maskPlane.Reset(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&maskInfo),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    if (!colorPlane || !maskPlane) {
        return nullptr;
    }

    {
        const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
        const ScopedBrush white(SolidBrush(0xFFFFFF));
        const ScopedBrush black(SolidBrush(0x000000));
        const bool transparent = background == kNoColor;
        const ScopedBrush back(transparent ? nullptr : SolidBrush(background));
        const RECT whole{0, 0, kIconSize, kIconSize};

        // The selection puts the DC's own bitmap back before the planes are handed on.
        const ScopedSelection selection(dc.Get(), maskPlane.Get());
        FillRect(dc.Get(), &whole, transparent ? white.Get() : black.Get());
        DrawNumber(dc.Get(), value, 0x000000); // digits are always opaque

        SelectObject(dc.Get(), colorPlane.Get());
        // Under transparent pixels the colour plane must be black so the screen shows through.
        FillRect(dc.Get(), &whole, transparent ? black.Get() : back.Get());
        DrawNumber(dc.Get(), value, textColor);
    }

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskPlane.Get();
    info.hbmColor = colorPlane.Get();
    return CreateIconIndirect(&info); // copies both bitmaps, which go with their owners
}

HICON MakeTemperatureIcon(uint16_t value, uint32_t background, uint32_t textColor, int size) {
    if (size == kIconSize)
        return MakeTemperatureIcon(value, background, textColor);
    const SizedIconPixels pixels = ComputeTemperatureIcon(value, background, textColor, size);
    size = pixels.size;
    BITMAPINFO colorInfo{};
    colorInfo.bmiHeader = PlaneHeader(32, size);
    MonoBitmapInfo maskInfo{};
    maskInfo.header = PlaneHeader(1, size);
    maskInfo.colors[1] = RGBQUAD{255, 255, 255, 0};

    void* colorBits = nullptr;
    void* maskBits = nullptr;
    ScopedBitmap colorPlane;
    ScopedBitmap maskPlane;
    {
        const ScopedWindowDc screen(nullptr);
        colorPlane.Reset(
            CreateDIBSection(screen.Get(), &colorInfo, DIB_RGB_COLORS, &colorBits, nullptr, 0));
        maskPlane.Reset(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&maskInfo),
                                         DIB_RGB_COLORS, &maskBits, nullptr, 0));
    }
    if (!colorPlane || !maskPlane || !colorBits || !maskBits)
        return nullptr;
    // Both planes are bottom-up with rows padded to 4 bytes, as the computed ones.
    std::memcpy(colorBits, pixels.color.data(), pixels.color.size() * sizeof(uint32_t));
    std::memcpy(maskBits, pixels.mask.data(), pixels.mask.size());
    GdiFlush(); // the section's memory was written behind GDI's back

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskPlane.Get();
    info.hbmColor = colorPlane.Get();
    return CreateIconIndirect(&info);
}

} // namespace korvane
