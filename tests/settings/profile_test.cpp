// Profile helpers: the integer conversion, booleans, long values, and the autostart switch.
#include "settings/profile.h"
#include "settings/registry.h"

#include "fake_profile.h"
#include "fake_registry.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ProfileInteger, ConvertsBlanksSignDecimalAndHex) {
    EXPECT_EQ(42, ProfileTextToInteger("  42", -5));
    EXPECT_EQ(-42, ProfileTextToInteger("-42", -5));
    EXPECT_EQ(7, ProfileTextToInteger("+7", -5));
    EXPECT_EQ(31, ProfileTextToInteger("$1F", -5));
    EXPECT_EQ(31, ProfileTextToInteger("x1f", -5));
    EXPECT_EQ(16, ProfileTextToInteger("0x10", -5));
    EXPECT_EQ(-16, ProfileTextToInteger("-$10", -5));
    EXPECT_EQ(-1, ProfileTextToInteger("$FFFFFFFF", -5));
    EXPECT_EQ(INT32_MIN, ProfileTextToInteger("-2147483648", -5));
    EXPECT_EQ(INT32_MAX, ProfileTextToInteger("2147483647", -5));
}

TEST(ProfileInteger, AnythingElseGivesTheDefault) {
    for (const char* bad : {"12abc", "", "   ", "-", "+", "$", "x", "$1G", "4 2", "2147483648",
                            "-2147483649", "$100000000", "99999999999999999999", "1.5"}) {
        EXPECT_EQ(-5, ProfileTextToInteger(bad, -5)) << '"' << bad << '"';
    }
}

TEST(ProfileRead, TypedReadsOverTheStoredText) {
    test::FakeProfile profile;
    const std::string f = "k.ini";
    profile.WriteText(f, "S", "one", "1");
    profile.WriteText(f, "S", "zeroOne", "01");
    profile.WriteText(f, "S", "word", "true");
    profile.WriteText(f, "S", "hex", "$1F");
    profile.WriteText(f, "S", "junk", "12abc");
    EXPECT_TRUE(ProfileReadBool(profile, f, "S", "one", false));
    EXPECT_FALSE(ProfileReadBool(profile, f, "S", "zeroOne", true));
    EXPECT_FALSE(ProfileReadBool(profile, f, "S", "word", true));
    EXPECT_FALSE(ProfileReadBool(profile, f, "S", "absent", false));
    EXPECT_TRUE(ProfileReadBool(profile, f, "S", "absent", true));
    EXPECT_EQ(31, ProfileReadInteger(profile, f, "S", "hex", 3));
    EXPECT_EQ(3, ProfileReadInteger(profile, f, "S", "junk", 3));
    EXPECT_EQ(-9, ProfileReadInteger(profile, f, "S", "absent", -9));
    EXPECT_EQ("dflt", ProfileReadString(profile, f, "S", "absent", "dflt"));
}

TEST(ProfileRead, LongValuesComeBackCutTo1023) {
    test::FakeProfile profile;
    const std::string value(5000, 'v');
    ASSERT_TRUE(ProfileWriteString(profile, "k.ini", "S", "long", value));
    EXPECT_EQ(value.substr(0, 1023), ProfileReadString(profile, "k.ini", "S", "long", ""));
}

TEST(ProfileWrite, EncodesIntegersAndBooleansAndKeepsEmptyValues) {
    test::FakeProfile profile;
    ProfileWriteInteger(profile, "k.ini", "S", "i", -20);
    ProfileWriteBool(profile, "k.ini", "S", "t", true);
    ProfileWriteBool(profile, "k.ini", "S", "f", false);
    ProfileWriteString(profile, "k.ini", "S", "e", "");
    EXPECT_EQ("[S]\r\ni=-20\r\nt=1\r\nf=0\r\ne=\r\n", profile.Text("k.ini"));
    profile.MakeReadOnly("k.ini");
    EXPECT_FALSE(ProfileWriteInteger(profile, "k.ini", "S", "i", 5));
    EXPECT_EQ(-20, ProfileReadInteger(profile, "k.ini", "S", "i", 0));
}

TEST(Autostart, WritesReplacesAndRemovesTheRunValue) {
    test::FakeRegistry registry;
    SetAutostart(registry, kAutostartValueName, "C:\\K\\KorvaneMonitor.exe", false);
    EXPECT_EQ(0, registry.Changes()); // nothing to remove: nothing touched
    EXPECT_FALSE(AutostartEnabled(registry, kAutostartValueName));

    SetAutostart(registry, kAutostartValueName, "C:\\Old\\KorvaneMonitor.exe", true);
    SetAutostart(registry, kAutostartValueName, "C:\\K\\KorvaneMonitor.exe", true);
    const auto* value =
        registry.Find(RegistryRoot::CurrentUser,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Brelo_Korvn");
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(RegistryType::String, value->type);
    EXPECT_EQ(std::string("\"C:\\K\\KorvaneMonitor.exe\"\0", 26), value->data);
    EXPECT_TRUE(AutostartEnabled(registry, kAutostartValueName));
    EXPECT_FALSE(AutostartEnabled(registry, "Other"));

    SetAutostart(registry, kAutostartValueName, "ignored", false);
    EXPECT_FALSE(AutostartEnabled(registry, kAutostartValueName));
}

TEST(Autostart, TheCommandIsThePathInQuotes) {
    // Unquoted, Windows would try "C:\Program.exe" first.
    EXPECT_EQ("\"C:\\Program Files\\Korvane\\KorvaneMonitor.exe\"",
              AutostartCommand("C:\\Program Files\\Korvane\\KorvaneMonitor.exe"));
    EXPECT_EQ("\"C:\\K\\K.exe\"", AutostartCommand("\"C:\\K\\K.exe\""));
    EXPECT_EQ("\"\"\"", AutostartCommand("\"")); // a lone quote is no quoted path
    test::FakeRegistry registry;
    SetAutostart(registry, kAutostartValueName, "\"C:\\K\\K.exe\"", true);
    const auto* value = registry.Find(RegistryRoot::CurrentUser, kAutostartKeyPath, "Brelo_Korvn");
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(std::string("\"C:\\K\\K.exe\"") + '\0', value->data);
}

} // namespace
} // namespace korvane
