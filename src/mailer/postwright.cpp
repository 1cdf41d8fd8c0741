// Postwright's argument dispatch and the composing of the bug report.
#include "mailer/postwright.h"

#include "toolkit/product.h"

namespace korvane {

MailMessage ComposeBugReport(PostwrightServices& services) {
    // The same folder the main program writes its debug log to.
    const std::string debugLog = DataFilesFolder(services.folders) + kDebugLogName;
    std::optional<std::string> attachment;
    if (services.fileExists && services.fileExists(debugLog)) {
        attachment = debugLog;
    }
    return BugReportMail(services.os.Read(), attachment);
}

int RunPostwright(const std::vector<std::string>& args, PostwrightServices& services) {
    if (args.empty()) {
        return 0;
    }
    const std::string& command = args.front();
    if (command != kBugReportArgument && command != kContactArgument) {
        return 0;
    }
    const MailMessage mail =
        command == kBugReportArgument ? ComposeBugReport(services) : ContactMail();
    TMapi mapi(services.mapi, services.os.Read());
    mapi.Send(mail);
    return 0;
}

} // namespace korvane
