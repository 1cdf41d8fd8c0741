// Device contexts and screen pixels for tests under Wine: owners that release what GetDC and
// CreateCompatibleDC gave, and the pixels of a bitmap or of a screen area.
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <cstdint>
#include <vector>

namespace korvane::test {

// A window's device context from GetDC (the screen's for a null window), released when it goes.
class WindowDc {
  public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return DeleteDC(h) != FALSE; }
};
// A memory device context from CreateCompatibleDC, deleted when it goes.
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;

// An object selected into a device context for one scope; the previous one goes back after.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap's pixels as a 32-bit top-down DIB, 0x..RRGGBB (the top byte is whatever GetDIBits
// leaves there); empty when they cannot be read. The bitmap must not be selected into `dc`.
std::vector<uint32_t> BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height);

// What the screen shows in this area, as BitmapPixels gives it.
std::vector<uint32_t> ScreenPixels(int left, int top, int width, int height);

} // namespace korvane::test
