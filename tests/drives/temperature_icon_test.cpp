// The indicator's pixels: digit shapes, centring, clipping, colours and the transparency mask.
#include "drives/temperature_icon.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

// The icon top row first: '#' text colour, '.' background, ' ' transparent.
std::string Picture(const IconPixels& icon, uint32_t text) {
    std::string rows;
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            rows += !icon.OpaqueAt(x, y) ? ' ' : icon.ColorAt(x, y) == DibPixelOf(text) ? '#' : '.';
        }
        rows += '\n';
    }
    return rows;
}

// Rows 3..11 only, where digits live.
std::string DigitRows(const IconPixels& icon, uint32_t text) {
    const std::string all = Picture(icon, text);
    return all.substr(3 * 17, 9 * 17);
}

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;

TEST(TemperatureIconPixels, SevenOnNoBackgroundIsATransparentIconWithARedDigit) {
    const IconPixels icon = ComputeTemperatureIcon(7, kNoColor, kRed);
    const std::string blank(16, ' ');
    std::string expected;
    for (int y = 0; y < 3; ++y) {
        expected += blank + "\n";
    }
    expected += "      ####      \n";
    for (int y = 0; y < 8; ++y) {
        expected += "         #      \n";
    }
    for (int y = 0; y < 4; ++y) {
        expected += blank + "\n";
    }
    EXPECT_EQ(expected, Picture(icon, kRed));
    EXPECT_EQ(0x00FF0000u, icon.ColorAt(9, 3)); // red in the DIB's B, G, R byte order
    EXPECT_EQ(0u, icon.ColorAt(0, 0));          // black under transparent pixels
}

TEST(TemperatureIconPixels, FortyFiveIsWhiteOnAnOpaqueRedSquare) {
    const IconPixels icon = ComputeTemperatureIcon(45, kRed, kWhite);
    EXPECT_EQ("...#..#.####....\n"
              "...#..#.#.......\n"
              "...#..#.#.......\n"
              "...#..#.#.......\n"
              "...####.####....\n"
              "......#....#....\n"
              "......#....#....\n"
              "......#....#....\n"
              "......#.####....\n",
              DigitRows(icon, kWhite));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_TRUE(icon.OpaqueAt(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(0x00FF0000u, icon.ColorAt(0, 15));
    EXPECT_EQ(0x00FFFFFFu, icon.ColorAt(3, 3));
}

TEST(TemperatureIconPixels, CentresOneTwoAndThreeDigits) {
    const std::string rows = DigitRows(ComputeTemperatureIcon(113, 0x00FF00, kWhite), kWhite);
    EXPECT_EQ("...#....#..####.\n"
              "...#....#.....#.\n",
              rows.substr(0, 34));
    // Columns that hold any text pixel, per value.
    auto columns = [](uint16_t value) {
        const IconPixels icon = ComputeTemperatureIcon(value, 0x00FF00, kWhite);
        std::string used;
        for (int x = 0; x < 16; ++x) {
            bool any = false;
            for (int y = 0; y < 16; ++y) {
                any = any || icon.ColorAt(x, y) == DibPixelOf(kWhite);
            }
            used += any ? 'x' : '-';
        }
        return used;
    };
    EXPECT_EQ("-xxxx-xxxx-xxxx-", columns(888));
    EXPECT_EQ("---xxxx-xxxx----", columns(88));
    EXPECT_EQ("------xxxx------", columns(0));
    EXPECT_EQ("---x--xxxx-xxxx-", columns(1888));  // from column 1; the fourth digit is cut off
    EXPECT_EQ("----xxxx-xxxx-xx", columns(65535)); // starts at 4, cut at the edge
}

TEST(TemperatureIconPixels, LaysOutDigitsMostSignificantFirst) {
    const NumberLayout layout = LayOutNumber(113);
    ASSERT_EQ(3, layout.count);
    EXPECT_EQ(1, layout.digits[0]);
    EXPECT_EQ(3, layout.digits[2]);
    EXPECT_EQ(1, layout.firstLeft);
    EXPECT_EQ(1, LayOutNumber(1000).firstLeft);
    EXPECT_EQ(4, LayOutNumber(10000).firstLeft);
    EXPECT_EQ(6, LayOutNumber(0).firstLeft);
    EXPECT_TRUE(DigitRects(10).empty());
    EXPECT_TRUE(DigitRects(-1).empty());
}

TEST(TemperatureIconPixels, EveryDigitHasItsShape) {
    const char* shapes[] = {
        "####\n#..#\n#..#\n#..#\n#..#\n#..#\n#..#\n#..#\n####\n",
        "..#.\n..#.\n..#.\n..#.\n..#.\n..#.\n..#.\n..#.\n..#.\n",
        "####\n...#\n...#\n...#\n####\n#...\n#...\n#...\n####\n",
        "####\n...#\n...#\n...#\n####\n...#\n...#\n...#\n####\n",
        "#..#\n#..#\n#..#\n#..#\n####\n...#\n...#\n...#\n...#\n",
        "####\n#...\n#...\n#...\n####\n...#\n...#\n...#\n####\n",
        "####\n#...\n#...\n#...\n####\n#..#\n#..#\n#..#\n####\n",
        "####\n...#\n...#\n...#\n...#\n...#\n...#\n...#\n...#\n",
        "####\n#..#\n#..#\n#..#\n####\n#..#\n#..#\n#..#\n####\n",
        "####\n#..#\n#..#\n#..#\n####\n...#\n...#\n...#\n...#\n",
    };
    for (uint16_t digit = 0; digit < 10; ++digit) {
        const IconPixels icon = ComputeTemperatureIcon(digit, kNoColor, kRed);
        std::string shape;
        for (int y = 3; y < 12; ++y) {
            for (int x = 6; x < 10; ++x) {
                shape += icon.OpaqueAt(x, y) ? '#' : '.';
            }
            shape += '\n';
        }
        EXPECT_EQ(shapes[digit], shape) << digit;
    }
}

TEST(TemperatureIconPixels, MaskRowsArePaddedToFourBytes) {
    const IconPixels clear = ComputeTemperatureIcon(7, kNoColor, kRed);
    // Bottom row first: row 15 of the picture is stored first and is fully transparent.
    EXPECT_EQ(0xFF, clear.mask[0]);
    EXPECT_EQ(0xFF, clear.mask[1]);
    EXPECT_EQ(0x00, clear.mask[2]);
    EXPECT_EQ(0x00, clear.mask[3]);
    // Picture row 3 (stored row 12): the top bar of the 7 in columns 6..9 is opaque.
    EXPECT_EQ(0xFC, clear.mask[12 * 4]);
    EXPECT_EQ(0x3F, clear.mask[12 * 4 + 1]);
    const IconPixels opaque = ComputeTemperatureIcon(7, 0, kRed);
    for (uint8_t byte : opaque.mask) {
        EXPECT_EQ(0, byte);
    }
    EXPECT_EQ(0x00123456u, DibPixelOf(0xAB563412)); // an upper byte is not a colour
}

} // namespace
} // namespace korvane
