// The colour combo box's list of entries.
#include "toolkit/forms/colors.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::forms {
namespace {

TEST(ColorList, SixteenNamedColoursInOrderTransparentFirstOnlyWhenAllowed) {
    const auto plain = ColorListEntries(false);
    ASSERT_EQ(16u, plain.size());
    EXPECT_EQ(std::string("Black"), plain[0].name);
    EXPECT_EQ(0x000080u, plain[1].value); // Maroon: 0x00BBGGRR, red in the low byte
    EXPECT_EQ(std::string("Gray"), plain[7].name);
    EXPECT_EQ(std::string("Silver"), plain[8].name);
    EXPECT_EQ(0x0000FFu, plain[9].value);
    EXPECT_EQ(std::string("White"), plain[15].name);
    EXPECT_EQ(-1, FindColorEntry(plain, kNoColor));

    const auto with = ColorListEntries(true);
    ASSERT_EQ(17u, with.size());
    EXPECT_EQ(std::string("Transparent"), with[0].name);
    EXPECT_EQ(0, FindColorEntry(with, 0x1FFFFFFF));
    EXPECT_EQ(16, FindColorEntry(with, 0xFFFFFF));
}

TEST(ColorList, UnknownValuesFindNothing) {
    const auto entries = ColorListEntries(true);
    EXPECT_EQ(-1, FindColorEntry(entries, 0x123456));
    EXPECT_EQ(-1, FindColorEntry(entries, -1));
    EXPECT_EQ(-1, FindColorEntry(entries, kColorWindow)); // system colours are not listed
    EXPECT_EQ(1, FindColorEntry(entries, 0));
}

} // namespace
} // namespace korvane::forms
