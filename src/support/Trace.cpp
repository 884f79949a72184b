#include "support/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#if defined(_WIN32) && !defined(NDEBUG)
extern "C" __declspec(dllimport) void __stdcall OutputDebugStringA(const char*);
#endif

namespace {

std::mutex g_traceMutex;
TraceSink g_installedSink;

// The environment is read once; a closed or unusable target simply discards.
std::FILE* EnvironmentTarget() {
    static std::FILE* target = [] {
        const char* where = std::getenv("LUMENKITE_TRACE");
        if (!where || !*where)
            return static_cast<std::FILE*>(nullptr);
        if (where[0] == '-' && where[1] == '\0')
            return stderr;
        return std::fopen(where, "a");
    }();
    return target;
}

} // namespace

void Trace(int level, const char* format, ...) {
    std::lock_guard lock(g_traceMutex);
    std::FILE* target = EnvironmentTarget();
    bool debugOutput = false;
#if defined(_WIN32) && !defined(NDEBUG)
    debugOutput = true;
#endif
    if (!g_installedSink && !target && !debugOutput)
        return;

    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        line.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(args);

    if (g_installedSink)
        g_installedSink(level, line);
    if (target) {
        std::fprintf(target, "[%d] %s\n", level, line.c_str());
        std::fflush(target);
    }
#if defined(_WIN32) && !defined(NDEBUG)
    OutputDebugStringA((line + "\n").c_str());
#endif
}

TraceSink SetTraceSink(TraceSink sink) {
    std::lock_guard lock(g_traceMutex);
    TraceSink previous = std::move(g_installedSink);
    g_installedSink = std::move(sink);
    return previous;
}
