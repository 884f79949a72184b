#include "support/Random.h"

#include <atomic>

namespace {
uint32_t NextState(uint32_t state) {
    return state * 214013u + 2531011u;
}

int Output(uint32_t state) {
    return static_cast<int>((state >> 16) & 0x7FFF);
}

// Relaxed atomics only keep concurrent draws free of data races; the sequence is meant to be
// drawn from one thread at a time.
std::atomic<uint32_t> g_state{1};
// Set once at start-up, before any engine exists.
std::optional<uint32_t> g_fixedSeed;
} // namespace

int Rand() {
    uint32_t state = NextState(g_state.load(std::memory_order_relaxed));
    g_state.store(state, std::memory_order_relaxed);
    return Output(state);
}

int RandomSequence::Next() {
    m_state = NextState(m_state);
    return Output(m_state);
}

void SeedRand(uint32_t seed) {
    g_state.store(seed, std::memory_order_relaxed);
}

double RandUnit() {
    return Rand() * 3.051850947599719e-05;
}

void SetFixedSeed(std::optional<uint32_t> seed) {
    g_fixedSeed = seed;
}

std::optional<uint32_t> FixedSeed() {
    return g_fixedSeed;
}
