#include "TestSupport.h"

#include <algorithm>

TraceCapture::TraceCapture() {
    m_previous = SetTraceSink([this](int, const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(line);
    });
}

TraceCapture::~TraceCapture() {
    SetTraceSink(m_previous);
}

bool TraceCapture::Contains(const std::string& line) const {
    return Count(line) > 0;
}

int TraceCapture::Count(const std::string& line) const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count(m_lines.begin(), m_lines.end(), line));
}

ErrorCapture::ErrorCapture() {
    m_previous = SetErrorReporter(
        [this](const std::string& title, const std::string& text, const std::string& detail) {
            m_errors.push_back({title, text, detail});
        });
}

ErrorCapture::~ErrorCapture() {
    SetErrorReporter(m_previous);
}
