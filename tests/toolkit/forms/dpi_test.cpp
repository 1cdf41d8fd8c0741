// Scaling of the 96-dpi layouts to a monitor's DPI and back.
#include "toolkit/forms/dpi.h"

#include <gtest/gtest.h>

namespace korvane::forms {
namespace {

constexpr int kScales[] = {96, 120, 144, 168, 192, 240};

TEST(Dpi, ScalesToTheNearestPixelHalvesAwayFromZero) {
    EXPECT_EQ(750, ScaleToDpi(500, 144));
    EXPECT_EQ(615, ScaleToDpi(410, 144));
    EXPECT_EQ(17, ScaleToDpi(11, 144));   // 16.5
    EXPECT_EQ(-17, ScaleToDpi(-11, 144)); // font heights are negative
    EXPECT_EQ(14, ScaleToDpi(11, 120));   // 13.75
    EXPECT_EQ(3, ScaleToDpi(2, 120));     // 2.5
    EXPECT_EQ(0, ScaleToDpi(0, 192));
}

TEST(Dpi, AtTheLayoutDpiEveryLengthStays) {
    for (int length : {-11, 0, 1, 7, 13, 410, 500, 32767})
        EXPECT_EQ(length, ScaleToDpi(length, 96)) << length;
    EXPECT_EQ((Rect{10, 20, 30, 40}), ScaleToDpi(Rect{10, 20, 30, 40}, 96));
}

TEST(Dpi, LengthsReadBackAsTheyWereSetAtEveryScale) {
    for (int dpi : kScales)
        for (int length = -40; length <= 600; ++length)
            ASSERT_EQ(length, ScaleFromDpi(ScaleToDpi(length, dpi), dpi))
                << length << " at " << dpi;
}

TEST(Dpi, MeasuredRoomRoundsUpSoTheTextStillFits) {
    for (int dpi : kScales)
        for (int pixels = 0; pixels <= 400; ++pixels)
            ASSERT_GE(ScaleToDpi(ScaleFromDpiUp(pixels, dpi), dpi), pixels)
                << pixels << " at " << dpi;
    EXPECT_EQ(67, ScaleFromDpiUp(100, 144)); // 66.7
    EXPECT_EQ(67, ScaleFromDpi(100, 144));
    EXPECT_EQ(34, ScaleFromDpiUp(50, 144)); // 33.3
    EXPECT_EQ(33, ScaleFromDpi(50, 144));
}

TEST(Dpi, NonsenseDpiCountsAsTheLayoutDpi) {
    // A failed query answers 0; a layout at 0 dpi would have no size at all.
    EXPECT_EQ(96, ValidDpi(0));
    EXPECT_EQ(96, ValidDpi(-144));
    EXPECT_EQ(96, ValidDpi(100000));
    EXPECT_EQ(144, ValidDpi(144));
    EXPECT_EQ(500, ScaleToDpi(500, 0));
}

} // namespace
} // namespace korvane::forms
