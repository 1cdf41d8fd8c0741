// The indicator's colours per taskbar: contrast of the default colours on dark and light
// taskbars, High Contrast, and chosen colours kept.
#include "drives/temperature_icon_colors.h"

#include "toolkit/color.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace korvane {
namespace {

// Windows 10 and 11 dark taskbars, Windows 11 and 10 light ones.
constexpr uint32_t kDarkTaskbars[] = {0x000000, 0x101010, 0x1C1C1C, 0x202020, 0x2B2B2B};
constexpr uint32_t kLightTaskbars[] = {0xFFFFFF, 0xF3F3F3, 0xEEEEEE, 0xE4E4E4};
constexpr const char* kStates[] = {"normal", "warning", "critical"};

TaskbarLook Themed(TaskbarTheme theme) {
    TaskbarLook look;
    look.theme = theme;
    return look;
}

// What the digits are seen against: their own background, else the taskbar.
double DigitContrast(const IndicatorColors& colors, uint32_t taskbar) {
    return ContrastRatio(colors.text, colors.background == kNoColor ? taskbar : colors.background);
}

TEST(IndicatorColors, DefaultsReachFourAndAHalfToOneOnEveryTaskbarOfTheirTheme) {
    for (int state = 0; state < 3; ++state) {
        const IndicatorColors dark =
            ColorsForTaskbar(kFirstRunIndicatorColors[state], Themed(TaskbarTheme::Dark));
        const IndicatorColors light =
            ColorsForTaskbar(kFirstRunIndicatorColors[state], Themed(TaskbarTheme::Light));
        for (uint32_t taskbar : kDarkTaskbars) {
            const double ratio = DigitContrast(dark, taskbar);
            EXPECT_GE(ratio, 4.5) << kStates[state] << " on dark " << std::hex << taskbar;
            std::printf("%-8s dark  %06X %.2f\n", kStates[state], taskbar, ratio);
        }
        for (uint32_t taskbar : kLightTaskbars) {
            const double ratio = DigitContrast(light, taskbar);
            EXPECT_GE(ratio, 4.5) << kStates[state] << " on light " << std::hex << taskbar;
            std::printf("%-8s light %06X %.2f\n", kStates[state], taskbar, ratio);
        }
    }
    // The classic blue on a dark taskbar, the reason for all this: well below.
    EXPECT_LT(DigitContrast(kFirstRunIndicatorColors[0], 0x202020), 2.0);
}

TEST(IndicatorColors, StatesStayApartAndWarningsKeepNoBackground) {
    for (TaskbarTheme theme : {TaskbarTheme::Dark, TaskbarTheme::Light}) {
        const IndicatorColors normal = ColorsForTaskbar(kFirstRunIndicatorColors[0], Themed(theme));
        const IndicatorColors warning =
            ColorsForTaskbar(kFirstRunIndicatorColors[1], Themed(theme));
        const IndicatorColors critical =
            ColorsForTaskbar(kFirstRunIndicatorColors[2], Themed(theme));
        EXPECT_NE(normal.text, warning.text);
        EXPECT_EQ(kNoColor, normal.background);
        EXPECT_EQ(kNoColor, warning.background);
        EXPECT_NE(kNoColor, critical.background);
    }
}

TEST(IndicatorColors, ChosenColoursAndAnUnknownThemeKeepWhatIsStored) {
    const IndicatorColors chosen{kNoColor, 0x00FF00};
    EXPECT_EQ(chosen, ColorsForTaskbar(chosen, Themed(TaskbarTheme::Dark)));
    // One of a default pair changed is a choice too.
    const IndicatorColors halfChanged{0x000000, 0xFFFFFF};
    EXPECT_EQ(halfChanged, ColorsForTaskbar(halfChanged, Themed(TaskbarTheme::Light)));
    TaskbarLook contrast = Themed(TaskbarTheme::Dark);
    contrast.highContrast = true;
    EXPECT_EQ(chosen, ColorsForTaskbar(chosen, contrast));
    for (const IndicatorColors& first : kFirstRunIndicatorColors)
        EXPECT_EQ(first, ColorsForTaskbar(first, Themed(TaskbarTheme::Unknown)));
}

TEST(IndicatorColors, HighContrastTakesTheSchemesColours) {
    TaskbarLook look = Themed(TaskbarTheme::Light);
    look.highContrast = true;
    look.windowText = 0x00FFFF; // yellow on black, one of the system's schemes
    look.window = 0x000000;
    look.highlightText = 0x000000;
    look.highlight = 0xFFFF00;
    EXPECT_EQ((IndicatorColors{kNoColor, 0x00FFFF}),
              ColorsForTaskbar(kFirstRunIndicatorColors[0], look));
    EXPECT_EQ((IndicatorColors{0xFFFF00, 0x000000}),
              ColorsForTaskbar(kFirstRunIndicatorColors[1], look));
    EXPECT_EQ((IndicatorColors{0x00FFFF, 0x000000}),
              ColorsForTaskbar(kFirstRunIndicatorColors[2], look));
}

TEST(IndicatorColors, ContrastRatioIsWcags) {
    EXPECT_NEAR(21.0, ContrastRatio(0x000000, 0xFFFFFF), 1e-9);
    EXPECT_NEAR(1.0, ContrastRatio(0x123456, 0x123456), 1e-9);
    EXPECT_NEAR(4.0, ContrastRatio(0xFFFFFF, 0x0000FF), 0.01); // white on pure red
    EXPECT_NEAR(0.0722, RelativeLuminance(0xFF0000), 1e-4);    // 0x00BBGGRR: blue
}

} // namespace
} // namespace korvane
