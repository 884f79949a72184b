#include "TestSupport.h"

#include <algorithm>

TraceCapture::TraceCapture() {
    m_previous = SetTraceSink([this](int, const std::string& line) { m_lines.push_back(line); });
}

TraceCapture::~TraceCapture() {
    SetTraceSink(m_previous);
}

bool TraceCapture::Contains(const std::string& line) const {
    return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
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
