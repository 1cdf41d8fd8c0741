// The about window's fixed texts, its layout, its keys and what its two links do.
#include "ui/about.h"

#include <utility>

namespace korvane {

namespace {

constexpr int kMargin = 25;
constexpr int kLineHeight = 16;
constexpr int kHeaderLeft = kAboutClientWidth - kAboutHeaderWidth; // its left part stays outside
constexpr int kVersionGap = 20;
constexpr int kLinksGap = 64;
constexpr int kCloseWidth = 100;
constexpr int kCloseHeight = 26;
constexpr int kCloseBottomGap = 36;

constexpr uint32_t kKeyEnter = 13;
constexpr uint32_t kKeyEscape = 27;
constexpr uint32_t kKeyF11 = 122;
constexpr uint32_t kShiftCtrl = 8;

} // namespace

std::string AboutWebLinkText() {
    return kWebPageAddress;
}

std::string AboutMailLinkText() {
    return kSupportAddress;
}

AboutLayout LayoutAbout(int webTextWidth, int mailTextWidth) {
    AboutLayout layout;
    layout.header = {kHeaderLeft, 0, kAboutHeaderWidth, kAboutHeaderHeight};
    const int textWidth = kAboutClientWidth - 2 * kMargin;
    layout.version = {kMargin, kAboutHeaderHeight + kVersionGap, textWidth, kLineHeight};
    const int versionBottom = layout.version.top + layout.version.height;
    // The two credit lines sit in the gap between the version and the links.
    layout.credit1 = {kMargin, versionBottom + kLineHeight, textWidth, kLineHeight};
    layout.credit2 = {kMargin, layout.credit1.top + kLineHeight, textWidth, kLineHeight};
    layout.webLink = {kMargin, versionBottom + kLinksGap, webTextWidth, kLineHeight};
    layout.mailLink = {kMargin, layout.webLink.top + kLineHeight, mailTextWidth, kLineHeight};
    layout.close = {(kAboutClientWidth - kCloseWidth) / 2, kAboutClientHeight - kCloseBottomGap,
                    kCloseWidth, kCloseHeight};
    return layout;
}

AboutKeyAction AboutKeyFor(uint32_t key, uint32_t shift) {
    if (key == kKeyEnter || key == kKeyEscape) {
        return AboutKeyAction::Close;
    }
    if (key == kKeyF11 && (shift & kShiftCtrl) != 0) {
        return AboutKeyAction::SecretCaption;
    }
    return AboutKeyAction::None;
}

AboutLinks::AboutLinks(ShellPort& shell, std::string programPath)
    : shell_(shell), programPath_(std::move(programPath)) {}

void AboutLinks::OpenWebPage() {
    shell_.Open(AboutWebLinkText(), "", false);
}

void AboutLinks::StartContactMail() {
    shell_.Open(programPath_ + kMailerFileName, kContactArgument, true);
}

} // namespace korvane
