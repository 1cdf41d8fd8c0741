// The bug report and contact mail texts and the system description in the report.
#include "mailer/mail.h"

#include "toolkit/product.h"
#include "toolkit/text.h"

#include <utility>

namespace korvane {

namespace {

// Windows 11 kept the version number 10.0; only the build tells it apart.
constexpr uint32_t kFirstWindows11Build = 22000;
// NT 6.0 to 6.3.
constexpr const char* kVersionSixNames[] = {"Windows Vista", "Windows 7", "Windows 8",
                                            "Windows 8.1"};

std::string NtName(uint32_t major, uint32_t minor, uint32_t build) {
    if (major < 5) {
        return "Windows NT";
    }
    if (major == 5) {
        return minor == 0 ? "Windows 2000" : "Windows XP";
    }
    if (major == 6 && minor <= 3) {
        return kVersionSixNames[minor];
    }
    if (major == 10 && minor == 0) {
        return build >= kFirstWindows11Build ? "Windows 11" : "Windows 10";
    }
    // A version this program does not know yet: the numbers rather than a wrong name.
    return "Windows NT " + IntToStr(major) + "." + IntToStr(minor);
}

} // namespace

std::string OsFamilyName(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build) {
    if (platformId == kPlatformWin32Nt) {
        return NtName(major, minor, build);
    }
    if (platformId == kPlatformWin32Windows) {
        return (major > 4 || (major == 4 && minor >= 10)) ? "Windows 98" : "Windows 95";
    }
    return "Windows 3.1";
}

std::string BugReportBody(const OsVersionInfo& os) {
    const std::string line = "===================================";
    std::string body = "THIS IS KORVANE BUG REPORT.\r\n\r\n";
    body += line + "\r\n";
    body += std::string(KORVANE_PRODUCT_NAME " version: ") + kReportedVersion + "\r\n";
    body += std::string(KORVANE_PRODUCT_NAME " build: ") + kReportedBuild + "\r\n";
    body += "OS: " + OsFamilyName(os.platformId, os.major, os.minor, os.build) + "\r\n";
    body += "OS Major Version: " + IntToStr(os.major) + "\r\n";
    body += "OS Minor Version: " + IntToStr(os.minor) + "\r\n";
    body += "OS Build: " + IntToStr(os.build) + "\r\n";
    body += line + "\r\n\r\n";
    body += "The bug description:\r\n\r\n\r\n\r\n\r\n";
    body += "Steps to reproduce the bug:\r\n\r\n";
    return body;
}

MailMessage BugReportMail(const OsVersionInfo& os, std::optional<std::string> debugLogPath) {
    MailMessage mail;
    mail.subject = kBugReportSubject;
    mail.noteText = BugReportBody(os);
    mail.recipient = MailRecipient{kMapiTo, kBugReportRecipientName, kBugReportAddress};
    if (debugLogPath) {
        mail.attachment = MailAttachment{std::move(*debugLogPath)};
    }
    return mail;
}

MailMessage ContactMail() {
    MailMessage mail;
    mail.subject = kContactSubject;
    mail.recipient = MailRecipient{kMapiTo, "", kSupportAddress};
    return mail;
}

} // namespace korvane
