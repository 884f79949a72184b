#pragma once

#include <cstdint>
#include <optional>

// The process-wide random source. A classic linear congruential generator, so a seed gives the
// same sequence of 0..32767 on every platform (the C libraries disagree on rand()'s range).
constexpr int RandMax = 32767;

int Rand();
void SeedRand(uint32_t seed);

// A draw scaled to [0, 1], both ends reachable.
double RandUnit();

// A seed that engines take instead of the clock, so a run can be reproduced (the exporter's
// --seed). Empty by default.
void SetFixedSeed(std::optional<uint32_t> seed);
std::optional<uint32_t> FixedSeed();
