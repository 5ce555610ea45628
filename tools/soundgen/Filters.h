#pragma once

#include <cmath>

#include "Audio.h"

// A second-order section (the RBJ cookbook forms), run in transposed direct form II.
struct Biquad {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float z1 = 0.0f, z2 = 0.0f;

    float process(float x) {
        const float y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }

    // Changes the response and keeps the state, so a filter can sweep while it runs.
    void setLowPass(double frequency, double q) {
        const Terms t = terms(frequency, q);
        set((1.0 - t.cosw) / 2.0, 1.0 - t.cosw, (1.0 - t.cosw) / 2.0, t);
    }
    void setHighPass(double frequency, double q) {
        const Terms t = terms(frequency, q);
        set((1.0 + t.cosw) / 2.0, -(1.0 + t.cosw), (1.0 + t.cosw) / 2.0, t);
    }
    // Band-pass with a peak gain of one at the centre frequency.
    void setBandPass(double frequency, double q) {
        const Terms t = terms(frequency, q);
        set(t.alpha, 0.0, -t.alpha, t);
    }

    static Biquad lowPass(double frequency, double q = 0.7071) {
        Biquad f;
        f.setLowPass(frequency, q);
        return f;
    }
    static Biquad highPass(double frequency, double q = 0.7071) {
        Biquad f;
        f.setHighPass(frequency, q);
        return f;
    }
    static Biquad bandPass(double frequency, double q) {
        Biquad f;
        f.setBandPass(frequency, q);
        return f;
    }

private:
    struct Terms {
        double cosw, alpha;
    };
    static Terms terms(double frequency, double q) {
        const double limited = std::fmin(frequency, 0.45 * kSampleRate);
        const double w = kTwoPi * limited / kSampleRate;
        return {std::cos(w), std::sin(w) / (2.0 * q)};
    }
    void set(double nb0, double nb1, double nb2, const Terms& t) {
        const double a0 = 1.0 + t.alpha;
        b0 = static_cast<float>(nb0 / a0);
        b1 = static_cast<float>(nb1 / a0);
        b2 = static_cast<float>(nb2 / a0);
        a1 = static_cast<float>(-2.0 * t.cosw / a0);
        a2 = static_cast<float>((1.0 - t.alpha) / a0);
    }
};

// First-order low-pass: y += k (x - y).
struct OnePole {
    float k = 1.0f;
    float y = 0.0f;

    explicit OnePole(double frequency = 1000.0) { setFrequency(frequency); }
    void setFrequency(double frequency) {
        k = static_cast<float>(1.0 - std::exp(-kTwoPi * frequency / kSampleRate));
    }
    float process(float x) { return y += k * (x - y); }
};
