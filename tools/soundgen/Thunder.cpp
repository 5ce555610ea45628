// Thunder: a close strike's tearing crack and boom, then a long rumble that rolls in waves as the
// sound of farther parts of the bolt arrives, and slowly dies away. Its weight lies between 60 and
// 250 Hz, which small speakers still play, rather than below.
#include <algorithm>
#include <cmath>
#include <vector>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

constexpr double kLength = 11.0;
constexpr double kStrike = 0.08;

struct Wave {
    double centre, width, height;
};

// The rumble's loudness: waves arriving one after another, each a little weaker.
double rumbleLevel(double t, const std::vector<Wave>& waves) {
    double level = 0.5 * std::exp(-(t - kStrike) / 2.5) * std::min(1.0, (t - kStrike) / 0.15);
    for (const Wave& w : waves) {
        const double x = (t - w.centre) / w.width;
        level += w.height * std::exp(-x * x);
    }
    return t < kStrike ? 0.0 : level;
}

Mono rumbleChannel(const std::vector<Wave>& waves, Random& random) {
    Mono out(framesFor(kLength), 0.0f);
    Biquad floor1 = Biquad::highPass(60.0), floor2 = Biquad::highPass(60.0);
    Biquad deep = Biquad::lowPass(250.0, 0.8);
    Biquad grumble = Biquad::bandPass(300.0, 0.9);
    double brown = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = secondsOf(i);
        if (i % 64 == 0) deep.setLowPass(250.0 - 90.0 * std::min(1.0, t / kLength), 0.8);
        brown = 0.98 * brown + 0.1 * random.bipolar();
        const double roll = 0.7 + 0.3 * std::sin(kTwoPi * 2.3 * t + std::sin(kTwoPi * 0.4 * t));
        const double level = rumbleLevel(t, waves);
        const float body = deep.process(floor2.process(floor1.process(static_cast<float>(brown))));
        out[i] = static_cast<float>(level *
                                    (2.2 * body + 0.4 * roll * grumble.process(random.bipolar())));
    }
    return out;
}

// The crack: a tearing run of sharp bursts over most of a second, the first the hardest.
void addCrack(Stereo& out, Random& random) {
    double t = kStrike;
    for (int burst = 0; burst < 22; ++burst) {
        const double decay = random.range(0.008, 0.04);
        const float loudness = static_cast<float>(std::pow(0.9, burst) * random.range(0.6, 1.0));
        Biquad edge = Biquad::highPass(random.range(150.0, 400.0));
        Mono crack(framesFor(decay * 6.0));
        for (size_t i = 0; i < crack.size(); ++i) {
            crack[i] = loudness * edge.process(random.bipolar()) *
                       static_cast<float>(std::exp(-secondsOf(i) / decay));
        }
        addPanned(out, crack, framesFor(t), random.bipolar() * 0.4f);
        t += random.range(0.02, 0.06);
    }
    // The boom that comes with it.
    Biquad boom = Biquad::bandPass(110.0, 0.9);
    Mono low(framesFor(1.5));
    for (size_t i = 0; i < low.size(); ++i) {
        const double s = secondsOf(i);
        low[i] = static_cast<float>(6.0 * std::min(1.0, s / 0.02) * std::exp(-s / 0.45)) *
                 boom.process(random.bipolar());
    }
    addPanned(out, low, framesFor(kStrike), 0.0f);
}

}  // namespace

Stereo renderThunder() {
    Random random(0x7B0);
    std::vector<Wave> waves;
    for (double c = 0.6; c < 8.0; c += random.range(0.5, 1.4)) {
        waves.push_back({c, random.range(0.3, 1.0), std::exp(-c / 3.2) * random.range(0.4, 1.0)});
    }
    Stereo thunder(framesFor(kLength));
    thunder.left = rumbleChannel(waves, random);
    thunder.right = rumbleChannel(waves, random);
    addCrack(thunder, random);

    ReverbSettings sky;
    sky.roomSize = 0.88;
    sky.damping = 0.5;
    sky.wet = 0.28;
    sky.scale = 1.5;
    applyReverb(thunder, sky);
    removeDc(thunder);
    fadeOut(thunder, 1.5);
    normaliseLoudest(thunder, kEffectLoudness);
    return thunder;
}
