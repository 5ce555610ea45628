// Steady rain that loops: a wash of fine drops, single ticks on nearer surfaces, plinks of drops
// into puddles and a low patter on the roof. The loop's seam is hidden by an equal-power crossfade
// of the audio that would follow the end into the beginning.
#include <cmath>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

constexpr double kLoopSeconds = 12.0;
constexpr double kSettle = 1.0;     // rendered first and dropped, so the reverb is already full
constexpr double kCrossfade = 1.0;  // rendered after the loop and folded onto its start

void addTick(Mono& out, size_t at, double pitch, double decay, float loudness, Random& random) {
    const double phase = random.range(0.0, kTwoPi);
    for (size_t i = 0; i < framesFor(decay * 5.0) && at + i < out.size(); ++i) {
        const double t = secondsOf(i);
        out[at + i] += loudness * static_cast<float>(std::exp(-t / decay) *
                                                     std::sin(kTwoPi * pitch * t + phase));
    }
}

void addPlink(Mono& out, size_t at, double pitch, float loudness) {
    const double decay = 0.012;
    double phase = 0.0;
    for (size_t i = 0; i < framesFor(decay * 5.0) && at + i < out.size(); ++i) {
        const double t = secondsOf(i);
        phase += kTwoPi * pitch * (1.0 + 25.0 * t) / kSampleRate;
        out[at + i] += loudness * static_cast<float>(std::min(1.0, t / 0.001) *
                                                     std::exp(-t / decay) * std::sin(phase));
    }
}

Mono rainChannel(size_t frames, Random& random) {
    Mono out(frames, 0.0f);
    // Light below 1 kHz, so that the music's lower octaves carry over it.
    Biquad washLow = Biquad::highPass(600.0);
    Biquad washHigh = Biquad::lowPass(7000.0);
    Biquad patterLow = Biquad::highPass(120.0);
    Biquad patter = Biquad::lowPass(300.0);
    for (size_t i = 0; i < frames; ++i) {
        out[i] = 0.22f * washHigh.process(washLow.process(random.bipolar())) +
                 0.35f * patter.process(patterLow.process(random.bipolar()));
    }
    for (double t = 0.0; t < secondsOf(frames); t += random.exponential(320.0)) {
        const float loudness = static_cast<float>(0.02 + 0.2 * std::pow(random.uniform(), 3.0));
        addTick(out, framesFor(t), random.range(2000.0, 7500.0), random.range(0.0006, 0.002),
                loudness, random);
    }
    for (double t = 0.0; t < secondsOf(frames); t += random.exponential(7.0)) {
        addPlink(out, framesFor(t), random.range(1100.0, 2800.0),
                 static_cast<float>(random.range(0.05, 0.16)));
    }
    return out;
}

}  // namespace

Stereo renderRain() {
    Random random(0x4A1);
    const size_t settle = framesFor(kSettle);
    const size_t loop = framesFor(kLoopSeconds);
    const size_t fade = framesFor(kCrossfade);
    Stereo wide(settle + loop + fade);
    wide.left = rainChannel(wide.frames(), random);
    wide.right = rainChannel(wide.frames(), random);
    ReverbSettings outside;
    outside.roomSize = 0.7;
    outside.wet = 0.2;
    applyReverb(wide, outside);
    removeDc(wide);

    // The loop's first frames blend from what follows its end (at full weight, so the join from
    // the last frame is continuous) into its own beginning. The two are unrelated noise, so equal
    // power keeps the loudness even through the blend.
    Stereo rain(loop);
    for (size_t i = 0; i < loop; ++i) {
        float left = wide.left[settle + i];
        float right = wide.right[settle + i];
        if (i < fade) {
            const double angle = kPi / 2.0 * static_cast<double>(i) / fade;
            const float in = static_cast<float>(std::sin(angle));
            const float out = static_cast<float>(std::cos(angle));
            left = in * left + out * wide.left[settle + loop + i];
            right = in * right + out * wide.right[settle + loop + i];
        }
        rain.left[i] = left;
        rain.right[i] = right;
    }
    normaliseIntegrated(rain, kRainLoudness);
    return rain;
}
