// The GDI-built indicator icon read back pixel by pixel and compared with the computed pixels;
// PNGs of a few states are left in the build tree's test-tmp/drives-icons for a person to look at.
#include "drives/temperature_icon_win.h"
#include "gdi_win.h"
#include "png_writer.h"
#include "test_env.h"
#include "toolkit/handles_win.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace korvane
