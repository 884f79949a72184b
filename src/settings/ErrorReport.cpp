#include "settings/ErrorReport.h"

#include <mutex>

namespace {
std::mutex g_reporterMutex;
ErrorReporter g_reporter;
} // namespace

void ReportError(const std::string& title, const std::string& text, const std::string& detail) {
    ErrorReporter reporter;
    {
        std::lock_guard lock(g_reporterMutex);
        reporter = g_reporter;
    }
    if (reporter)
        reporter(title, text, detail);
    else
        ShowSystemError(title, text, detail);
}

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    std::lock_guard lock(g_reporterMutex);
    ErrorReporter previous = std::move(g_reporter);
    g_reporter = std::move(reporter);
    return previous;
}
