// The tray-icon port: one icon in the notification area with its tooltip and mouse messages.
#pragma once

#include "toolkit/icon_handle.h"

#include <cstdint>
#include <functional>
#include <string>

namespace korvane {

// Mouse message codes a tray icon hands to its handler (the Win32 values).
inline constexpr uint32_t kTrayLeftButtonUp = 0x0202;    // WM_LBUTTONUP
inline constexpr uint32_t kTrayLeftDoubleClick = 0x0203; // WM_LBUTTONDBLCLK
inline constexpr uint32_t kTrayRightButtonUp = 0x0205;   // WM_RBUTTONUP

// How the shell knows a tray icon: its owner window (a handle as a number) and its identifier.
// Balloons are sent under the same pair.
struct TrayIconIdentity {
    uintptr_t window = 0;
    uint32_t id = 0;
};

class TrayIconPort {
  public:
    virtual ~TrayIconPort() = default;

    // An active icon is in the notification area.
    virtual void SetActive(bool active) = 0;
    virtual bool Active() const = 0;

    // The tray icon owns the icon it is given: a replaced one is destroyed once the new one is in
    // place, the last one when the tray icon is freed. No caller frees an icon it handed over.
    virtual void SetIcon(OwnedIcon icon) = 0;
    virtual IconHandle Icon() const = 0;

    // The shell shows at most the first 63 characters.
    virtual void SetTooltip(const std::string& text) = 0;
    virtual std::string Tooltip() const = 0;

    // Room for one integer that balloon notifications store and hand back.
    virtual void SetTag(int32_t tag) = 0;
    virtual int32_t Tag() const = 0;

    virtual TrayIconIdentity Identity() const = 0;

    // Receives the mouse message code (kTrayLeftDoubleClick, kTrayRightButtonUp, ...).
    std::function<void(uint32_t message)> OnMouse;
};

} // namespace korvane
