// A distant wolf: a long howl that slides up, holds with a slow waver and falls away, answered by a
// second, farther wolf; the valley's echo and the distance take the edge off both.
#include <algorithm>
#include <cmath>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

constexpr double kLength = 8.5;

struct Howl {
    double start, rise, hold, fall;  // seconds
    double low, high, end;           // Hz: where it starts, where it holds, where it drops to
    float gain, pan;
};

double howlPitch(const Howl& h, double t) {
    if (t < h.rise) {
        const double a = t / h.rise;
        return h.low + (h.high - h.low) * std::sin(kPi / 2.0 * a);
    }
    if (t < h.rise + h.hold) {
        const double a = (t - h.rise) / h.hold;
        return h.high * (1.0 + 0.06 * a) * (1.0 + 0.012 * std::sin(kTwoPi * 5.3 * t));
    }
    const double a = std::min(1.0, (t - h.rise - h.hold) / h.fall);
    return h.high * 1.06 + (h.end - h.high * 1.06) * a * a;
}

double howlLoudness(const Howl& h, double t) {
    const double total = h.rise + h.hold + h.fall;
    const double attack = std::min(1.0, t / (0.6 * h.rise));
    const double release = std::clamp((total - t) / h.fall, 0.0, 1.0);
    return attack * std::sqrt(release) * (0.9 + 0.1 * std::sin(kTwoPi * 0.9 * t));
}

// The howl is nearly a pure tone with a few overtones and a breath of air.
Mono sing(const Howl& h, Random& random) {
    const double total = h.rise + h.hold + h.fall;
    Mono howl(framesFor(total), 0.0f);
    const double overtones[] = {1.0, 0.4, 0.18, 0.08, 0.04};
    double phase = 0.0;
    Biquad breath = Biquad::bandPass(1100.0, 0.8);
    for (size_t i = 0; i < howl.size(); ++i) {
        const double t = secondsOf(i);
        phase += kTwoPi * howlPitch(h, t) / kSampleRate;
        double tone = 0.0;
        for (int n = 0; n < 5; ++n) tone += overtones[n] * std::sin((n + 1) * phase);
        tone += 0.05 * breath.process(random.bipolar());
        howl[i] = static_cast<float>(howlLoudness(h, t) * tone);
    }
    return howl;
}

}  // namespace

Stereo renderWolf() {
    Random random(0x3017);
    Stereo wolves(framesFor(kLength));
    const Howl howls[] = {
        {0.3, 0.55, 2.4, 1.1, 330.0, 560.0, 360.0, 1.0f, -0.3f},
        {2.9, 0.4, 1.6, 0.9, 420.0, 650.0, 450.0, 0.38f, 0.45f},
    };
    for (const Howl& howl : howls) {
        addPanned(wolves, sing(howl, random), framesFor(howl.start), howl.pan, howl.gain);
    }
    // Far away: the air takes the highs, the ground the lows.
    for (Mono* channel : {&wolves.left, &wolves.right}) {
        Biquad air = Biquad::lowPass(2400.0);
        Biquad ground = Biquad::highPass(160.0);
        for (float& sample : *channel) sample = air.process(ground.process(sample));
    }
    ReverbSettings valley;
    valley.roomSize = 0.93;
    valley.damping = 0.6;
    valley.wet = 0.45;
    valley.dry = 0.55;
    valley.scale = 1.6;
    valley.preDelay = 0.07;
    applyReverb(wolves, valley);
    removeDc(wolves);
    fadeOut(wolves, 1.2);
    normaliseLoudest(wolves, kEffectLoudness);
    return wolves;
}
