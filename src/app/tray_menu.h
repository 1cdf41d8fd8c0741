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
    kCmdGraph = 14,
};

inline constexpr const char* kMenuPlaceholder = "qwerty";

// The main menu: Settings (default), -, Temperature Logs (sub-menu), Temperature Graph, -, Feedback
// (Web page, Bug report), -, Help, About, -, Exit. Every entry but the default one carries the
// placeholder.
std::vector<std::string> MainMenuTemplate();

// A disk's menu: Korvane Settings, Hard Disk Settings (default), -, Temperature Logs (sub-menu),
// Temperature Graph, -, Feedback (Web page, Bug report), -, Help, About, -, Exit.
std::vector<std::string> DiskMenuTemplate();

// The caption of a command code; empty for codes without one.
std::string MenuCaption(int32_t code);
// The same in a disk's menu, where Settings names the program whose settings it opens.
std::string DiskMenuCaption(int32_t code);

// Gives the entries of a menu built from MainMenuTemplate their command codes.
void TagMainMenu(PopupMenuPort& menu);
// Gives the entries of a menu built from DiskMenuTemplate their command codes.
void TagDiskMenu(PopupMenuPort& menu);
// Replaces every caption of a tagged menu with the caption of its code.
void ApplyMenuCaptions(PopupMenuPort& menu);
void ApplyDiskMenuCaptions(PopupMenuPort& menu);
// The index of the first entry with this code, or -1.
int FindMenuCommand(const PopupMenuPort& menu, int32_t code);

// Values of ShowMainIcon.
inline constexpr int32_t kMainIconAlways = 0;
inline constexpr int32_t kMainIconWithoutIndicators = 1;
inline constexpr int32_t kMainIconNever = 2;
// Always, showing the hottest disk's temperature in its state's colours.
inline constexpr int32_t kMainIconHottest = 3;

// Whether the main tray icon is shown for a ShowMainIcon value while this many disk indicators
// are in the tray; unknown values mean always.
bool MainIconShown(int32_t showMainIcon, int32_t visibleIndicators);

} // namespace korvane
