// The two mails Postwright hands to the mail client: the bug report and the contact mail.
#pragma once

#include "toolkit/os_version.h"
#include "toolkit/product.h"

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// Simple MAPI recipient class "To".
inline constexpr uint32_t kMapiTo = 1;

inline constexpr const char* kBugReportRecipientName = KORVANE_PRODUCT_NAME " developers";
inline constexpr const char* kBugReportSubject = KORVANE_PRODUCT_NAME " BUG REPORT!";
inline constexpr const char* kContactSubject = kProductName;

// One recipient, as a Simple MAPI recipient record carries it (no entry identifier).
struct MailRecipient {
    uint32_t recipClass = kMapiTo;
    std::string name;
    std::string address;
};

// One attached file: the client takes its name from the path; flags and position are 0.
struct MailAttachment {
    std::string pathName;
};

// One mail with exactly one recipient and at most one attachment.
struct MailMessage {
    std::string subject;
    std::string noteText;
    MailRecipient recipient;
    std::optional<MailAttachment> attachment;
};

// The system's name for the bug report: "Windows NT" to "Windows 11" on the NT family (a version
// without a name of its own reads "Windows NT " + major.minor), "Windows 98" or "Windows 95" on
// the 95/98 family, "Windows 3.1" on any other platform. `build` tells Windows 11 from 10.
std::string OsFamilyName(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build);

// The bug report's body: program version, system description and headings for the user to fill.
std::string BugReportBody(const OsVersionInfo& os);

// The bug report; `debugLogPath` is attached when given.
MailMessage BugReportMail(const OsVersionInfo& os, std::optional<std::string> debugLogPath);

// The empty contact mail to the support address.
MailMessage ContactMail();

} // namespace korvane
