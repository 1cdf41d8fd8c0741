// The hook through which the toolkit's catch-all boundaries report an exception they stopped.
#include "toolkit/failure_report.h"

#include <exception>
#include <utility>

namespace korvane {

namespace {

// One for the program: the boundaries are static procedures and have no owner to ask.
FailureReport& Hook() {
    static FailureReport hook;
    return hook;
}

} // namespace

std::string CurrentExceptionText() {
    try {
        if (const std::exception_ptr current = std::current_exception())
            std::rethrow_exception(current);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "unknown exception";
}

void SetFailureReport(FailureReport report) {
    Hook() = std::move(report);
}

void ReportFailure(const std::string& doing) noexcept {
    try {
        ReportFailure(doing, CurrentExceptionText());
    } catch (...) {
    }
}

void ReportFailure(const std::string& doing, const std::string& exceptionText) noexcept {
    try {
        if (Hook())
            Hook()("Exception in " + doing + ": " + exceptionText);
    } catch (...) {
        // Out of memory, or the log itself failing: there is nowhere left to report to.
    }
}

} // namespace korvane
