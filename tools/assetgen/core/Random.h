#pragma once

#include <cstdint>

// PCG32 (permuted congruential generator): the same sequence on every platform and library, so
// that the generated files are identical from run to run.
class Random {
public:
    explicit Random(uint64_t seed, uint64_t stream = 0x5851f42d4c957f2dULL)
        : increment((stream << 1u) | 1u) {
        next();
        state += seed;
        next();
    }

    uint32_t next() {
        const uint64_t old = state;
        state = old * 6364136223846793005ULL + increment;
        const uint32_t shifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        const uint32_t rotation = static_cast<uint32_t>(old >> 59u);
        return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
    }

    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
    float range(float low, float high) { return low + (high - low) * uniform(); }
    int below(int count) { return static_cast<int>(next() % static_cast<uint32_t>(count)); }
    bool chance(float probability) { return uniform() < probability; }

private:
    uint64_t state = 0;
    uint64_t increment;
};
