// The shell port of the tray notifications: one balloon request and the top-most message box.
#pragma once

#include "toolkit/tray_icon.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace korvane {

// The balloon fields of the tray record hold 256 and 64 bytes with their terminating zero.
inline constexpr size_t kBalloonTextMax = 255;
inline constexpr size_t kBalloonTitleMax = 63;

// Message-box values (the Win32 ones).
inline constexpr uint32_t kMbOk = 0x0;
inline constexpr uint32_t kMbOkCancel = 0x1;
inline constexpr uint32_t kMbIconError = 0x10;
inline constexpr uint32_t kMbIconWarning = 0x30;
inline constexpr uint32_t kMbIconInformation = 0x40;
inline constexpr uint32_t kMbTopMost = 0x40000;
inline constexpr int32_t kIdOk = 1;

// Balloon icons (dwInfoFlags).
inline constexpr uint32_t kNiifNone = 0;
inline constexpr uint32_t kNiifInfo = 1;
inline constexpr uint32_t kNiifWarning = 2;
inline constexpr uint32_t kNiifError = 3;

// What one NIM_MODIFY balloon request carries besides its fixed fields.
struct BalloonRequest {
    TrayIconIdentity icon;
    uint32_t timeoutMs = 0;
    uint32_t infoFlags = kNiifNone;
    std::string text;  // at most kBalloonTextMax characters
    std::string title; // at most kBalloonTitleMax characters

    bool operator==(const BalloonRequest& other) const {
        return icon.window == other.icon.window && icon.id == other.icon.id &&
               timeoutMs == other.timeoutMs && infoFlags == other.infoFlags && text == other.text &&
               title == other.title;
    }
};

class TrayShellPort {
  public:
    virtual ~TrayShellPort() = default;
    // Sends one balloon request (NIM_MODIFY with NIF_INFO); the shell's answer is not needed.
    virtual void ModifyBalloon(const BalloonRequest& request) = 0;
    // A message box owned by the application window; returns the button chosen (kIdOk, ...).
    virtual int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                                   uint32_t style) = 0;
};

} // namespace korvane
