// The settings store over the real Win32 profile functions, registry and shell of the test prefix.
#include "settings/folders.h"
#include "settings/keys.h"
#include "settings/location/data_folder.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "settings/registry.h"
#include "toolkit/files.h"

#include "first_run_settings.h"
#include "registry_win.h"
#include "test_env.h"

#include "settings/location/shell_folder_win.h"
#include "settings/profile_win.h"
#include "settings/registry_win.h"
#include "toolkit/files_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr const char* kProgram = "C:\\Program Files\\Korvane\\KorvaneMonitor.exe";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value as the registry holds it, or nothing.
bool QueryRunValue(std::string& data, DWORD& type) {
    ScopedRegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return false;
    }
    char buffer[512] = {};
    DWORD size = sizeof buffer;
    const LONG rc = RegQueryValueExA(key.Get(), "Brelo_Korvn", nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    data.assign(buffer, size);
    return rc == ERROR_SUCCESS;
}

class Win32SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { test::DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Brelo_Korvn"); }
    OptionsDeps Environment() {
        return OptionsDeps{*profile, *registry, *files, kProgram, "C:\\Program Files\\Korvane\\"};
    }
    std::string dir = test::FreshTempDir("win_settings");
    std::string ini = dir + "\\Korvn.ini";
    std::unique_ptr<ProfilePort> profile = CreateWin32Profile();
    std::unique_ptr<RegistryPort> registry = CreateWin32Registry();
    std::unique_ptr<FileSystemPort> files = CreateWin32FileSystem();
};

TEST_F(Win32SettingsTest, FirstRunCreatesTheWholeFileAndTheAutostartValue) {
    { TOptions options(Environment(), ini); }
    EXPECT_EQ(test::FirstRunSettingsText(), test::ReadFileBytes(ini));
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(QueryRunValue(data, type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string("\"") + kProgram + "\"" + '\0', data);
    EXPECT_TRUE(AutostartEnabled(*registry, kAutostartValueName));

    SetAutostart(*registry, kAutostartValueName, "", false);
    EXPECT_FALSE(QueryRunValue(data, type));
    EXPECT_FALSE(AutostartEnabled(*registry, kAutostartValueName));
}

TEST_F(Win32SettingsTest, AnExistingFileIsLeftAsItIs) {
    const std::string text = "[General]\r\nLogDays=abc\r\nUseCelsius=true\r\n";
    test::WriteFileBytes(ini, text);
    TOptions options(Environment(), ini);
    EXPECT_EQ(text, test::ReadFileBytes(ini));
    std::string data;
    DWORD type = 0;
    EXPECT_FALSE(QueryRunValue(data, type));
    EXPECT_EQ(0, options.General().ReadInteger(key::LogDays.name));
    EXPECT_FALSE(options.General().ReadBool(key::UseCelsius.name));
}

TEST_F(Win32SettingsTest, BadInputLongValuesAndReadOnlyFiles) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 131 + 7) % 256);
    }
    test::WriteFileBytes(ini, "[General]\r\nLogDays= 42\r\n" + garbage);
    TOptions options(Environment(), ini);
    TOptionsSection& general = options.General();
    EXPECT_EQ(42, general.ReadInteger(key::LogDays.name));
    EXPECT_EQ(0, general.ReadInteger("Missing"));

    const std::string value(5000, 'v');
    general.WriteString("Long", value);
    EXPECT_EQ(value.substr(0, 1023), general.ReadString("Long"));

    // Another program holds the file for reading and lets nobody write (the read-only attribute
    // would not do: the tests run as root, which Wine lets write read-only files).
    ScopedFile holder(CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    const std::string before = test::ReadFileBytes(ini);
    EXPECT_FALSE(ProfileWriteInteger(*profile, ini, "General", "LogDays", 9));
    general.WriteInteger(key::LogDays.name, 9);
    EXPECT_EQ(before, test::ReadFileBytes(ini)) << "the file changed";
    EXPECT_EQ(42, general.ReadInteger(key::LogDays.name));
}

// Sets the file's last-write time this many minutes into the past.
void AgeFile(const std::string& path, int minutes) {
    ScopedFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    ticks.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10000000;
    const FILETIME past{ticks.LowPart, ticks.HighPart};
    EXPECT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &past));
}

// The port keeps what it read, but every edit of the file shows at the next read, by whoever
// made it and however small.
TEST_F(Win32SettingsTest, ReadsSeeEveryEditOfTheFile) {
    const auto read = [&](const char* key, const char* fallback = "none") {
        return profile->ReadText(ini, "General", key, fallback);
    };
    test::WriteFileBytes(ini, "[General]\r\nLogDays=3\r\n");
    AgeFile(ini, 60);
    EXPECT_EQ("3", read("LogDays"));
    EXPECT_EQ("none", read("Missing"));
    EXPECT_EQ("other", read("Missing", "other")); // each fallback is its own answer
    EXPECT_EQ("3", read("LogDays"));

    // Edited by hand: the same size, and even a time stamp that goes back.
    test::WriteFileBytes(ini, "[General]\r\nLogDays=7\r\n");
    AgeFile(ini, 90);
    EXPECT_EQ("7", read("LogDays"));
    // Edited just now, twice within the same moment.
    test::WriteFileBytes(ini, "[General]\r\nLogDays=8\r\n");
    EXPECT_EQ("8", read("LogDays"));
    test::WriteFileBytes(ini, "[General]\r\nLogDays=9\r\n");
    EXPECT_EQ("9", read("LogDays"));
    EXPECT_EQ("none", read("Missing"));

    // Written through the port, with the time stamp put back to where it was.
    AgeFile(ini, 60);
    EXPECT_EQ("9", read("LogDays"));
    EXPECT_TRUE(profile->WriteText(ini, "General", "LogDays", "4"));
    EXPECT_TRUE(profile->WriteText(ini, "General", "Missing", "here"));
    AgeFile(ini, 60);
    EXPECT_EQ("4", read("LogDays"));
    EXPECT_EQ("here", read("Missing"));

    // Removed: the fallback, and the file's new contents when it comes back.
    ASSERT_TRUE(DeleteFileA(ini.c_str()));
    EXPECT_EQ("none", read("LogDays"));
    test::WriteFileBytes(ini, "[General]\r\nLogDays=5\r\n");
    AgeFile(ini, 60);
    EXPECT_EQ("5", read("LogDays"));
}

// A poll's reads run inside one ProfileReadRun: the file is looked at once, at the run's first
// read, so a hand edit made meanwhile shows at the next run; a write through the port at once.
TEST_F(Win32SettingsTest, AReadRunLooksAtTheFileOnceAndTheNextRunSeesTheEdit) {
    const auto read = [&](const char* key) {
        return profile->ReadText(ini, "General", key, "none");
    };
    const auto edit = [&](const char* text, int minutesAgo) {
        test::WriteFileBytes(ini, text);
        AgeFile(ini, minutesAgo);
    };
    edit("[General]\r\nLogDays=3\r\n", 60);
    {
        const ProfileReadRun run(*profile);
        EXPECT_EQ("3", read("LogDays"));
        edit("[General]\r\nLogDays=7\r\n", 90);
        EXPECT_EQ("3", read("LogDays"));
        // Written through the port inside the run: the next read looks again.
        EXPECT_TRUE(profile->WriteText(ini, "General", "Other", "x"));
        EXPECT_EQ("7", read("LogDays"));
        EXPECT_EQ("x", read("Other"));
    }
    edit("[General]\r\nLogDays=8\r\n", 60);
    {
        const ProfileReadRun outer(*profile);
        {
            const ProfileReadRun inner(*profile);
            EXPECT_EQ("8", read("LogDays"));
        }
        edit("[General]\r\nLogDays=9\r\n", 90);
        EXPECT_EQ("8", read("LogDays")); // the outer run goes on
    }
    EXPECT_EQ("9", read("LogDays"));
    // Outside a run every read looks, as before.
    edit("[General]\r\nLogDays=5\r\n", 60);
    EXPECT_EQ("5", read("LogDays"));
}

TEST(Win32DataFolder, UsersRoamingAppDataAndTheLogsFolder) {
    auto folders = CreateWin32SpecialFolder();
    const std::string appData = folders->SpecialFolderPath(kCsidlAppData);
    const std::string suffix = "\\AppData\\Roaming";
    ASSERT_GT(appData.size(), suffix.size());
    EXPECT_EQ(suffix, appData.substr(appData.size() - suffix.size())) << appData;
    EXPECT_EQ(0u, appData.find("C:\\users\\")) << appData;
    EXPECT_EQ(appData + "\\Korvane\\", DataFilesFolder(*folders));
    EXPECT_EQ("", folders->SpecialFolderPath(0x7F)); // no such folder

    auto files = CreateWin32FileSystem();
    EXPECT_TRUE(files->FolderExists(appData));
    const std::string data = test::FreshTempDir("win_folders") + "\\a\\b\\Korvane\\";
    CreateLogsFolder(*files, data);
    EXPECT_TRUE(files->FolderExists(data + "logs"));
    EXPECT_FALSE(files->FileExists(data + "logs"));
}

} // namespace
} // namespace korvane
