// The options store over an in-memory profile: first-run file, sections, effective section.
#include "settings/options.h"

#include "settings/keys.h"
#include "settings/registry.h"

#include "fake_profile.h"
#include "fake_registry.h"
#include "first_run_settings.h"
#include "posix_file_system.h"
#include "test_env.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr const char* kProgram = "C:\\Program Files\\Korvane\\KorvaneMonitor.exe";
constexpr const char* kProgramFolder = "C:\\Program Files\\Korvane\\";

class OptionsTest : public ::testing::Test {
  protected:
    OptionsDeps Environment() {
        return OptionsDeps{profile, registry, files, kProgram, kProgramFolder};
    }
    std::string dir = test::FreshTempDir("options");
    std::string ini = test::JoinPath(dir, "Korvn.ini");
    test::FakeProfile profile;
    test::FakeRegistry registry;
    test::PosixFileSystem files;
};

TEST_F(OptionsTest, FirstRunWritesAutostartGeneralAndCommonDefaults) {
    TOptions options(Environment(), ini);
    EXPECT_EQ(test::FirstRunSettingsText(), profile.Text(ini));
    const auto* run = registry.Find(RegistryRoot::CurrentUser, kAutostartKeyPath, "Brelo_Korvn");
    ASSERT_NE(nullptr, run);
    EXPECT_EQ(std::string("\"") + kProgram + "\"" + '\0', run->data);
    EXPECT_EQ(1u, options.DriveSections().Count()); // Drive_COMMON, handed out while writing
}

TEST_F(OptionsTest, ExistingFileIsNotWritten) {
    test::WriteFileBytes(ini, "");
    TOptions options(Environment(), ini);
    EXPECT_EQ(0, profile.Writes());
    EXPECT_EQ(0, registry.Changes());
}

TEST_F(OptionsTest, OneSectionObjectPerExactName) {
    test::WriteFileBytes(ini, "");
    TOptions options(Environment(), ini);
    TOptionsSection& a = options.GetDriveSection("ST3500");
    TOptionsSection& b = options.GetDriveSection("ST3500");
    TOptionsSection& c = options.GetDriveSection("st3500");
    EXPECT_EQ(&a, &b);
    EXPECT_NE(&a, &c);
    EXPECT_EQ("Drive_ST3500", a.SectionName());
    EXPECT_EQ("Drive_st3500", c.SectionName());
    EXPECT_EQ(2u, options.DriveSections().Count());
    EXPECT_EQ("Drive_(unknown)", options.GetDriveSection(DriveSettingsName("")).SectionName());
    EXPECT_EQ(0, profile.Writes()); // a section is only an address
}

TEST(SettingsNames, EveryEntryOfTheTableHasItsNameOnce) {
    for (const SettingsString& entry : kSettingsStrings) {
        EXPECT_EQ(entry.name, SettingsName(entry));
        EXPECT_EQ(&SettingsName(entry), &SettingsName(entry));
    }
}

TEST_F(OptionsTest, AModelCannotWriteSectionsOfItsOwn) {
    test::WriteFileBytes(ini, "");
    TOptions options(Environment(), ini);
    // "]" and a line break would close the section header and start a key of the model's choice.
    TOptionsSection& forged = options.GetDriveSection("X]\r\n[General]\r\nLogEnabled=0");
    EXPECT_EQ("Drive_X____General___LogEnabled=0", forged.SectionName());
    EXPECT_EQ(&forged, &options.GetDriveSection("X]\r\n[General]\r\nLogEnabled=0"));
    EXPECT_EQ("Drive_a_b_c_d", options
                                   .GetDriveSection(std::string("a\x7F"
                                                                "b\tc") +
                                                    '\0' + "d")
                                   .SectionName());
    // Printable models, equals signs and ANSI letters included, keep their names.
    EXPECT_EQ("Drive_WDC WD800JB-00JJC0",
              options.GetDriveSection("WDC WD800JB-00JJC0").SectionName());
    EXPECT_EQ("a=b (c) \xC4", SafeSectionName("a=b (c) \xC4"));
    forged.WriteBool(key::EnableTempControl.name, true);
    EXPECT_EQ("[Drive_X____General___LogEnabled=0]\r\nEnableTempControl=1\r\n", profile.Text(ini));
}

TEST_F(OptionsTest, EffectiveSectionFollowsUseCommonSettingsAsAWhole) {
    TOptions options(Environment(), ini);
    TOptionsSection& own = options.GetDriveSection("WDC WD10");
    own.WriteInteger(key::WarningTemp_Level.name, 40);
    own.WriteBool(key::UseCommonSettings.name, true);
    EXPECT_EQ(50,
              EffectiveDriveSection(options, "WDC WD10").ReadInteger(key::WarningTemp_Level.name));
    // No key-by-key fallback: a key missing in the common section reads 0 even if the disk has it.
    own.WriteInteger("OnlyHere", 7);
    EXPECT_EQ(0, EffectiveDriveSection(options, "WDC WD10").ReadInteger("OnlyHere"));
    own.WriteBool(key::UseCommonSettings.name, false);
    EXPECT_EQ(40,
              EffectiveDriveSection(options, "WDC WD10").ReadInteger(key::WarningTemp_Level.name));
}

TEST_F(OptionsTest, ReadsAreLiteralAndUncached) {
    TOptions options(Environment(), ini);
    TOptionsSection& general = options.General();
    profile.WriteText(ini, "General", "LogDays", "abc");
    profile.WriteText(ini, "General", "UseCelsius", "true");
    EXPECT_EQ(0, general.ReadInteger(key::LogDays.name));
    EXPECT_FALSE(general.ReadBool(key::UseCelsius.name));
    EXPECT_EQ("", general.ReadString("Missing"));
    profile.WriteText(ini, "General", "LogDays", "12");
    EXPECT_EQ(12, general.ReadInteger(key::LogDays.name));
}

TEST_F(OptionsTest, NewDiskSectionGetsTheDefaultsAfterItsOwnKeys) {
    test::WriteFileBytes(ini, "");
    TOptions options(Environment(), ini);
    TOptionsSection& own = options.GetDriveSection("M");
    own.WriteBool(key::EnableTempControl.name, true);
    own.WriteBool(key::UseCommonSettings.name, true);
    options.WriteDriveDefaults("M");
    const std::string common = test::FirstRunSettingsText().substr(
        test::FirstRunSettingsText().find("[Drive_COMMON]") + 16);
    EXPECT_EQ("[Drive_M]\r\nEnableTempControl=1\r\nUseCommonSettings=1\r\n" + common,
              profile.Text(ini));
}

} // namespace
} // namespace korvane
