#pragma once

#include <functional>
#include <string>

// Levels: 0 ordinary progress, 1 a condition worth noticing, 2 a fault.
enum TraceLevel { TraceInfo = 0, TraceNotice = 1, TraceFault = 2 };

using TraceSink = std::function<void(int level, const std::string& line)>;

// Every notable step goes through here. Lines are discarded unless LUMENKITE_TRACE names a file
// (appended to) or "-" (standard error), or a sink is installed.
void Trace(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Replaces the sink; an empty function restores the environment-selected one. Returns the
// previous installed sink so tests can put it back.
TraceSink SetTraceSink(TraceSink sink);
