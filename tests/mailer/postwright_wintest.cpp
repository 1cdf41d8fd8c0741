// Postwright.exe run for real under Wine, handing its mails to a stand-in mail client registered
// as the default Simple MAPI client of the test prefix.
#include "mailer/mail.h"
#include "settings/location/data_folder.h"

#include "app_program_win.h"
#include "process_win.h"
#include "registry_win.h"
#include "test_env.h"

#include "settings/location/shell_folder_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace korvane {
namespace {

constexpr const char* kClientsMail = "Software\\Clients\\Mail";
constexpr const char* kClientName = "KorvaneCapture";
constexpr const char* kMessagingSubsystem = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\Postwright.exe";
constexpr const char* kNtCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr DWORD kRunTimeoutMs = 30000;

std::string BuildPath(const char* relative) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    std::string path = std::string(build ? build : ".") + "\\" + relative;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

using test::DeleteRegistryValue;
using test::SetRegistryDword;
using test::SetRegistryString;

// A value of HKEY_LOCAL_MACHINE as it was, put back (or removed again) when the test ends.
class RegistryValueBackup {
  public:
    RegistryValueBackup(std::string key, std::string name)
        : key_(std::move(key)), name_(std::move(name)) {
        ScopedRegistryKey handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_READ, handle.Receive()) !=
            ERROR_SUCCESS) {
            return;
        }
        DWORD size = 0;
        if (RegQueryValueExA(handle.Get(), name_.c_str(), nullptr, &type_, nullptr, &size) ==
            ERROR_SUCCESS) {
            data_.resize(size);
            existed_ =
                RegQueryValueExA(handle.Get(), name_.c_str(), nullptr, &type_,
                                 reinterpret_cast<BYTE*>(data_.data()), &size) == ERROR_SUCCESS;
            data_.resize(size);
        }
    }
    ~RegistryValueBackup() {
        ScopedRegistryKey handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_SET_VALUE, handle.Receive()) !=
            ERROR_SUCCESS) {
            return;
        }
        if (existed_) {
            RegSetValueExA(handle.Get(), name_.c_str(), 0, type_,
                           reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        } else {
            RegDeleteValueA(handle.Get(), name_.c_str());
        }
    }
    RegistryValueBackup(const RegistryValueBackup&) = delete;
    RegistryValueBackup& operator=(const RegistryValueBackup&) = delete;

  private:
    std::string key_;
    std::string name_;
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    std::string data_;
};

// Class and title of each visible top-level window of a process, to tell what a hung run shows.
std::string WindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::string found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            Search& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && IsWindowVisible(window)) {
                char cls[128] = {}, title[256] = {};
                GetClassNameA(window, cls, sizeof cls);
                GetWindowTextA(window, title, sizeof title);
                s.found += std::string("[") + cls + "] \"" + title + "\" ";
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? "none" : search.found;
}

// The capture record: field name to its text, nothing for a null pointer.
using Capture = std::map<std::string, std::optional<std::string>>;

Capture ParseCapture(const std::string& bytes) {
    Capture capture;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t equals = bytes.find('=', at);
        if (equals == std::string::npos) {
            break;
        }
        const std::string name = bytes.substr(at, equals - at);
        if (bytes.compare(equals + 1, 5, "NULL\n") == 0) {
            capture[name] = std::nullopt;
            at = equals + 6;
        } else if (bytes.compare(equals + 1, 4, "SET\n") == 0) {
            capture[name] = "SET";
            at = equals + 5;
        } else {
            const size_t colon = bytes.find(':', equals);
            const size_t length = std::stoul(bytes.substr(equals + 1, colon - equals - 1));
            capture[name] = bytes.substr(colon + 1, length);
            at = colon + 1 + length + 1;
        }
    }
    return capture;
}

class PostwrightProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kClientsMail, nullptr, kClientName));
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE,
                                      std::string(kClientsMail) + "\\" + kClientName, "DLLPath",
                                      BuildPath(KORVANE_MAPI_CAPTURE_DLL)));
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kMessagingSubsystem, "MAPI", "1"));
        ASSERT_TRUE(SetEnvironmentVariableA("KORVANE_MAPI_CAPTURE", capturePath.c_str()));
        std::unique_ptr<SpecialFolderPort> folders = CreateWin32SpecialFolder();
        dataFolder = DataFilesFolder(*folders);
        debugLog = dataFolder + kDebugLogName;
        createdFolder = CreateDirectoryA(dataFolder.c_str(), nullptr) != FALSE;
        DeleteFileA(debugLog.c_str());
    }

    void TearDown() override {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kClientsMail, nullptr);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kClientsMail) + "\\" + kClientName).c_str());
        SetRegistryString(HKEY_LOCAL_MACHINE, kMessagingSubsystem, "MAPI", "1");
        RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
        SetEnvironmentVariableA("KORVANE_MAPI_CAPTURE", nullptr);
        DeleteFileA(debugLog.c_str());
        if (createdFolder) {
            RemoveDirectoryA(dataFolder.c_str());
        }
    }

    void SetReportedVersion(const char* version) {
        ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, kAppDefaults, "Version", version));
    }

    void WriteDebugLog() {
        test::WriteFileBytes(debugLog, "[07/Dec/2024 10:00:00] [notice] x\r\n");
    }

    // Runs Postwright.exe with the given arguments to its end; its exit code.
    DWORD Run(const std::string& args) {
        DeleteFileA(capturePath.c_str());
        std::string commandLine = "\"" + BuildPath(KORVANE_POSTWRIGHT_EXE) + "\"";
        if (!args.empty()) {
            commandLine += " " + args;
        }
        test::Process process;
        if (!process.StartCommand(commandLine)) {
            ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
            return ~0u;
        }
        if (process.WaitExit(kRunTimeoutMs))
            return process.ExitCode();
        const std::string shown = WindowsOf(process.Id());
        process.Kill(99, kRunTimeoutMs);
        ADD_FAILURE() << commandLine << " did not end within " << kRunTimeoutMs
                      << " ms; its windows: " << shown;
        return ~0u;
    }

    // Runs a bug report and checks its OS lines against the expected system; the mail's body.
    std::string ExpectOsLines(uint32_t platform, uint32_t major, uint32_t minor,
                              const std::string& name) {
        EXPECT_EQ(0u, Run("BUG"));
        EXPECT_TRUE(Captured());
        const std::string note = ReadCapture()["msg.note"].value_or("");
        EXPECT_NE(std::string::npos, note.find("\r\nOS: " + name + "\r\n")) << note;
        // The rest of the body, build number included, as the program's own text builder makes it.
        const size_t build = note.find("OS Build: ");
        EXPECT_NE(std::string::npos, build);
        if (build == std::string::npos) {
            return note;
        }
        const uint32_t number = std::strtoul(note.c_str() + build + 10, nullptr, 10);
        EXPECT_EQ(BugReportBody({major, minor, number, platform, ""}), note);
        if (platform == 1) {
            // The whole field: on the 95/98 family its high word carries the version.
            EXPECT_EQ((major << 8) | minor, number >> 16);
        } else {
            EXPECT_LT(number, 0x10000u);
        }
        return note;
    }

    bool Captured() const {
        return GetFileAttributesA(capturePath.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    Capture ReadCapture() const { return ParseCapture(test::ReadFileBytes(capturePath)); }

    std::string capturePath = test::FreshTempDir("postwright") + "\\capture.txt";
    std::string dataFolder;
    std::string debugLog;
    bool createdFolder = false;
};

using Opt = std::optional<std::string>;

TEST_F(PostwrightProgramTest, BugReportCarriesTheDebugLogAndTheExactRecords) {
    SetReportedVersion("winxp");
    WriteDebugLog();
    EXPECT_EQ(0u, Run("BUG"));
    ASSERT_TRUE(Captured());
    Capture c = ReadCapture();
    EXPECT_EQ(Opt("0"), c["session"]);
    EXPECT_EQ(Opt("0"), c["uiParam"]);
    EXPECT_EQ(Opt("11"), c["flags"]);
    EXPECT_EQ(Opt("0"), c["reserved"]);
    EXPECT_EQ(Opt("0"), c["msg.flags"]);
    EXPECT_EQ(Opt("Korvane BUG REPORT!"), c["msg.subject"]);
    EXPECT_EQ(Opt(BugReportBody({5, 1, 2600, 2, ""})), c["msg.note"]);
    EXPECT_EQ(std::nullopt, c.at("msg.type"));
    EXPECT_EQ(std::nullopt, c.at("msg.date"));
    EXPECT_EQ(std::nullopt, c.at("msg.conversation"));
    EXPECT_EQ(std::nullopt, c.at("msg.originator"));
    EXPECT_EQ(Opt("1"), c["msg.recipCount"]);
    EXPECT_EQ(Opt("1"), c["recip0.class"]);
    EXPECT_EQ(Opt("Korvane developers"), c["recip0.name"]);
    EXPECT_EQ(Opt("bugs@korvane.example"), c["recip0.address"]);
    EXPECT_EQ(Opt("0"), c["recip0.eidSize"]);
    EXPECT_EQ(std::nullopt, c.at("recip0.eid"));
    EXPECT_EQ(Opt("1"), c["msg.fileCount"]);
    EXPECT_EQ(Opt("0"), c["file0.flags"]);
    EXPECT_EQ(Opt("0"), c["file0.position"]);
    EXPECT_EQ(Opt(debugLog), c["file0.path"]);
    EXPECT_EQ(std::nullopt, c.at("file0.name"));
    EXPECT_EQ(std::nullopt, c.at("file0.type"));
}

TEST_F(PostwrightProgramTest, BugReportWithoutDebugLogHasNoFiles) {
    EXPECT_EQ(0u, Run("BUG and more"));
    ASSERT_TRUE(Captured());
    Capture c = ReadCapture();
    EXPECT_EQ(Opt("0"), c["msg.fileCount"]);
    EXPECT_EQ(std::nullopt, c.at("msg.files"));
    EXPECT_EQ(0u, c.count("file0.path"));
}

TEST_F(PostwrightProgramTest, OsLinesFollowTheReportedVersion) {
    struct Row {
        const char* wine;
        uint32_t platform, major, minor;
        const char* name;
    };
    // Windows 8.1 and 10 report their own numbers only to a program whose manifest lists them.
    const Row rows[] = {
        {"win2k", 2, 5, 0, "Windows 2000"}, {"winxp", 2, 5, 1, "Windows XP"},
        {"nt40", 2, 4, 0, "Windows NT"},    {"win98", 1, 4, 10, "Windows 98"},
        {"win95", 1, 4, 0, "Windows 95"},   {"vista", 2, 6, 0, "Windows Vista"},
        {"win7", 2, 6, 1, "Windows 7"},     {"win8", 2, 6, 2, "Windows 8"},
        {"win81", 2, 6, 3, "Windows 8.1"},  {"win10", 2, 10, 0, "Windows 10"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.wine);
        SetReportedVersion(row.wine);
        ExpectOsLines(row.platform, row.major, row.minor, row.name);
    }
}

// Wine reports the chosen version whatever the manifest says, so the list is read from the file.
TEST(PostwrightManifest, NamesTheSystemsTheOsLinesTellApart) {
    const ScopedModule program(LoadLibraryExA(BuildPath(KORVANE_POSTWRIGHT_EXE).c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_NE(nullptr, program.Get());
    const std::string xml = test::ManifestOf(program.Get());
    EXPECT_NE(std::string::npos, xml.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, xml.find("level=\"asInvoker\""));
    // No window of its own; the mail client's dialog runs in this process, and a client that
    // knows nothing of DPI is stretched by the system only while the process is DPI-unaware.
    EXPECT_EQ(std::string::npos, xml.find("dpiAware"));
    for (const char* os : test::kSupportedOsIds) {
        EXPECT_NE(std::string::npos, xml.find(std::string("<supportedOS Id=\"") + os + "\"/>"))
            << os;
    }
}

// Windows 11 is 10.0 with a build of 22000 or more. Wine has no per-program setting for it, but
// without one it reports what the system's own registry values say, as Windows keeps them.
TEST_F(PostwrightProgramTest, Windows11IsToldByItsBuild) {
    RegistryValueBackup major(kNtCurrentVersion, "CurrentMajorVersionNumber");
    RegistryValueBackup minor(kNtCurrentVersion, "CurrentMinorVersionNumber");
    RegistryValueBackup build(kNtCurrentVersion, "CurrentBuildNumber");
    RegistryValueBackup version(kNtCurrentVersion, "CurrentVersion");
    ASSERT_TRUE(
        SetRegistryDword(HKEY_LOCAL_MACHINE, kNtCurrentVersion, "CurrentMajorVersionNumber", 10));
    ASSERT_TRUE(
        SetRegistryDword(HKEY_LOCAL_MACHINE, kNtCurrentVersion, "CurrentMinorVersionNumber", 0));
    // Wine takes the version from this text (Windows itself keeps "6.3" there since 8.1).
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kNtCurrentVersion, "CurrentVersion", "10.0"));
    for (const char* number : {"22000", "19045"}) {
        SCOPED_TRACE(number);
        ASSERT_TRUE(
            SetRegistryString(HKEY_LOCAL_MACHINE, kNtCurrentVersion, "CurrentBuildNumber", number));
        const std::string note =
            ExpectOsLines(2, 10, 0, std::string(number) == "22000" ? "Windows 11" : "Windows 10");
        EXPECT_NE(std::string::npos, note.find(std::string("\r\nOS Build: ") + number + "\r\n"));
    }
}

TEST_F(PostwrightProgramTest, ContactMailGoesToSupport) {
    EXPECT_EQ(0u, Run("CNT"));
    ASSERT_TRUE(Captured());
    Capture c = ReadCapture();
    EXPECT_EQ(Opt("11"), c["flags"]);
    EXPECT_EQ(Opt("Korvane"), c["msg.subject"]);
    EXPECT_EQ(Opt(""), c["msg.note"]);
    EXPECT_EQ(Opt("1"), c["msg.recipCount"]);
    EXPECT_EQ(Opt("1"), c["recip0.class"]);
    EXPECT_EQ(Opt(""), c["recip0.name"]);
    EXPECT_EQ(Opt("support@korvane.example"), c["recip0.address"]);
    EXPECT_EQ(Opt("0"), c["msg.fileCount"]);
}

TEST_F(PostwrightProgramTest, OtherArgumentsSendNothing) {
    WriteDebugLog();
    for (const char* args : {"", "bug", "cnt", "HELP BUG"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(0u, Run(args));
        EXPECT_FALSE(Captured());
    }
}

TEST_F(PostwrightProgramTest, WithoutSimpleMapiEndsQuietly) {
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kMessagingSubsystem, "MAPI", "0"));
    EXPECT_EQ(0u, Run("BUG"));
    EXPECT_FALSE(Captured());
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kMessagingSubsystem, "MAPI", "1 "));
    EXPECT_EQ(0u, Run("CNT"));
    EXPECT_FALSE(Captured());
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kMessagingSubsystem, "MAPI");
    EXPECT_EQ(0u, Run("CNT"));
    EXPECT_FALSE(Captured());
}

TEST_F(PostwrightProgramTest, WithoutRegisteredClientEndsQuietly) {
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kClientsMail, nullptr);
    EXPECT_EQ(0u, Run("BUG"));
    EXPECT_FALSE(Captured());
}

} // namespace
} // namespace korvane
