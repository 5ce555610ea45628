#pragma once

#include <cmath>
#include <cstdint>

// A small seeded generator (SplitMix64), so that every run produces the same sounds everywhere;
// the standard library's distributions may give other numbers with another library.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double low, double high) { return low + (high - low) * uniform(); }
    // Uniform in [-1, 1).
    float bipolar() { return static_cast<float>(2.0 * uniform() - 1.0); }
    bool chance(double probability) { return uniform() < probability; }
    // Standard normal, by the Box-Muller transform.
    double gaussian() {
        const double u1 = 1.0 - uniform();
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }
    // Waiting time of a Poisson process with the given rate (events per second).
    double exponential(double rate) { return -std::log(1.0 - uniform()) / rate; }

private:
    uint64_t state_;
};
