#include "app/CommandLine.h"

#include <cstdlib>
#include <cstring>

bool IsSwitch(const char* argument, char letter) {
    if (*argument == '-' || *argument == '/')
        ++argument;
    return *argument == letter;
}

uintptr_t ParseWindowHandle(const char* text) {
    // Through the unsigned 64-bit conversion so that a 64-bit handle survives and a negative
    // number wraps the way a cast of the signed value would.
    return static_cast<uintptr_t>(std::strtoull(text, nullptr, 10));
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    if (argc == 1 || (argc > 1 && IsSwitch(argv[1], 'c'))) {
        line.mode = AppMode::Config;
        // "/c:1234": the owner's handle follows the colon.
        if (argc > 1 && std::strlen(argv[1]) > 4) {
            line.handleText = argv[1] + 3;
            line.handle = ParseWindowHandle(argv[1] + 3);
        }
    } else if (argc == 2 && IsSwitch(argv[1], 's')) {
        line.mode = AppMode::Saver;
    } else if (argc == 3 && IsSwitch(argv[1], 'p')) {
        line.mode = AppMode::Preview;
        line.handleText = argv[2];
        line.handle = ParseWindowHandle(argv[2]);
    }
    return line;
}
