// Simple MAPI of the installed mail client: the registry check, "MAPI32.DLL" of the system folder
// and MAPISendMail.
#include "mailer/mapi.h"

#include "mailer/mapi_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/system_library_win.h"
#include "toolkit/win32.h"

#include <mapi.h>

#include <utility>

namespace korvane {
namespace {

constexpr const char* kMailClientsKey = "Software\\Clients\\Mail";
constexpr const char* kMessagingSubsystemKey = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
// The original's buffer: long enough for "1" and more, short enough to reject odd values.
constexpr DWORD kMapiValueBufferSize = 9;

// Simple MAPI takes non-const texts; these point into the mail, which outlives the call.
LPSTR Text(const std::string& text) {
    return const_cast<LPSTR>(text.c_str());
}

class Win32Mapi final : public MapiPort {
  public:
    std::optional<std::string> MessagingSubsystemMapi() override {
        ScopedRegistryKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMessagingSubsystemKey, 0, KEY_READ, key.Receive()) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        char buffer[kMapiValueBufferSize] = {};
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(key.Get(), "MAPI", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                             &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::string(buffer, size);
    }

    bool MailClientRegistered() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            ScopedRegistryKey key;
            if (RegOpenKeyExA(root, kMailClientsKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
                continue;
            }
            char name[MAX_PATH] = {};
            DWORD size = sizeof name - 1;
            DWORD type = 0;
            if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(name),
                                 &size) == ERROR_SUCCESS &&
                (type == REG_SZ || type == REG_EXPAND_SZ) && name[0] != '\0') {
                return true;
            }
        }
        return false;
    }

    int32_t ProfileMailMapi() override {
        return static_cast<int32_t>(GetProfileIntA("Mail", "MAPI", 0));
    }

    bool LoadMapiLibrary() override {
        // The system's Simple MAPI stub, which finds the mail client's own library itself; a
        // "MAPI32.DLL" in the program's or the current folder is never used.
        library_.Reset(LoadSystemLibrary("MAPI32.DLL"));
        return library_.Get() != nullptr;
    }

    bool FindSendMail() override {
        if (library_.Get() == nullptr) {
            return false;
        }
        send_ = reinterpret_cast<LPMAPISENDMAIL>(
            reinterpret_cast<void*>(GetProcAddress(library_.Get(), "MAPISendMail")));
        return send_ != nullptr;
    }

    uint32_t SendMail(const MailMessage& mail, uint32_t flags) override {
        if (send_ == nullptr) {
            return kMapiUnavailable;
        }
        MapiRecipDesc recipient{};
        recipient.ulRecipClass = mail.recipient.recipClass;
        recipient.lpszName = Text(mail.recipient.name);
        recipient.lpszAddress = Text(mail.recipient.address);

        MapiFileDesc file{};
        if (mail.attachment) {
            file.lpszPathName = Text(mail.attachment->pathName);
        }

        MapiMessage message{};
        message.lpszSubject = Text(mail.subject);
        message.lpszNoteText = Text(mail.noteText);
        message.nRecipCount = 1;
        message.lpRecips = &recipient;
        if (mail.attachment) {
            message.nFileCount = 1;
            message.lpFiles = &file;
        }
        return send_(0, 0, &message, flags, 0);
    }

  private:
    ScopedModule library_;
    LPMAPISENDMAIL send_ = nullptr;
};

} // namespace

std::unique_ptr<MapiPort> CreateWin32Mapi() {
    return std::make_unique<Win32Mapi>();
}

} // namespace korvane
