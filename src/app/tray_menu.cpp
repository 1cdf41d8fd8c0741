// The program's own tray menu.
#include "app/tray_menu.h"

#include "toolkit/product.h"

namespace korvane {

std::vector<std::string> MainMenuTemplate() {
    const std::string q = kMenuPlaceholder;
    return {"%&Settings...", "-", q, "(", ")", q, "-", q, "(", q, q, ")", "-", q, q, "-", q};
}

std::vector<std::string> DiskMenuTemplate() {
    const std::string q = kMenuPlaceholder;
    return {q, "%" + q, "-", q, "(", ")", q, "-", q, "(", q, q, ")", "-", q, q, "-", q};
}

std::string MenuCaption(int32_t code) {
    switch (code) {
    case kCmdSettings:
        return "&Settings...";
    case kCmdHelp:
        return "&Help...";
    case kCmdAbout:
        return "&About...";
    case kCmdExit:
        return "E&xit " KORVANE_PRODUCT_NAME;
    case kCmdDiskSettings:
        return "Hard D&isk Settings...";
    case kCmdTemperatureLogs:
        return "Temperature &Logs";
    case kCmdFeedback:
        return "&Feedback";
    case kCmdWebPage:
        return KORVANE_PRODUCT_NAME " on the Web";
    case kCmdBugReport:
        return "Send Bug Report";
    case kCmdGraph:
        return "Temperature &Graph...";
    default:
        return {};
    }
}

std::string DiskMenuCaption(int32_t code) {
    if (code == kCmdSettings)
        return KORVANE_PRODUCT_NAME " " + MenuCaption(code);
    return MenuCaption(code);
}

namespace {

void TagMenu(PopupMenuPort& menu, const std::vector<int32_t>& codes) {
    int index = 0;
    for (int32_t code : codes)
        menu.SetTag(index++, code);
}

void ApplyCaptions(PopupMenuPort& menu, std::string (*captionOf)(int32_t)) {
    for (int i = 0; i < menu.Count(); ++i) {
        const std::string caption = captionOf(menu.Tag(i));
        // Log entries (code 10) carry their own captions.
        if (!caption.empty())
            menu.SetText(i, caption);
    }
}

} // namespace

void TagMainMenu(PopupMenuPort& menu) {
    // Indexes of MainMenuTemplate, depth first; separators keep tag 0.
    TagMenu(menu, {kCmdSettings, 0, kCmdTemperatureLogs, kCmdGraph, 0, kCmdFeedback, kCmdWebPage,
                   kCmdBugReport, 0, kCmdHelp, kCmdAbout, 0, kCmdExit});
}

void TagDiskMenu(PopupMenuPort& menu) {
    TagMenu(menu, {kCmdSettings, kCmdDiskSettings, 0, kCmdTemperatureLogs, kCmdGraph, 0,
                   kCmdFeedback, kCmdWebPage, kCmdBugReport, 0, kCmdHelp, kCmdAbout, 0, kCmdExit});
}

void ApplyMenuCaptions(PopupMenuPort& menu) {
    ApplyCaptions(menu, &MenuCaption);
}

void ApplyDiskMenuCaptions(PopupMenuPort& menu) {
    ApplyCaptions(menu, &DiskMenuCaption);
}

int FindMenuCommand(const PopupMenuPort& menu, int32_t code) {
    for (int i = 0; i < menu.Count(); ++i) {
        if (menu.Tag(i) == code)
            return i;
    }
    return -1;
}

bool MainIconShown(int32_t showMainIcon, int32_t visibleIndicators) {
    switch (showMainIcon) {
    case kMainIconWithoutIndicators:
        return visibleIndicators == 0;
    case kMainIconNever:
        return false;
    default:
        return true;
    }
}

} // namespace korvane
