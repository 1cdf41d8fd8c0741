// TTrayMessages: balloons through the shell port, or the top-most message box.
#include "actions/tray_messages.h"

#include "toolkit/tray_icon.h"

namespace korvane {
namespace {

std::string Cut(const std::string& text, size_t max) {
    return text.size() > max ? text.substr(0, max) : text;
}

} // namespace

uint32_t BalloonIconOf(int32_t kind) {
    switch (kind) {
    case kMessageInfo:
        return kNiifInfo;
    case kMessageWarning:
        return kNiifWarning;
    case kMessageError:
        return kNiifError;
    default:
        return kNiifNone;
    }
}

uint32_t MessageBoxIconOf(int32_t kind) {
    switch (kind) {
    case kMessageInfo:
        return kMbIconInformation;
    case kMessageWarning:
        return kMbIconWarning;
    case kMessageError:
        return kMbIconError;
    default:
        return 0;
    }
}

bool BalloonsSupportedOn(const OsVersionInfo& version) {
    return version.platformId == kPlatformWin32Nt && version.major >= 5;
}

void ShowBalloon(TrayShellPort& shell, const TrayIconIdentity& icon, uint32_t timeoutMs,
                 uint32_t infoFlags, const std::string& text, const std::string& title) {
    BalloonRequest request;
    request.icon = icon;
    request.timeoutMs = timeoutMs;
    shell.ModifyBalloon(request);
    request.infoFlags = infoFlags;
    request.text = Cut(text, kBalloonTextMax);
    request.title = Cut(title, kBalloonTitleMax);
    shell.ModifyBalloon(request);
}

TTrayMessages::TTrayMessages(TrayShellPort& shell, const OsVersionPort& os)
    : shell_(shell), balloonsSupported_(BalloonsSupportedOn(os.Read())) {}

void TTrayMessages::HandleTrayNotify(TrayIconPort* icon, uint32_t code) {
    if (icon == nullptr) {
        return;
    }
    switch (code) {
    case kTrayLeftButtonUp:
    case kTrayRightButtonUp:
    case kNinBalloonUserClick:
        if (OnMessageClick) {
            OnMessageClick(this, icon->Tag());
        }
        HideBalloon(*icon);
        break;
    case kNinBalloonHide:
    case kNinBalloonTimeout:
        HideBalloon(*icon);
        break;
    default:
        break;
    }
}

void TTrayMessages::ShowTrayMessage(TrayIconPort& icon, int32_t tag, int32_t kind,
                                    const std::string& text, const std::string& title,
                                    uint32_t displayTimeMs, bool cancelButton) {
    if (balloonsSupported_) {
        icon.SetTag(tag);
        ShowBalloon(shell_, icon.Identity(), displayTimeMs, BalloonIconOf(kind), text, title);
        return;
    }
    const uint32_t style =
        MessageBoxIconOf(kind) | (cancelButton ? kMbOkCancel : kMbOk) | kMbTopMost;
    if (shell_.ShowMessageBox(text, title, style) == kIdOk && OnMessageClick) {
        OnMessageClick(nullptr, tag);
    }
}

void TTrayMessages::HideBalloon(TrayIconPort& icon) {
    BalloonRequest request;
    request.icon = icon.Identity();
    shell_.ModifyBalloon(request);
}

} // namespace korvane
