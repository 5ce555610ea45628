// A bubbling brew: bubbles that rise in pitch as they near the surface and burst with a tiny pop,
// an occasional big slow blorp, over a low simmer.
#include <algorithm>
#include <cmath>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

constexpr double kLength = 7.0;

// A bubble rings at a pitch set by its size, rising as it nears the surface, and fades fast.
void addBubble(Stereo& out, double time, double pitch, double decay, float loudness,
               Random& random) {
    Mono bubble(framesFor(decay * 5.0));
    double phase = 0.0;
    for (size_t i = 0; i < bubble.size(); ++i) {
        const double t = secondsOf(i);
        phase += kTwoPi * pitch * (1.0 + 0.3 * t / decay) / kSampleRate;
        const double attack = std::min(1.0, t / 0.0015);
        bubble[i] = loudness * static_cast<float>(attack * std::exp(-t / decay) * std::sin(phase));
    }
    // Some burst at the surface with a small wet click.
    if (random.chance(0.5)) {
        Biquad pop = Biquad::highPass(2500.0);
        const size_t end = bubble.size();
        for (size_t i = 0; i < framesFor(0.003) && i < end; ++i) {
            bubble[end - 1 - i] += 0.25f * loudness * pop.process(random.bipolar());
        }
    }
    addPanned(out, bubble, framesFor(time), random.bipolar() * 0.5f);
}

}  // namespace

Stereo renderCauldron() {
    Random random(0xCA11);
    Stereo brew(framesFor(kLength));

    for (Mono* channel : {&brew.left, &brew.right}) {
        Biquad simmer = Biquad::lowPass(140.0, 1.2);
        Biquad steam = Biquad::bandPass(2600.0, 0.7);
        for (float& sample : *channel) {
            sample =
                1.2f * simmer.process(random.bipolar()) + 0.012f * steam.process(random.bipolar());
        }
    }
    // Small and middling bubbles, thick brews favour the larger, lower ones.
    for (double t = 0.05; t < kLength - 0.2; t += random.exponential(13.0)) {
        const double pitch = 170.0 + 650.0 * std::pow(random.uniform(), 1.8);
        const double decay = 0.012 + 6.0 / pitch;
        const float loudness = static_cast<float>(random.range(0.25, 0.8));
        addBubble(brew, t, pitch, decay, loudness, random);
    }
    for (double t = 0.6; t < kLength - 0.5; t += random.range(0.9, 2.0)) {
        addBubble(brew, t, random.range(85.0, 130.0), random.range(0.07, 0.11), 1.0f, random);
    }

    ReverbSettings kitchen;
    kitchen.roomSize = 0.6;
    kitchen.damping = 0.5;
    kitchen.wet = 0.16;
    applyReverb(brew, kitchen);
    removeDc(brew);
    fadeIn(brew, 0.3);
    fadeOut(brew, 0.8);
    normaliseLoudest(brew, kEffectLoudness);
    return brew;
}
