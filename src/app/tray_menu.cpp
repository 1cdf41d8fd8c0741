// The program's own tray menu.
#include "app/tray_menu.h"

namespace korvane {

std::vector<std::string> MainMenuTemplate() {
    const std::string q = kMenuPlaceholder;
    return {"%&Settings...", "-", q, "(", ")", "-", q, "(", q, q, ")", "-", q, q, "-", q};
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
        return "E&xit Korvane";
    case kCmdDiskSettings:
        return "Hard D&isk Settings...";
    case kCmdTemperatureLogs:
        return "Temperature &Logs";
    case kCmdFeedback:
        return "&Feedback";
    case kCmdWebPage:
        return "Korvane on the Web";
    case kCmdBugReport:
        return "Send Bug Report";
    default:
        return {};
    }
}

void TagMainMenu(IPopupMenu& menu) {
    // Indexes of MainMenuTemplate, depth first; separators keep tag 0.
    const int32_t codes[] = {kCmdSettings,
                             0,
                             kCmdTemperatureLogs,
                             0,
                             kCmdFeedback,
                             kCmdWebPage,
                             kCmdBugReport,
                             0,
                             kCmdHelp,
                             kCmdAbout,
                             0,
                             kCmdExit};
    int index = 0;
    for (int32_t code : codes)
        menu.SetTag(index++, code);
}

void ApplyMenuCaptions(IPopupMenu& menu) {
    for (int i = 0; i < menu.Count(); ++i) {
        const std::string caption = MenuCaption(menu.Tag(i));
        // Log entries (code 10) carry their own captions.
        if (!caption.empty())
            menu.SetText(i, caption);
    }
}

int FindMenuCommand(const IPopupMenu& menu, int32_t code) {
    for (int i = 0; i < menu.Count(); ++i) {
        if (menu.Tag(i) == code)
            return i;
    }
    return -1;
}

} // namespace korvane
