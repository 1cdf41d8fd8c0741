// The bug report and contact mail texts and the system description in the report.
#include "mailer/mail.h"

#include "toolkit/text.h"

#include <utility>

namespace korvane {

std::string OsFamilyName(uint32_t platformId, uint32_t major, uint32_t minor) {
    if (platformId == kPlatformWin32Nt) {
        if (major < 5) {
            return "Windows NT";
        }
        // Later NT versions follow the same split: 6.0 reads as 2000, 6.1 as XP.
        return minor == 0 ? "Windows 2000" : "Windows XP";
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
    body += std::string("Korvane version: ") + kReportedVersion + "\r\n";
    body += std::string("Korvane build: ") + kReportedBuild + "\r\n";
    body += "OS: " + OsFamilyName(os.platformId, os.major, os.minor) + "\r\n";
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
