#pragma once

#include <cstdint>

#include "Filters.h"

// Vocal-tract resonances of a vowel, in Hz.
struct Vowel {
    double f1, f2, f3;
};

constexpr Vowel kVowelOo{320.0, 800.0, 2240.0};
constexpr Vowel kVowelOh{500.0, 880.0, 2600.0};
constexpr Vowel kVowelAh{760.0, 1150.0, 2500.0};
constexpr Vowel kVowelEh{560.0, 1750.0, 2550.0};

Vowel mixVowels(const Vowel& a, const Vowel& b, double amount);

// The buzz of the vocal folds: a band-limited sawtooth (PolyBLEP), softened by a gentle low-pass,
// with its period shaken a little each cycle (jitter) for a rough, living voice.
class GlottalSource {
public:
    GlottalSource(uint64_t seed, double jitter);
    float next(double frequency);

private:
    double phase_ = 0.0;
    double wobble_ = 1.0;
    double jitter_;
    uint64_t state_;
    OnePole soften_{3000.0};
};

// Three parallel band-passes at the formants, retuned as the vowel moves.
class FormantFilter {
public:
    void setVowel(const Vowel& vowel);
    float process(float x);

private:
    Biquad first_, second_, third_;
};
