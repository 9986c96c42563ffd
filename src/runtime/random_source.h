#pragma once

#include <cstdint>

namespace tavrimo {

// The seeded integer source behind every random choice of the generators.
// A linear congruential generator with one 32-bit state; the exact formula is
// part of the contract, since one seed must always give the same sheets.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t seed = 0) : RandSeed(seed) {}

    // Advances the state and returns a value in 0..n-1 for n >= 1. Any other
    // n is taken as the unsigned number 2^32 + n; Random(0) returns 0.
    std::int32_t Random(std::int32_t n)
    {
        RandSeed = RandSeed * 134775813u + 1u;
        const std::uint64_t product = std::uint64_t{static_cast<std::uint32_t>(n)} * RandSeed;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(product >> 32));
    }

    std::uint32_t seed() const { return RandSeed; }
    void setSeed(std::uint32_t seed) { RandSeed = seed; }

private:
    std::uint32_t RandSeed;
};

// The seed for a time of day in UTC: milliseconds since midnight.
std::uint32_t SeedFromTimeOfDay(int hour, int minute, int second, int millisecond);

// Seeds the source from the current UTC time of day.
void Randomize(RandomSource& source);

}  // namespace tavrimo
