// The program's own tray menu: its command codes, its item template and its captions.
#pragma once

#include "toolkit/popup_menu.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

// Command codes carried as the tag of every menu entry.
enum MenuCommand : int32_t {
    kCmdSettings = 2,
    kCmdHelp = 3,
    kCmdAbout = 4,
    kCmdExit = 5,
    kCmdDiskSettings = 7,
    kCmdTemperatureLogs = 9,
    kCmdOpenLog = 10,
    kCmdFeedback = 11,
    kCmdWebPage = 12,
    kCmdBugReport = 13,
};

inline constexpr const char* kMenuPlaceholder = "qwerty";

// The main menu: Settings (default), -, Temperature Logs (sub-menu), -, Feedback (Web page, Bug
// report), -, Help, About, -, Exit. Every entry but the default one carries the placeholder.
std::vector<std::string> MainMenuTemplate();

// The caption of a command code; empty for codes without one.
std::string MenuCaption(int32_t code);

// Gives the entries of a menu built from MainMenuTemplate their command codes.
void TagMainMenu(IPopupMenu& menu);
// Replaces every caption of a tagged menu with the caption of its code.
void ApplyMenuCaptions(IPopupMenu& menu);
// The index of the first entry with this code, or -1.
int FindMenuCommand(const IPopupMenu& menu, int32_t code);

} // namespace korvane
