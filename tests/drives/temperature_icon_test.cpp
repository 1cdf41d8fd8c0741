// The indicator's pixels: digit shapes, centring, clipping, colours and the transparency mask.
#include "drives/temperature_icon.h"
#include "toolkit/taskbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

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

// Larger taskbars: the sized icons, their glyphs and the size choice.

// Top row first, as Picture.
std::string SizedPicture(const SizedIconPixels& icon, uint32_t text) {
    std::string rows;
    for (int y = 0; y < icon.size; ++y) {
        for (int x = 0; x < icon.size; ++x)
            rows += !icon.OpaqueAt(x, y) ? ' ' : icon.ColorAt(x, y) == DibPixelOf(text) ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

TEST(TemperatureIconSizes, SixteenPixelsAreTheClassicIconBitForBit) {
    for (uint16_t value : {0, 7, 45, 99, 113, 122, 212, 1888, 65535}) {
        for (uint32_t background : {kNoColor, kRed}) {
            const IconPixels classic = ComputeTemperatureIcon(value, background, kWhite);
            const SizedIconPixels sized = ComputeTemperatureIcon(value, background, kWhite, 16);
            EXPECT_TRUE(std::equal(classic.color.begin(), classic.color.end(), sized.color.begin(),
                                   sized.color.end()))
                << value;
            EXPECT_TRUE(std::equal(classic.mask.begin(), classic.mask.end(), sized.mask.begin(),
                                   sized.mask.end()))
                << value;
        }
    }
    const GlyphMetrics sixteen = GlyphMetricsFor(16);
    for (int digit = 0; digit < 10; ++digit) {
        const auto table = DigitRects(digit);
        const std::vector<PixelRect> built = GlyphRects(digit, sixteen);
        ASSERT_EQ(table.size(), built.size()) << digit;
        for (size_t i = 0; i < built.size(); ++i) {
            EXPECT_EQ(table[i].left, built[i].left) << digit;
            EXPECT_EQ(table[i].top, built[i].top) << digit;
            EXPECT_EQ(table[i].right, built[i].right) << digit;
            EXPECT_EQ(table[i].bottom, built[i].bottom) << digit;
        }
    }
}

TEST(TemperatureIconSizes, ThirtyTwoPixelsAreSixteenAtTwiceTheScale) {
    // Every digit but the 1, which stands in the middle of its place from 20 pixels on.
    for (uint16_t value : {7, 45, 820, 963}) {
        const IconPixels small = ComputeTemperatureIcon(value, kNoColor, kRed);
        const SizedIconPixels big = ComputeTemperatureIcon(value, kNoColor, kRed, 32);
        // Each centred in its own icon: compared from the first digit's top-left corner.
        const SizedNumberLayout at16 = LayOutNumber(value, 16), at32 = LayOutNumber(value, 32);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int dx = x - at32.number.firstLeft, dy = y - at32.top;
                const int sx = at16.number.firstLeft + (dx >= 0 ? dx / 2 : -1 - 16);
                const int sy = at16.top + (dy >= 0 ? dy / 2 : -1 - 16);
                const bool inside = sx >= 0 && sx < 16 && sy >= 0 && sy < 16;
                ASSERT_EQ(inside && small.OpaqueAt(sx, sy), big.OpaqueAt(x, y))
                    << value << " at " << x << "," << y;
            }
        }
    }
}

TEST(TemperatureIconSizes, EveryValueFitsWholeAtEverySizeWithDigitsApart) {
    for (int size : kGlyphSizes) {
        const GlyphMetrics m = GlyphMetricsFor(size);
        EXPECT_EQ(0, (m.height - 3 * m.stroke) % 2) << size; // two equal openings
        for (uint16_t value : {7, 45, 99, 122, 212, 491}) {
            const SizedIconPixels icon = ComputeTemperatureIcon(value, kNoColor, kRed, size);
            const SizedNumberLayout layout = LayOutNumber(value, size);
            // Every stroke lands inside the icon with a free pixel around the number.
            std::string columns;
            int pixels = 0;
            for (int x = 0; x < size; ++x) {
                bool any = false;
                for (int y = 0; y < size; ++y) {
                    any = any || icon.OpaqueAt(x, y);
                    pixels += icon.OpaqueAt(x, y) ? 1 : 0;
                }
                columns += any ? 'x' : '-';
            }
            EXPECT_EQ('-', columns.front()) << size << " " << value << " " << columns;
            EXPECT_EQ('-', columns.back()) << size << " " << value << " " << columns;
            EXPECT_GE(layout.top, 1) << size;
            EXPECT_LE(layout.top + m.height, size - 1) << size;
            // Digits never touch: the columns between them stay empty (a 1 is narrower).
            const int advance = m.width + m.gap;
            for (int i = 1; i < layout.number.count; ++i) {
                const int gapStart = layout.number.firstLeft + i * advance - m.gap;
                for (int g = 0; g < m.gap; ++g)
                    EXPECT_EQ('-', columns[gapStart + g]) << size << " " << value << " " << columns;
            }
            EXPECT_GT(pixels, 0);
        }
    }
}

TEST(TemperatureIconSizes, TwentyFourPixelsDrawTwoPixelStrokes) {
    // Rows 5..18: two-pixel bars and columns, openings of four rows.
    const std::string picture = SizedPicture(ComputeTemperatureIcon(45, kNoColor, kRed, 24), kRed);
    const std::string rows = picture.substr(5 * 25, 14 * 25);
    EXPECT_EQ("     ##  ##  ######     \n"
              "     ##  ##  ######     \n"
              "     ##  ##  ##         \n"
              "     ##  ##  ##         \n"
              "     ##  ##  ##         \n"
              "     ##  ##  ##         \n"
              "     ######  ######     \n"
              "     ######  ######     \n"
              "         ##      ##     \n"
              "         ##      ##     \n"
              "         ##      ##     \n"
              "         ##      ##     \n"
              "         ##  ######     \n"
              "         ##  ######     \n",
              rows);
}

TEST(TemperatureIconSizes, SizeFollowsTheTaskbarsMetricWithinBounds) {
    EXPECT_EQ(16, SmallIconSizeForDpi(96));
    EXPECT_EQ(20, SmallIconSizeForDpi(120));
    EXPECT_EQ(24, SmallIconSizeForDpi(144));
    EXPECT_EQ(32, SmallIconSizeForDpi(192));
    EXPECT_EQ(16, SmallIconSizeForDpi(0));
    EXPECT_EQ(16, IndicatorIconSize(12));
    EXPECT_EQ(20, IndicatorIconSize(20));
    EXPECT_EQ(64, IndicatorIconSize(96));
    // Between glyph sizes the icon keeps the shell's size and the next smaller glyphs.
    EXPECT_EQ(GlyphMetricsFor(16), GlyphMetricsFor(18));
    EXPECT_EQ(GlyphMetricsFor(20), GlyphMetricsFor(23));
    EXPECT_EQ(GlyphMetricsFor(40), GlyphMetricsFor(64));
    EXPECT_EQ(18, ComputeTemperatureIcon(45, kNoColor, kRed, 18).size);
}

TEST(TemperatureIconSizes, TheOneStandsInTheMiddleOfItsPlace) {
    for (int size : kGlyphSizes) {
        if (size == 16)
            continue; // the table's own place, kept
        const GlyphMetrics m = GlyphMetricsFor(size);
        const PixelRect one = GlyphRects(1, m).front();
        const int leftRoom = one.left, rightRoom = m.width - one.right;
        EXPECT_LE(std::abs(leftRoom - rightRoom), 1) << size;
        EXPECT_GE(leftRoom, rightRoom) << size; // rounded to the right, as at 16 pixels
        EXPECT_EQ(m.stroke, one.right - one.left) << size;
    }
}

} // namespace
} // namespace korvane
