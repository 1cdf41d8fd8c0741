// The GDI-built indicator icon read back pixel by pixel and compared with the computed pixels;
// PNGs of a few states are left in the build tree's test-tmp/drives-icons for a person to look at.
// At the taskbar's DPIs: the icon the shell is handed has the small-icon size Wine gives for that
// DPI, with PNGs of every state in test-tmp/drives-icons-dpi.
#include "drives/temperature_icon_win.h"
#include "drives/indicator_icons_win.h"
#include "drives/temperature_icon_colors.h"
#include "gdi_win.h"
#include "png_writer.h"
#include "test_env.h"
#include "toolkit/app_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/taskbar_win.h"
#include "toolkit/tray_icon_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace korvane {
namespace {

struct ReadBack {
    IconPixels pixels;
    bool ok = false;
};

// The two planes of an icon as GetDIBits gives them, in the layout of IconPixels.
ReadBack ReadIcon(HICON icon) {
    ReadBack result;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return result;
    }
    const ScopedBitmap color(info.hbmColor);
    const ScopedBitmap mask(info.hbmMask);
    const ScopedWindowDc screen(nullptr);
    BITMAPINFO colorInfo{};
    colorInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    colorInfo.bmiHeader.biWidth = kIconSize;
    colorInfo.bmiHeader.biHeight = kIconSize;
    colorInfo.bmiHeader.biPlanes = 1;
    colorInfo.bmiHeader.biBitCount = 32;
    colorInfo.bmiHeader.biCompression = BI_RGB;
    const int colorRows = GetDIBits(screen.Get(), color.Get(), 0, kIconSize,
                                    result.pixels.color.data(), &colorInfo, DIB_RGB_COLORS);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } maskInfo{};
    maskInfo.header = colorInfo.bmiHeader;
    maskInfo.header.biBitCount = 1;
    const int maskRows =
        GetDIBits(screen.Get(), mask.Get(), 0, kIconSize, result.pixels.mask.data(),
                  reinterpret_cast<BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS);
    result.ok = colorRows == kIconSize && maskRows == kIconSize;
    return result;
}

// What a person sees: transparent where the mask says so, the colour plane elsewhere.
std::vector<uint32_t> ToArgb(const IconPixels& pixels) {
    std::vector<uint32_t> argb;
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            argb.push_back(pixels.OpaqueAt(x, y) ? 0xFF000000u | pixels.ColorAt(x, y) : 0u);
        }
    }
    return argb;
}

TEST(TemperatureIconGdi, ReadsBackExactlyTheComputedPixels) {
    struct State {
        const char* name;
        uint16_t value;
        uint32_t background;
        uint32_t text;
    };
    const State states[] = {
        {"07_red_on_none", 7, kNoColor, 0x0000FF},
        {"45_white_on_red", 45, 0x0000FF, 0xFFFFFF},
        {"113_black_on_yellow", 113, 0x00FFFF, 0x000000},
        {"0_green_on_none", 0, kNoColor, 0x00C000},
        {"1234_clipped", 1234, 0x808080, 0xFFFFFF},
        {"65535_clipped", 65535, kNoColor, 0xFF8000},
    };
    const std::string folder = test::FreshTempDir("drives-icons");
    for (const State& s : states) {
        ScopedIcon icon(MakeTemperatureIcon(s.value, s.background, s.text));
        ASSERT_NE(nullptr, icon.Get()) << s.name;
        const ReadBack back = ReadIcon(icon.Get());
        icon.Reset();
        ASSERT_TRUE(back.ok) << s.name;

        const IconPixels expected = ComputeTemperatureIcon(s.value, s.background, s.text);
        for (int y = 0; y < kIconSize; ++y) {
            for (int x = 0; x < kIconSize; ++x) {
                // The colour plane's fourth byte is padding, not part of a BI_RGB pixel.
                EXPECT_EQ(expected.ColorAt(x, y), back.pixels.ColorAt(x, y) & 0x00FFFFFF)
                    << s.name << " colour at " << x << "," << y;
                EXPECT_EQ(expected.OpaqueAt(x, y), back.pixels.OpaqueAt(x, y))
                    << s.name << " mask at " << x << "," << y;
            }
        }
        EXPECT_TRUE(test::WritePng(test::JoinPath(folder, std::string(s.name) + ".png"), 128, 128,
                                   test::ScaleUp(ToArgb(back.pixels), kIconSize, kIconSize, 8)));
    }
}

// Both planes of an icon of any size, top row first: 0xAARRGGBB with alpha 0 where transparent.
struct SizedReadBack {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
};

SizedReadBack ReadSizedIcon(HICON icon) {
    SizedReadBack result;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return result;
    const ScopedBitmap color(info.hbmColor);
    const ScopedBitmap mask(info.hbmMask);
    BITMAP bm{};
    GetObjectA(color.Get(), sizeof(bm), &bm);
    const ScopedWindowDc screen(nullptr);
    const std::vector<uint32_t> colors =
        test::BitmapPixels(screen.Get(), color.Get(), bm.bmWidth, bm.bmHeight);
    // The mask as 32-bit pixels too: white where transparent.
    const std::vector<uint32_t> masks =
        test::BitmapPixels(screen.Get(), mask.Get(), bm.bmWidth, bm.bmHeight);
    if (colors.empty() || masks.size() != colors.size())
        return result;
    result.width = bm.bmWidth;
    result.height = bm.bmHeight;
    for (size_t i = 0; i < colors.size(); ++i)
        result.argb.push_back((masks[i] & 0xFFFFFF) != 0 ? 0u
                                                         : 0xFF000000u | (colors[i] & 0xFFFFFF));
    return result;
}

// Icons side by side on a taskbar colour, as a person sees them there.
void Paste(std::vector<uint32_t>& canvas, int canvasWidth, const SizedReadBack& icon, int left,
           int top) {
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x)
            if (const uint32_t p = icon.argb[static_cast<size_t>(y) * icon.width + x]; p != 0)
                canvas[static_cast<size_t>(top + y) * canvasWidth + left + x] = p;
}

TEST(IndicatorAtTaskbarDpi, TheShellGetsTheSmallIconSizeOfEachDpiAndEveryValueWhole) {
    {
        // What this Wine says of its own taskbar, for the record: it keeps the prefix's DPI.
        const HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
        std::printf("taskbar window %p, its own small-icon size %d\n", static_cast<void*>(tray),
                    CreateWin32Taskbar()->Look().iconSize);
    }
    struct Case {
        uint32_t dpi;
        int size;
    };
    const Case cases[] = {{96, 16}, {120, 20}, {144, 24}, {192, 32}};
    const uint16_t values[] = {7, 45, 99, 122, 212};
    const std::string folder = test::FreshTempDir("drives-icons-dpi");
    // One icon for every DPI: added once, then modified, and removed once (a removal costs Wine
    // seconds).
    AppWindow window;
    int handedSize = 0;
    window.SetShellNotifier([&](DWORD message, NOTIFYICONDATAA& data) {
        ICONINFO info{};
        if (message != NIM_DELETE && data.hIcon && GetIconInfo(data.hIcon, &info)) {
            BITMAP bm{};
            GetObjectA(info.hbmColor, sizeof(bm), &bm);
            handedSize = bm.bmWidth == bm.bmHeight ? bm.bmWidth : -1;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        return Shell_NotifyIconA(message, &data) != FALSE;
    });
    TrayIcon& tray = window.CreateTrayIcon(OwnedIcon{});
    for (const Case& c : cases) {
        TaskbarLook look = CreateWin32Taskbar(c.dpi)->Look();
        EXPECT_EQ(c.size, look.iconSize) << c.dpi << " dpi";

        // The real tray icon with the real shell; the notifier sees the record it is handed.
        TaskbarLook drawnFor = look;
        const auto icons = CreateWin32IndicatorIcon([&] { return drawnFor; });
        handedSize = 0;
        tray.SetIcon(icons->MakeIcon(45, kNoColor, 0xFF0000));
        tray.SetActive(true);
        EXPECT_EQ(c.size, handedSize) << c.dpi << " dpi";

        // Three states on a dark and a light taskbar, the first-run colours taken for each.
        const uint32_t taskbars[] = {0x202020, 0xF3F3F3};
        const TaskbarTheme themes[] = {TaskbarTheme::Dark, TaskbarTheme::Light};
        const int cell = c.size + 4;
        const int width = 2 * std::size(values) * cell, height = 3 * cell;
        std::vector<uint32_t> canvas(static_cast<size_t>(width) * height);
        for (int side = 0; side < 2; ++side) {
            for (int y = 0; y < height; ++y)
                for (int x = side * width / 2; x < (side + 1) * width / 2; ++x)
                    canvas[static_cast<size_t>(y) * width + x] = 0xFF000000u | taskbars[side];
            drawnFor.theme = themes[side];
            for (int state = 0; state < 3; ++state) {
                const IndicatorColors stored = kFirstRunIndicatorColors[state];
                const IndicatorColors drawn = ColorsForTaskbar(stored, drawnFor);
                for (size_t v = 0; v < std::size(values); ++v) {
                    OwnedIcon icon = icons->MakeIcon(values[v], stored.background, stored.text);
                    ASSERT_TRUE(icon) << c.dpi;
                    const SizedReadBack back = ReadSizedIcon(ToHicon(icon.Get()));
                    ASSERT_EQ(c.size, back.width) << c.dpi;
                    ASSERT_EQ(c.size, back.height) << c.dpi;
                    // Exactly the computed pixels: nothing scaled, nothing blurred.
                    const SizedIconPixels expected =
                        ComputeTemperatureIcon(values[v], drawn.background, drawn.text, c.size);
                    int mismatches = 0;
                    for (int y = 0; y < c.size; ++y) {
                        for (int x = 0; x < c.size; ++x) {
                            const uint32_t got = back.argb[static_cast<size_t>(y) * c.size + x];
                            const uint32_t want =
                                expected.OpaqueAt(x, y) ? 0xFF000000u | expected.ColorAt(x, y) : 0u;
                            mismatches += got != want ? 1 : 0;
                        }
                    }
                    EXPECT_EQ(0, mismatches) << values[v] << " at " << c.size << " px";
                    Paste(canvas, width, back, side * width / 2 + static_cast<int>(v) * cell + 2,
                          state * cell + 2);
                }
            }
        }
        EXPECT_TRUE(test::WritePng(test::JoinPath(folder, "dpi" + std::to_string(c.dpi) + "_" +
                                                              std::to_string(c.size) + "px.png"),
                                   width * 4, height * 4, test::ScaleUp(canvas, width, height, 4)));
    }
}

} // namespace
} // namespace korvane
