// Argument dispatch, the debug-log attachment and the Simple MAPI decisions, over fake ports.
#include "mailer/postwright.h"
#include "settings/location/data_folder.h"

#include "fake_os_version.h"
#include "fake_special_folders.h"

#include <gtest/gtest.h>

#include <set>

namespace korvane {
namespace {

// Records what Postwright asks of Simple MAPI; answers as configured.
class FakeMapi final : public MapiPort {
  public:
    std::optional<std::string> registryValue = std::string("1\0", 2);
    int32_t profileValue = 1;
    bool clientRegistered = true;
    bool libraryLoads = true;
    bool hasSendMail = true;

    int registryReads = 0, profileReads = 0, loads = 0, lookups = 0;
    std::vector<MailMessage> sent;
    std::vector<uint32_t> flags;

    std::optional<std::string> MessagingSubsystemMapi() override {
        ++registryReads;
        return registryValue;
    }
    bool MailClientRegistered() override { return clientRegistered; }
    int32_t ProfileMailMapi() override {
        ++profileReads;
        return profileValue;
    }
    bool LoadMapiLibrary() override {
        ++loads;
        return libraryLoads;
    }
    bool FindSendMail() override {
        ++lookups;
        return hasSendMail;
    }
    uint32_t SendMail(const MailMessage& mail, uint32_t sendFlags) override {
        sent.push_back(mail);
        flags.push_back(sendFlags);
        return 0;
    }
};

class PostwrightTest : public ::testing::Test {
  protected:
    PostwrightTest() { folders.paths[kCsidlAppData] = "C:\\Users\\A\\AppData\\Roaming"; }
    int Run(std::vector<std::string> args) {
        PostwrightDeps services{mapi, os, folders, [this](const std::string& path) {
                                    return existing.count(path) > 0;
                                }};
        return RunPostwright(args, services);
    }
    FakeMapi mapi;
    test::FixedOsVersion os{kPlatformWin32Nt, 5, 1, 2600};
    test::FakeSpecialFolders folders;
    std::set<std::string> existing;
};

TEST_F(PostwrightTest, OnlyAnExactFirstArgumentActs) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"bug"}, {"cnt"}, {"BUG "}, {""}, {"x", "BUG"}}) {
        EXPECT_EQ(0, Run(args));
    }
    // Nothing was even loaded: no registry look, no library.
    EXPECT_EQ(0, mapi.registryReads);
    EXPECT_EQ(0, mapi.loads);
    EXPECT_TRUE(mapi.sent.empty());

    EXPECT_EQ(0, Run({"BUG", "x", "CNT"}));
    EXPECT_EQ(0, Run({"CNT", "BUG"}));
    ASSERT_EQ(2u, mapi.sent.size());
    EXPECT_EQ("Korvane BUG REPORT!", mapi.sent[0].subject);
    EXPECT_EQ("Korvane", mapi.sent[1].subject);
    EXPECT_EQ((std::vector<uint32_t>{0x0B, 0x0B}), mapi.flags);
}

TEST_F(PostwrightTest, DebugLogAttachedOnlyWhenItExists) {
    Run({"BUG"});
    existing.insert("C:\\Users\\A\\AppData\\Roaming\\Korvane\\debug.log");
    Run({"BUG"});
    folders.paths[kCsidlAppData] =
        "C:\\Users\\B\\"; // a shell path ending in a backslash gets no second one
    existing.insert("C:\\Users\\B\\Korvane\\debug.log");
    Run({"BUG"});
    ASSERT_EQ(3u, mapi.sent.size());
    EXPECT_FALSE(mapi.sent[0].attachment);
    ASSERT_TRUE(mapi.sent[1].attachment);
    EXPECT_EQ("C:\\Users\\A\\AppData\\Roaming\\Korvane\\debug.log",
              mapi.sent[1].attachment->pathName);
    ASSERT_TRUE(mapi.sent[2].attachment);
    EXPECT_EQ("C:\\Users\\B\\Korvane\\debug.log", mapi.sent[2].attachment->pathName);
}

TEST_F(PostwrightTest, FailedFolderLookupLooksAtTheDriveRoot) {
    folders.paths[kCsidlAppData].clear();
    existing.insert("\\Korvane\\debug.log");
    Run({"BUG"});
    ASSERT_EQ(1u, mapi.sent.size());
    ASSERT_TRUE(mapi.sent[0].attachment);
    EXPECT_EQ("\\Korvane\\debug.log", mapi.sent[0].attachment->pathName);
}

TEST_F(PostwrightTest, BugReportDescribesTheReportedSystem) {
    os.info = {4, 10, 2222, kPlatformWin32Windows, ""};
    Run({"BUG"});
    ASSERT_EQ(1u, mapi.sent.size());
    EXPECT_EQ(BugReportBody(os.info), mapi.sent[0].noteText);
    EXPECT_NE(std::string::npos, mapi.sent[0].noteText.find("OS: Windows 98\r\n"));
}

TEST(MapiTest, RegistryValueMustBeExactlyOne) {
    const OsVersionInfo xp{5, 1, 2600, kPlatformWin32Nt, ""};
    struct Case {
        std::optional<std::string> value;
        bool sends;
    };
    const Case cases[] = {
        {std::string("1\0", 2), true},
        {std::string("1", 1), true}, // no terminator stored: the zeroed buffer supplies it
        {std::string("1\0\0\0", 4), true},
        {std::string("0\0", 2), false},
        {std::string("11\0", 3), false},
        {std::string("1 \0", 3), false},
        {std::string("", 0), false},
        {std::nullopt, false}, // key or value missing
    };
    for (const Case& c : cases) {
        FakeMapi mapi;
        mapi.registryValue = c.value;
        MapiMailer(mapi, xp).Send(ContactMail());
        EXPECT_EQ(c.sends, mapi.sent.size() == 1) << (c.value ? *c.value : "(none)");
        EXPECT_EQ(c.sends ? 1 : 0, mapi.loads);
        EXPECT_EQ(0, mapi.profileReads);
    }
}

TEST(MapiTest, NoRegisteredClientMeansNoMapi) {
    FakeMapi mapi;
    mapi.clientRegistered = false;
    EXPECT_EQ(
        kMapiUnavailable,
        MapiMailer(mapi, OsVersionInfo{5, 1, 2600, kPlatformWin32Nt, ""}).Send(ContactMail()));
    EXPECT_EQ(0, mapi.loads);
    // Systems of the profile file know no client registration.
    MapiMailer(mapi, OsVersionInfo{3, 51, 1057, kPlatformWin32Nt, ""}).Send(ContactMail());
    EXPECT_EQ(1u, mapi.sent.size());
}

TEST(MapiTest, SystemsUpToNt351UseTheProfileFile) {
    for (const OsVersionInfo& os :
         {OsVersionInfo{3, 51, 1057, kPlatformWin32Nt, ""}, OsVersionInfo{3, 10, 0, 0, ""}}) {
        FakeMapi mapi;
        mapi.registryValue = std::nullopt;
        mapi.profileValue = 0;
        EXPECT_EQ(kMapiUnavailable, MapiMailer(mapi, os).Send(ContactMail()));
        mapi.profileValue = 1;
        MapiMailer(mapi, os).Send(ContactMail());
        EXPECT_EQ(0, mapi.registryReads);
        EXPECT_EQ(2, mapi.profileReads);
        EXPECT_EQ(1u, mapi.sent.size());
    }
    FakeMapi mapi; // 3.52 is past 3.51: the registry decides
    mapi.profileValue = 0;
    MapiMailer(mapi, OsVersionInfo{3, 52, 0, kPlatformWin32Nt, ""}).Send(ContactMail());
    EXPECT_EQ(1, mapi.registryReads);
    EXPECT_EQ(1u, mapi.sent.size());
}

TEST(MapiTest, LoadsOnceAndFailsQuietlyWithoutLibraryOrEntry) {
    const OsVersionInfo xp{5, 1, 2600, kPlatformWin32Nt, ""};
    FakeMapi mapi;
    MapiMailer sender(mapi, xp);
    EXPECT_EQ(0u, sender.Send(ContactMail()));
    EXPECT_EQ(0u, sender.Send(ContactMail()));
    EXPECT_EQ(1, mapi.registryReads);
    EXPECT_EQ(1, mapi.loads);
    EXPECT_EQ(1, mapi.lookups);

    FakeMapi noLibrary;
    noLibrary.libraryLoads = false;
    MapiMailer withoutLibrary(noLibrary, xp);
    EXPECT_EQ(kMapiUnavailable, withoutLibrary.Send(ContactMail()));
    EXPECT_EQ(kMapiUnavailable, withoutLibrary.Send(ContactMail()));
    EXPECT_EQ(1, noLibrary.loads);
    EXPECT_EQ(0, noLibrary.lookups);

    FakeMapi noEntry;
    noEntry.hasSendMail = false;
    MapiMailer withoutEntry(noEntry, xp);
    EXPECT_EQ(kMapiUnavailable, withoutEntry.Send(ContactMail()));
    EXPECT_EQ(kMapiUnavailable, withoutEntry.Send(ContactMail()));
    EXPECT_EQ(1, noEntry.lookups);
    EXPECT_TRUE(noEntry.sent.empty());
}

} // namespace
} // namespace korvane
