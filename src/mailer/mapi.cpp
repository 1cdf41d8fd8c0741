// Deciding whether Simple MAPI is available, loading it once, and sending through it.
#include "mailer/mapi.h"

namespace korvane {
namespace {

// Systems after NT 3.51 say so in the registry; older ones in the profile file.
bool UsesRegistry(const OsVersionInfo& os) {
    return os.major > 3 || (os.major == 3 && os.minor > 51);
}

// Exactly the text "1": the byte "1" followed by a zero byte (the buffer starts zeroed, so a
// single "1" without its terminator counts too).
bool IsOne(const std::string& value) {
    return !value.empty() && value[0] == '1' && (value.size() == 1 || value[1] == '\0');
}

} // namespace

bool MapiMailer::LoadMapi() {
    if (UsesRegistry(os_)) {
        const std::optional<std::string> value = platform_.MessagingSubsystemMapi();
        if (!value || !IsOne(*value)) {
            return false;
        }
        // "MAPI" is "1" even with no client installed; the system's MAPI32.DLL then shows its
        // own "no mail client" message, and Postwright must show nothing.
        if (!platform_.MailClientRegistered()) {
            return false;
        }
    } else if (platform_.ProfileMailMapi() == 0) {
        return false;
    }
    return platform_.LoadMapiLibrary();
}

uint32_t MapiMailer::Send(const MailMessage& mail) {
    if (!tried_) {
        tried_ = true;
        available_ = LoadMapi();
    }
    if (!available_) {
        return kMapiUnavailable;
    }
    if (!lookedUp_) {
        lookedUp_ = true;
        hasSend_ = platform_.FindSendMail();
    }
    if (!hasSend_) {
        return kMapiUnavailable;
    }
    return platform_.SendMail(mail, kMapiSendFlags);
}

} // namespace korvane
