#pragma once

#include <cstdint>
#include <optional>

// The process-wide random source. A classic linear congruential generator, so a seed gives the
// same sequence of 0..32767 on every platform (the C libraries disagree on rand()'s range).
constexpr int RandMax = 32767;

int Rand();
void SeedRand(uint32_t seed);

// The same sequence with a state of its own, for a caller whose draws must not interleave with the
// engines' (a seeded test that has to repeat exactly).
class RandomSequence {
public:
    explicit RandomSequence(uint32_t seed) : m_state(seed) {}
    int Next();

private:
    uint32_t m_state;
};

// A draw scaled to [0, 1], both ends reachable.
double RandUnit();

// A seed that engines take instead of the clock, so a run can be reproduced (the exporter's
// --seed). Empty by default.
void SetFixedSeed(std::optional<uint32_t> seed);
std::optional<uint32_t> FixedSeed();
