#include "editor/DelayField.h"

#include "engine/RenderThread.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<int> ParseDelaySeconds(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    int value = 0;
    for (size_t i = begin; i < end; ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        // Stop growing at the cap so that no number of digits can overflow, but keep checking
        // that the rest are digits.
        if (value < RenderThread::MaxDelaySeconds)
            value = value * 10 + (c - '0');
        if (value > RenderThread::MaxDelaySeconds)
            value = RenderThread::MaxDelaySeconds;
    }
    return value;
}
