// TTrayMessages: alarm texts as balloons on a tray icon, or as top-most message boxes where the
// shell has no balloons.
#pragma once

#include "actions/tray_shell.h"
#include "toolkit/os_version.h"

#include <cstdint>
#include <functional>
#include <string>

namespace korvane {

class TrayIconPort;

// Icon kinds of ShowTrayMessage.
inline constexpr int32_t kMessageInfo = 1;
inline constexpr int32_t kMessageWarning = 2;
inline constexpr int32_t kMessageError = 3;

// Balloon notification codes that HandleTrayNotify acts on besides the mouse's (the Win32 values).
inline constexpr uint32_t kNinBalloonHide = 0x403;
inline constexpr uint32_t kNinBalloonTimeout = 0x404;
inline constexpr uint32_t kNinBalloonUserClick = 0x405;

uint32_t BalloonIconOf(int32_t kind);
uint32_t MessageBoxIconOf(int32_t kind);
// Balloons came with Windows 2000: the NT platform from version 5 on.
bool BalloonsSupportedOn(const OsVersionInfo& version);

// The shell request pair: the first clears any balloon the icon still shows, the second shows the
// new one. Texts are cut to the record's fields.
void ShowBalloon(TrayShellPort& shell, const TrayIconIdentity& icon, uint32_t timeoutMs,
                 uint32_t infoFlags, const std::string& text, const std::string& title);

class TTrayMessages {
  public:
    // Reads the OS version once, to decide between balloons and message boxes.
    TTrayMessages(TrayShellPort& shell, const OsVersionPort& os);
    virtual ~TTrayMessages() = default;
    TTrayMessages(const TTrayMessages&) = delete;
    TTrayMessages& operator=(const TTrayMessages&) = delete;

    bool BalloonsSupported() const { return balloonsSupported_; }

    // Clicks and balloon ends of an icon: the click callback, then the balloon goes.
    virtual void HandleTrayNotify(TrayIconPort* icon, uint32_t code);
    // Returns once the balloon is with the shell, or once the user has closed the message box.
    virtual void ShowTrayMessage(TrayIconPort& icon, int32_t tag, int32_t kind,
                                 const std::string& text, const std::string& title,
                                 uint32_t displayTimeMs, bool cancelButton);
    void HideBalloon(TrayIconPort& icon);

    // Called with the sender (null from a message box) and the tag when a message is acknowledged.
    std::function<void(TTrayMessages* sender, int32_t tag)> OnMessageClick;

  private:
    TrayShellPort& shell_;
    bool balloonsSupported_;
};

} // namespace korvane
