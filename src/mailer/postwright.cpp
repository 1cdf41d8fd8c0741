// Postwright's argument dispatch and the composing of the bug report.
#include "mailer/postwright.h"

#include "toolkit/product.h"

namespace korvane {

MailMessage ComposeBugReport(PostwrightDeps& deps) {
    // The same folder the main program writes its debug log to.
    const std::string debugLog = DataFilesFolder(deps.folders) + kDebugLogName;
    std::optional<std::string> attachment;
    if (deps.fileExists && deps.fileExists(debugLog)) {
        attachment = debugLog;
    }
    return BugReportMail(deps.os.Read(), attachment);
}

int RunPostwright(const std::vector<std::string>& args, PostwrightDeps& deps) {
    if (args.empty()) {
        return 0;
    }
    const std::string& command = args.front();
    if (command != kBugReportArgument && command != kContactArgument) {
        return 0;
    }
    const MailMessage mail = command == kBugReportArgument ? ComposeBugReport(deps) : ContactMail();
    MapiMailer mapi(deps.mapi, deps.os.Read());
    mapi.Send(mail);
    return 0;
}

} // namespace korvane
