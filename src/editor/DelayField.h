#pragma once

#include <optional>
#include <string>

// The delay fields' text as seconds: an unsigned decimal number, blanks allowed around it. Text
// that is not one gives nothing, and the setting keeps its value. A number above
// RenderThread::MaxDelaySeconds, however many digits it has, gives that cap.
std::optional<int> ParseDelaySeconds(const std::string& text);
