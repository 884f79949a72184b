#pragma once

#include "settings/ErrorReport.h"
#include "support/Trace.h"

#include <mutex>
#include <string>
#include <vector>

// Captures every trace line while alive, from any thread.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    bool Contains(const std::string& line) const;
    int Count(const std::string& line) const;
    std::vector<std::string> m_lines;

private:
    mutable std::mutex m_mutex;
    TraceSink m_previous;
};

struct ReportedError {
    std::string title, text, detail;
};

// Captures error reports (message boxes) while alive.
class ErrorCapture {
public:
    ErrorCapture();
    ~ErrorCapture();
    std::vector<ReportedError> m_errors;

private:
    ErrorReporter m_previous;
};
