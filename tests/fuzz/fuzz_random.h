// The fuzz program's random source, shared with the profile checker's
// mutation test.
#ifndef MARTENUI_TESTS_FUZZ_RANDOM_H
#define MARTENUI_TESTS_FUZZ_RANDOM_H

#include <cstddef>
#include <cstdint>

// A small, fast generator; the same seed gives the same inputs.
struct FuzzRandom {
    uint64_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<uint32_t>(state >> 16);
    }
    uint32_t Below(uint32_t bound) { return bound ? Next() % bound : 0; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    template <typename T, size_t N>
    T Pick(const T (&values)[N]) { return values[Below(N)]; }
};

#endif
