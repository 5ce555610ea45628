// Crackling flames: the low roar of burning gas, a hiss, and wood that snaps in small crackles
// and the odd louder pop.
#include <cmath>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

constexpr double kLength = 7.0;

// One snap of wood: a few milliseconds of noise rung through a random band.
void addCrackle(Stereo& out, double time, double centre, double decay, float loudness,
                Random& random) {
    Biquad band = Biquad::bandPass(centre, random.range(1.0, 3.0));
    Mono snap(framesFor(decay * 6.0));
    for (size_t i = 0; i < snap.size(); ++i) {
        const double envelope = std::exp(-secondsOf(i) / decay);
        snap[i] = loudness * band.process(random.bipolar()) * static_cast<float>(envelope);
    }
    addPanned(out, snap, framesFor(time), random.bipolar() * 0.7f);
}

}  // namespace

Stereo renderFire() {
    Random random(0xF1AE);
    Stereo fire(framesFor(kLength));

    // Roar and hiss, each side its own noise so the fire sounds wide.
    for (Mono* channel : {&fire.left, &fire.right}) {
        Biquad roar = Biquad::lowPass(260.0, 0.9);
        Biquad hiss = Biquad::bandPass(3200.0, 0.6);
        const double phase = random.range(0.0, kTwoPi);
        for (size_t i = 0; i < channel->size(); ++i) {
            const double t = secondsOf(i);
            const double flicker = 0.75 + 0.15 * std::sin(kTwoPi * 0.37 * t + phase) +
                                   0.1 * std::sin(kTwoPi * 1.3 * t + 2.0 * phase);
            (*channel)[i] = static_cast<float>(flicker) * (1.6f * roar.process(random.bipolar()) +
                                                           0.05f * hiss.process(random.bipolar()));
        }
    }
    // Crackles come in bursts: their rate wanders between quiet spells and busy ones.
    for (double t = 0.02; t < kLength - 0.05;) {
        const double busy = 0.5 + 0.5 * std::sin(kTwoPi * 0.23 * t) * std::sin(kTwoPi * 0.61 * t);
        const float loudness = static_cast<float>(0.15 + 0.85 * std::pow(random.uniform(), 3.0));
        addCrackle(fire, t, random.range(1400.0, 7000.0), random.range(0.0004, 0.002), loudness,
                   random);
        t += random.exponential(4.0 + 30.0 * busy);
    }
    for (double t = 0.4; t < kLength - 0.3; t += random.exponential(1.6)) {
        addCrackle(fire, t, random.range(500.0, 1500.0), random.range(0.004, 0.01),
                   static_cast<float>(random.range(0.6, 1.0)), random);
    }

    ReverbSettings hearth;
    hearth.roomSize = 0.5;
    hearth.wet = 0.1;
    applyReverb(fire, hearth);
    removeDc(fire);
    fadeIn(fire, 0.4);
    fadeOut(fire, 0.9);
    normaliseLoudest(fire, kEffectLoudness);
    return fire;
}
