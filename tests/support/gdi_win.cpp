// Device contexts and screen pixels for tests under Wine.
#include "gdi_win.h"

namespace korvane::test {

std::vector<uint32_t> BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS))
        pixels.clear();
    return pixels;
}

std::vector<uint32_t> ScreenPixels(int left, int top, int width, int height) {
    const ScopedWindowDc screen(nullptr);
    if (!screen.Get())
        return {};
    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        const ScopedSelection selection(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), left, top, SRCCOPY);
    }
    return BitmapPixels(memory.Get(), bitmap.Get(), width, height);
}

} // namespace korvane::test
