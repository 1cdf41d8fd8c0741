// Simple MAPI for Postwright: whether the system offers it, loading it once, and sending a mail.
#pragma once

#include "mailer/mail.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace korvane {

// MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG: log on as needed and show the compose dialog.
inline constexpr uint32_t kMapiSendFlags = 0x01 | 0x02 | 0x08;
// What a send yields when Simple MAPI is not there (MAPI_USER_ABORT's value).
inline constexpr uint32_t kMapiUnavailable = 1;

// The system services behind Simple MAPI.
class MapiPort {
  public:
    virtual ~MapiPort() = default;
    // The bytes of the value "MAPI" of HKLM\SOFTWARE\Microsoft\Windows Messaging Subsystem, read
    // into a 9-byte buffer; nothing when the key cannot be opened or the value not read.
    virtual std::optional<std::string> MessagingSubsystemMapi() = 0;
    // Whether a default mail client is named under Software\Clients\Mail (per user or machine).
    virtual bool MailClientRegistered() = 0;
    // The integer "MAPI" of the section "Mail" of the system's profile file (default 0).
    virtual int32_t ProfileMailMapi() = 0;
    // Loads "MAPI32.DLL"; false when it cannot be loaded. Released when the platform goes.
    virtual bool LoadMapiLibrary() = 0;
    // Looks "MAPISendMail" up in the loaded library.
    virtual bool FindSendMail() = 0;
    // MAPISendMail with no session, no parent window and the given flags; the client's result.
    virtual uint32_t SendMail(const MailMessage& mail, uint32_t flags) = 0;
};

// Loads Simple MAPI on the first send and never again in the same run.
class MapiMailer {
  public:
    MapiMailer(MapiPort& platform, const OsVersionInfo& os) : platform_(platform), os_(os) {}

    // Hands the mail to the client with its compose dialog; kMapiUnavailable without Simple MAPI.
    uint32_t Send(const MailMessage& mail);

  private:
    // Whether the system says a Simple MAPI client is installed and its library loads.
    bool LoadMapi();

    MapiPort& platform_;
    OsVersionInfo os_;
    bool tried_ = false;
    bool available_ = false;
    bool lookedUp_ = false;
    bool hasSend_ = false;
};

} // namespace korvane
