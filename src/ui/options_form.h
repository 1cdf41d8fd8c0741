// The settings window's fixed texts, its layout, its page tree's item data and the rules of its
// own boxes (the log-days box), apart from the window itself.
#pragma once

#include "toolkit/product.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

inline constexpr const char* kOptionsCaption = KORVANE_PRODUCT_NAME " - Settings";
inline constexpr const char* kOkText = "&OK";
inline constexpr const char* kApplyText = "&Apply";
inline constexpr const char* kCancelText = "&Cancel";

inline constexpr const char* kTreeGeneral = "General";
inline constexpr const char* kTreeHardDisks = "Hard Disks";
inline constexpr const char* kTreeLog = "Log";

inline constexpr const char* kAutostartText = "Load at Windows startup";
inline constexpr const char* kMainIconGroupText = "Main icon in the System Tray";
inline constexpr const char* kDisplayMainIconText = "Display main icon:";
inline constexpr const char* kMainIconChoices[] = {
    "Always", "When no temperature indicators displayed in tray", "Never",
    "Always, showing the hottest disk's temperature"};
inline constexpr const char* kUnitsGroupText = "Temperature Measurement Units";
inline constexpr const char* kCelsiusText = "Celsius (\xB0"
                                            "C)";
inline constexpr const char* kFahrenheitText = "Fahrenheit (\xB0"
                                               "F)";

inline constexpr const char* kLogEnabledText = "Log temperature changes";
inline constexpr const char* kStoreLogText = "Store log records for ";
inline constexpr const char* kDaysText = "days";

// The disk picture of the disk pages.
inline constexpr const char* kDiskPictureResource = "XP_DRIVE";
inline constexpr uint32_t kDiskPictureTransparent = 0xFF00FF;
inline constexpr int kDiskPictureEdge = 48;

// The window and its parts, in client pixels.
inline constexpr int kOptionsClientWidth = 500;
inline constexpr int kOptionsClientHeight = 410;
inline constexpr int kStripHeight = 36;
inline constexpr int kButtonWidth = 80;
inline constexpr int kButtonHeight = 26;
inline constexpr int kButtonTop = (kStripHeight - 21) / 2;
// Left edges of OK, Apply and Cancel, counted back from the strip's width.
inline constexpr int kOkFromRight = 255;
inline constexpr int kApplyFromRight = 170;
inline constexpr int kCancelFromRight = 85;
inline constexpr int kTreeLeft = 6;
inline constexpr int kTreeTop = 8;
inline constexpr int kTreeWidth = 130;
inline constexpr int kTreeHeight = kOptionsClientHeight - kStripHeight - 11;
inline constexpr int kPageAreaLeft = kTreeLeft + kTreeWidth + 5;
inline constexpr int kPageAreaTop = 2;
inline constexpr int kPageAreaWidth = kOptionsClientWidth - kTreeWidth - 15;
inline constexpr int kPageAreaHeight = kOptionsClientHeight - kStripHeight - 2;

// The General and Log pages: their left inset and the height of their check boxes.
inline constexpr int kPageInset = 15;
inline constexpr int kPageCheckHeight = 22;

// The log-days box and its spin control.
inline constexpr int32_t kMinLogDays = 1;
inline constexpr int32_t kMaxLogDays = 1000;

// Data values of the page tree's items: the three top-level pages, and a disk's page as
// kDiskPageData + its position in the drive list. A new page takes a value of its own.
inline constexpr intptr_t kGeneralPageData = 1;
inline constexpr intptr_t kHardDisksPageData = 2;
inline constexpr intptr_t kLogPageData = 3;
inline constexpr intptr_t kDiskPageData = 256;

// Which page a tree item's data stands for, given every page's data in the window's order: the
// page with that data, a disk page's counted by the lowest 8 bits; none when no page has it.
std::optional<size_t> PageForData(const std::vector<intptr_t>& pageData, intptr_t data);

// The caption a page's group gets: "[ " + text + " ]".
std::string PageCaption(const std::string& text);

// The log-days box as its leave handler leaves it: 0 or less and anything that is not a number
// become "1", more than 1000 becomes "1000"; any other text stays as it is.
std::string CheckedLogDays(const std::string& text);

// The stored LogDays as the window shows it: 0 or less is shown (and stored again) as 1.
int32_t LoadedLogDays(int32_t stored);

} // namespace korvane
