#include "Voice.h"

#include "Random.h"

Vowel mixVowels(const Vowel& a, const Vowel& b, double amount) {
    return {a.f1 + (b.f1 - a.f1) * amount, a.f2 + (b.f2 - a.f2) * amount,
            a.f3 + (b.f3 - a.f3) * amount};
}

GlottalSource::GlottalSource(uint64_t seed, double jitter) : jitter_(jitter), state_(seed) {}

float GlottalSource::next(double frequency) {
    const double step = frequency * wobble_ / kSampleRate;
    phase_ += step;
    if (phase_ >= 1.0) {
        phase_ -= 1.0;
        Random random(state_);
        state_ = random.next();
        wobble_ = 1.0 + jitter_ * random.bipolar();
    }
    double saw = 2.0 * phase_ - 1.0;
    // PolyBLEP: rounds the jump so that it does not alias.
    if (phase_ < step) {
        const double t = phase_ / step;
        saw -= t + t - t * t - 1.0;
    } else if (phase_ > 1.0 - step) {
        const double t = (phase_ - 1.0) / step;
        saw -= t * t + t + t + 1.0;
    }
    return soften_.process(static_cast<float>(-saw));
}

void FormantFilter::setVowel(const Vowel& vowel) {
    first_.setBandPass(vowel.f1, vowel.f1 / 90.0);
    second_.setBandPass(vowel.f2, vowel.f2 / 110.0);
    third_.setBandPass(vowel.f3, vowel.f3 / 160.0);
}

float FormantFilter::process(float x) {
    return first_.process(x) + 0.55f * second_.process(x) + 0.3f * third_.process(x);
}
