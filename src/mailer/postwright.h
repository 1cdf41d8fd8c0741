// Postwright's run: the command-line argument chooses the bug report, the contact mail or nothing.
#pragma once

#include "mailer/mapi.h"
#include "settings/location/data_folder.h"
#include "toolkit/os_version.h"

#include <functional>
#include <string>
#include <vector>

namespace korvane {

// What one run of Postwright works with.
struct PostwrightDeps {
    MapiPort& mapi;
    const OsVersionPort& os;
    SpecialFolderPort& folders;
    std::function<bool(const std::string&)> fileExists;
};

// The bug report with the main program's debug log attached when that file exists.
MailMessage ComposeBugReport(PostwrightDeps& deps);

// Acts on the arguments (without the program name): "BUG" sends the bug report, "CNT" the contact
// mail, anything else does nothing. Only the first argument counts, case-sensitively. The exit
// code, always 0: the mail client's result is not passed on.
int RunPostwright(const std::vector<std::string>& args, PostwrightDeps& deps);

} // namespace korvane
