// An iron gate: the latch clanks, the hinge creaks open through a long squeal, and the gate strikes
// its post and rings.
#include <cmath>
#include <vector>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

struct Mode {
    double frequency, q, gain;
};

// The hinge and the bars near it: broad enough that the pulses' own pitch comes through as a
// squeal, coloured by the metal...
const Mode kCreakModes[] = {{540, 9, 1.0},    {1210, 11, 0.9}, {1760, 12, 0.7},
                            {2480, 14, 0.55}, {3170, 15, 0.4}, {4410, 16, 0.3}};
// ...and ringing long when struck.
const Mode kRingModes[] = {
    {412, 500, 1.0}, {1137, 650, 0.7}, {2228, 700, 0.5}, {3684, 800, 0.35}, {5503, 900, 0.2}};

// Rate of the hinge's stick-slip pulses over time (seconds, pulses per second): slow clicks that
// run together into a wavering squeal and break up again.
const double kCreakRate[][2] = {{0.50, 14},  {0.85, 45},  {1.25, 160}, {1.70, 430}, {2.10, 380},
                                {2.45, 520}, {2.85, 300}, {3.25, 90},  {3.55, 25},  {3.70, 12}};

double creakRate(double t) {
    const size_t count = sizeof(kCreakRate) / sizeof(kCreakRate[0]);
    if (t <= kCreakRate[0][0]) return kCreakRate[0][1];
    for (size_t i = 1; i < count; ++i) {
        if (t < kCreakRate[i][0]) {
            const double a = (t - kCreakRate[i - 1][0]) / (kCreakRate[i][0] - kCreakRate[i - 1][0]);
            const double smooth = a * a * (3.0 - 2.0 * a);
            return std::exp(std::log(kCreakRate[i - 1][1]) +
                            smooth * (std::log(kCreakRate[i][1]) - std::log(kCreakRate[i - 1][1])));
        }
    }
    return kCreakRate[count - 1][1];
}

Mono resonate(const Mono& excitation, const Mode* modes, size_t count) {
    Mono out(excitation.size(), 0.0f);
    for (size_t m = 0; m < count; ++m) {
        Biquad mode = Biquad::bandPass(modes[m].frequency, modes[m].q);
        const float gain = static_cast<float>(modes[m].gain * modes[m].q / 10.0);
        for (size_t i = 0; i < out.size(); ++i) out[i] += gain * mode.process(excitation[i]);
    }
    return out;
}

// A blow of metal on metal: a hard click with a short scrape of noise.
void strike(Mono& excitation, double time, float strength, Random& random) {
    const size_t start = framesFor(time);
    for (size_t i = 0; i < framesFor(0.008) && start + i < excitation.size(); ++i) {
        excitation[start + i] +=
            strength * random.bipolar() * static_cast<float>(std::exp(-secondsOf(i) / 0.0015));
    }
}

}  // namespace

Stereo renderGate() {
    Random random(0x6A7E);
    const double length = 6.0;
    Mono creak(framesFor(length), 0.0f);
    Mono blows(framesFor(length), 0.0f);

    strike(blows, 0.15, 0.6f, random);
    strike(creak, 0.15, 0.5f, random);
    for (double t = 0.5; t < 3.72;) {
        const double envelope = std::min(1.0, (t - 0.45) / 0.5) * std::min(1.0, (3.75 - t) / 0.4);
        const double rate = creakRate(t) * (1.0 + 0.04 * std::sin(kTwoPi * 6.0 * t));
        const size_t at = framesFor(t);
        if (at < creak.size()) {
            creak[at] += static_cast<float>(envelope * random.range(0.6, 1.0));
            blows[at] += static_cast<float>(0.02 * envelope);
        }
        // Slow clicks are irregular; once they run into a squeal the hinge settles into a steady
        // pitch.
        const double jitter = 0.01 + 0.08 * std::min(1.0, 60.0 / rate);
        t += (1.0 + jitter * random.bipolar()) / rate;
    }
    strike(blows, 4.05, 1.0f, random);
    strike(creak, 4.05, 0.8f, random);
    strike(blows, 4.16, 0.35f, random);  // the bounce

    Mono sound = resonate(creak, kCreakModes, sizeof(kCreakModes) / sizeof(kCreakModes[0]));
    const Mono ring = resonate(blows, kRingModes, sizeof(kRingModes) / sizeof(kRingModes[0]));
    Biquad thud = Biquad::lowPass(110.0);
    const size_t post = framesFor(4.05);
    for (size_t i = 0; i < sound.size(); ++i) {
        sound[i] += 0.08f * ring[i];
        if (i >= post && i < post + framesFor(0.15)) {
            const double t = secondsOf(i - post);
            sound[i] +=
                static_cast<float>(1.5 * thud.process(random.bipolar()) * std::exp(-t / 0.03));
        }
    }

    Stereo gate(sound.size());
    addPanned(gate, sound, 0, -0.15f);
    ReverbSettings yard;
    yard.roomSize = 0.55;
    yard.damping = 0.3;
    yard.wet = 0.14;
    applyReverb(gate, yard);
    removeDc(gate);
    fadeOut(gate, 0.5);
    normaliseLoudest(gate, kEffectLoudness);
    return gate;
}
