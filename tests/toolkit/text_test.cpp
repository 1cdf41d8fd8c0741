// Text, number and path helpers.
#include "toolkit/text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(TextToInteger, ReadsSignAndLeadingDigitsOnly) {
    EXPECT_EQ(12, StrToInt("12abc"));
    EXPECT_EQ(0, StrToInt(""));
    EXPECT_EQ(-7, StrToInt("-7"));
    EXPECT_EQ(7, StrToInt("+7"));
    EXPECT_EQ(0, StrToInt("abc"));
    EXPECT_EQ(0, StrToInt("-"));
    EXPECT_EQ(0, StrToInt(" 5")); // no blank skipping here, unlike the profile reader
    EXPECT_EQ(INT32_MIN, StrToInt("-2147483648"));
    EXPECT_EQ(-1, StrToInt("4294967295")); // wraps like 32-bit arithmetic, never undefined
}

TEST(TextToInteger, IntegerAndHexTexts) {
    EXPECT_EQ("0", IntToStr(0));
    EXPECT_EQ("-42", IntToStr(-42));
    EXPECT_EQ("002D000F0023", IntToHex(0x2D000F0023ull, 12));
    EXPECT_EQ("FF", IntToHex(255, 1));
    EXPECT_EQ("00", IntToHex(0, 2));
}

TEST(TextFormat, FormatsAndCutsAt2047) {
    EXPECT_EQ("HDD 1: x", Format("HDD %d: %s", 1, "x"));
    const std::string longText(5000, 'a');
    EXPECT_EQ(2047u, Format("%s", longText.c_str()).size());
}

TEST(PathHelpers, SplitAtLastBackslashOrColon) {
    EXPECT_EQ("C:\\Program Files\\Korvane\\",
              FolderOf("C:\\Program Files\\Korvane\\KorvaneMonitor.exe"));
    EXPECT_EQ("KorvaneMonitor.exe", FileNameOf("C:\\Program Files\\Korvane\\KorvaneMonitor.exe"));
    EXPECT_EQ("C:", FolderOf("C:x.log"));
    EXPECT_EQ("x.log", FileNameOf("C:x.log"));
    EXPECT_EQ("", FolderOf("plain.txt"));
    EXPECT_EQ("plain.txt", FileNameOf("plain.txt"));
    EXPECT_EQ("ST380011A (74,5 GB)", NameWithoutExtension("logs\\ST380011A (74,5 GB).log"));
    EXPECT_EQ("archive.tar", NameWithoutExtension("archive.tar.gz"));
    EXPECT_EQ("noext", NameWithoutExtension("dir.d\\noext"));
    EXPECT_EQ("C:\\A\\", WithTrailingBackslash("C:\\A"));
    EXPECT_EQ("C:\\A\\", WithTrailingBackslash("C:\\A\\"));
    EXPECT_EQ("\\", WithTrailingBackslash(""));
}

TEST(TextTrim, RemovesBlanksAndControlCharacters) {
    EXPECT_EQ("WDC WD800JB", Trim(std::string("  WDC WD800JB\0\0\t ", 18)));
    EXPECT_EQ("a b", Trim("a b"));
    EXPECT_EQ("", Trim(" \r\n"));
}

} // namespace
} // namespace korvane
