// The tooltip texts that the notification area shows for tray icons, read from the shell's own
// tooltip windows: what a user sees when pointing at an indicator.
#pragma once

#include <string>
#include <vector>

namespace korvane::test {

// The texts of every tool of every tooltip window on the desktop, whichever process owns it.
std::vector<std::string> TrayTooltipTexts();

// The first tooltip text that starts with prefix, or the empty text.
std::string TrayTooltipStartingWith(const std::string& prefix);

} // namespace korvane::test
