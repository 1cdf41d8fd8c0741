// The hook through which the toolkit's catch-all boundaries report an exception they stopped.
#pragma once

#include <functional>
#include <string>

namespace korvane {

// Receives one line: what was being done and the exception's own text. Called on the GUI thread.
using FailureReport = std::function<void(const std::string& line)>;

// Set once by the application when its log exists, cleared before the log goes; nothing is
// reported while it is empty.
void SetFailureReport(FailureReport report);

// Called inside a catch handler: reports "Exception in " + `doing` + ": " + the exception's text.
// Never throws, whatever the hook does.
void ReportFailure(const std::string& doing) noexcept;
// The same with the text taken beforehand, for a report made on another thread.
void ReportFailure(const std::string& doing, const std::string& exceptionText) noexcept;
// Inside a catch handler: the exception's what(), or "unknown exception".
std::string CurrentExceptionText();

} // namespace korvane
