// The bug report's body and system name, and the fields of both mails.
#include "mailer/mail.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(MailTest, BugReportBodyByteForByte) {
    OsVersionInfo os;
    os.platformId = kPlatformWin32Nt;
    os.major = 5;
    os.minor = 1;
    os.build = 2600;
    EXPECT_EQ("THIS IS KORVANE BUG REPORT.\r\n\r\n"
              "===================================\r\n"
              "Korvane version: 1.0 beta 1\r\n"
              "Korvane build: 50\r\n"
              "OS: Windows XP\r\n"
              "OS Major Version: 5\r\n"
              "OS Minor Version: 1\r\n"
              "OS Build: 2600\r\n"
              "===================================\r\n\r\n"
              "The bug description:\r\n\r\n\r\n\r\n\r\n"
              "Steps to reproduce the bug:\r\n\r\n",
              BugReportBody(os));
}

TEST(MailTest, BuildNumberIsTheWholeUnsignedField) {
    OsVersionInfo os;
    os.platformId = kPlatformWin32Nt;
    os.build = 0xFFFFFFFFu;
    EXPECT_NE(std::string::npos, BugReportBody(os).find("\r\nOS Build: 4294967295\r\n"));
}

TEST(MailTest, OsFamilyNameTable) {
    struct Row {
        uint32_t platform, major, minor, build;
        const char* name;
    };
    const Row rows[] = {
        {2, 3, 51, 1057, "Windows NT"},
        {2, 4, 0, 1381, "Windows NT"},
        {2, 5, 0, 2195, "Windows 2000"},
        {2, 5, 1, 2600, "Windows XP"},
        {2, 5, 2, 3790, "Windows XP"},
        {2, 6, 0, 6002, "Windows Vista"},
        {2, 6, 1, 7601, "Windows 7"},
        {2, 6, 2, 9200, "Windows 8"},
        {2, 6, 3, 9600, "Windows 8.1"},
        {2, 10, 0, 19045, "Windows 10"},
        {2, 10, 0, 21999, "Windows 10"},
        {2, 10, 0, 22000, "Windows 11"},
        {2, 10, 0, 26100, "Windows 11"},
        // Versions without a name of their own give their numbers, not a wrong name.
        {2, 6, 4, 9841, "Windows NT 6.4"},
        {2, 10, 1, 0, "Windows NT 10.1"},
        {2, 11, 0, 30000, "Windows NT 11.0"},
        {1, 4, 10, 2222, "Windows 98"},
        {1, 4, 90, 3000, "Windows 98"},
        {1, 5, 0, 0, "Windows 98"},
        {1, 4, 9, 0, "Windows 95"},
        {1, 4, 0, 950, "Windows 95"},
        {1, 3, 95, 0, "Windows 95"},
        {0, 3, 10, 0, "Windows 3.1"},
        {3, 10, 0, 22000, "Windows 3.1"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.name, OsFamilyName(row.platform, row.major, row.minor, row.build))
            << row.platform << " " << row.major << "." << row.minor << "." << row.build;
    }
}

TEST(MailTest, BugReportFieldsWithAndWithoutAttachment) {
    OsVersionInfo os;
    const MailMessage plain = BugReportMail(os, std::nullopt);
    EXPECT_EQ("Korvane BUG REPORT!", plain.subject);
    EXPECT_EQ(BugReportBody(os), plain.noteText);
    EXPECT_EQ(1u, plain.recipient.recipClass);
    EXPECT_EQ("Korvane developers", plain.recipient.name);
    EXPECT_EQ("bugs@korvane.example", plain.recipient.address);
    EXPECT_FALSE(plain.attachment);

    const MailMessage attached = BugReportMail(os, std::string("C:\\A\\Korvane\\debug.log"));
    ASSERT_TRUE(attached.attachment);
    EXPECT_EQ("C:\\A\\Korvane\\debug.log", attached.attachment->pathName);
}

TEST(MailTest, ContactMailIsEmptyToSupport) {
    const MailMessage mail = ContactMail();
    EXPECT_EQ("Korvane", mail.subject);
    EXPECT_EQ("", mail.noteText);
    EXPECT_EQ(1u, mail.recipient.recipClass);
    EXPECT_EQ("", mail.recipient.name);
    EXPECT_EQ("support@korvane.example", mail.recipient.address);
    EXPECT_FALSE(mail.attachment);
}

} // namespace
} // namespace korvane
