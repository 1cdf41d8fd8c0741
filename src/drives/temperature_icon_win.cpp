// The temperature indicator drawn with GDI: two DIB sections, solid brushes, CreateIconIndirect.
#include "drives/temperature_icon_win.h"

#include <utility>

namespace korvane {

namespace {

// Move-only owners of the GDI objects the drawing creates; each is gone when the call returns.
template <typename T, BOOL(WINAPI* Free)(T)> class GdiOwner {
  public:
    explicit GdiOwner(T handle = nullptr) : handle_(handle) {}
    GdiOwner(GdiOwner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiOwner& operator=(GdiOwner&&) = delete;
    GdiOwner(const GdiOwner&) = delete;
    GdiOwner& operator=(const GdiOwner&) = delete;
    ~GdiOwner() {
        if (handle_ != nullptr) {
            Free(handle_);
        }
    }
    T Get() const { return handle_; }

  private:
    T handle_;
};

// Own functions, not the imported ones: a dllimport address is no template argument.
BOOL WINAPI DeleteGdiObject(HGDIOBJ object) {
    return DeleteObject(object);
}
BOOL WINAPI DeleteMemoryDc(HDC dc) {
    return DeleteDC(dc);
}
using Brush = GdiOwner<HGDIOBJ, DeleteGdiObject>;
using Bitmap = GdiOwner<HGDIOBJ, DeleteGdiObject>;
using MemoryDc = GdiOwner<HDC, DeleteMemoryDc>;

// The upper byte of a COLORREF selects GDI's palette modes; an RGB plane has no palette.
HBRUSH SolidBrush(uint32_t color) {
    return CreateSolidBrush(color & 0x00FFFFFF);
}

struct MonoBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};

BITMAPINFOHEADER PlaneHeader(WORD bitCount) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = kIconSize;
    header.biHeight = kIconSize; // positive: bottom-up
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

} // namespace

void DrawDigit(HDC dc, int x, int y, int digit, uint32_t color) {
    Brush brush(SolidBrush(color));
    for (const PixelRect& r : DigitRects(digit)) {
        const RECT rect{r.left + x, r.top + y, r.right + x, r.bottom + y};
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
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
    HDC screen = GetDC(nullptr);
    Bitmap colorPlane(CreateDIBSection(screen, &colorInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    Bitmap maskPlane(CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&maskInfo),
                                      DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (colorPlane.Get() == nullptr || maskPlane.Get() == nullptr) {
        return nullptr;
    }

    {
        MemoryDc dc(CreateCompatibleDC(nullptr));
        Brush white(SolidBrush(0xFFFFFF));
        Brush black(SolidBrush(0x000000));
        const bool transparent = background == kNoColor;
        Brush back(transparent ? nullptr : SolidBrush(background));
        const RECT whole{0, 0, kIconSize, kIconSize};

        HGDIOBJ previous = SelectObject(dc.Get(), maskPlane.Get());
        FillRect(dc.Get(), &whole, static_cast<HBRUSH>(transparent ? white.Get() : black.Get()));
        DrawNumber(dc.Get(), value, 0x000000); // digits are always opaque

        SelectObject(dc.Get(), colorPlane.Get());
        // Under transparent pixels the colour plane must be black so the screen shows through.
        FillRect(dc.Get(), &whole, static_cast<HBRUSH>(transparent ? black.Get() : back.Get()));
        DrawNumber(dc.Get(), value, textColor);
        SelectObject(dc.Get(), previous);
    }

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = static_cast<HBITMAP>(maskPlane.Get());
    info.hbmColor = static_cast<HBITMAP>(colorPlane.Get());
    return CreateIconIndirect(&info); // copies both bitmaps, which go with their owners
}

} // namespace korvane
