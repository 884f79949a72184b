#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a finding like a crash: report it and abort so libFuzzer keeps the input.
inline void FuzzCheck(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}
