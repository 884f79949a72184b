#pragma once

#include <functional>
#include <string>

// The few failures a user is told about. Windows shows a message box; elsewhere a line goes to
// standard error. Tests install a capturing reporter.
using ErrorReporter = std::function<void(const std::string& title, const std::string& text,
                                         const std::string& detail)>;

void ReportError(const std::string& title, const std::string& text, const std::string& detail = {});

// Replaces the reporter (an empty function restores the system's one); returns the previous one.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// The system's own way of showing an error: defined once per platform.
void ShowSystemError(const std::string& title, const std::string& text, const std::string& detail);
