// A ghost's moan: a hollow "ooo-oh-ooo" that swells and sinks, sung by two slightly detuned voices
// with a faint octave above, breathy, in a large reverberant hall.
#include <algorithm>
#include <cmath>

#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"
#include "Voice.h"

namespace {

constexpr double kLength = 6.5;
constexpr double kVoiceEnd = 5.2;

// Pitch of the moan: rises to a crest and sinks below where it began.
double moanPitch(double t) {
    const double rise = 165.0 + 70.0 * std::sin(kPi * std::min(1.0, t / 3.0));
    const double sink = t > 2.6 ? -40.0 * (t - 2.6) / (kVoiceEnd - 2.6) : 0.0;
    const double vibrato = 1.0 + 0.02 * std::sin(kTwoPi * 4.6 * t) * std::min(1.0, t / 1.5);
    return (rise + sink) * vibrato;
}

Vowel moanVowel(double t) {
    if (t < 1.6) return mixVowels(kVowelOo, kVowelOh, t / 1.6);
    if (t < 3.2) return mixVowels(kVowelOh, kVowelAh, 0.35 * std::sin(kPi * (t - 1.6) / 1.6));
    return mixVowels(kVowelOh, kVowelOo, std::min(1.0, (t - 3.2) / 1.5));
}

double moanLoudness(double t) {
    const double swell = std::sin(kPi * std::clamp(t / kVoiceEnd, 0.0, 1.0));
    return std::pow(swell, 0.8) * (0.85 + 0.15 * std::sin(kTwoPi * 0.7 * t));
}

}  // namespace

Stereo renderGhost() {
    Random random(0x6405);
    Stereo ghost(framesFor(kLength));
    struct Singer {
        double ratio;
        float gain;
        float pan;
    };
    const Singer singers[] = {{1.0, 1.0f, -0.25f}, {1.006, 0.8f, 0.3f}, {2.003, 0.22f, 0.0f}};
    uint64_t seed = 11;
    for (const Singer& singer : singers) {
        GlottalSource voice(seed++, 0.01);
        FormantFilter tract;
        OnePole breathShape(1800.0);
        Mono sung(framesFor(kVoiceEnd), 0.0f);
        for (size_t i = 0; i < sung.size(); ++i) {
            const double t = secondsOf(i);
            if (i % 32 == 0) tract.setVowel(moanVowel(t));
            const float breath = breathShape.process(random.bipolar()) * 0.9f;
            const float buzz = voice.next(moanPitch(t) * singer.ratio);
            sung[i] = static_cast<float>(moanLoudness(t)) * tract.process(buzz + breath);
        }
        addPanned(ghost, sung, framesFor(0.2), singer.pan, singer.gain);
    }
    ReverbSettings hall;
    hall.roomSize = 0.92;
    hall.damping = 0.5;
    hall.wet = 0.42;
    hall.dry = 0.7;
    hall.scale = 1.5;
    hall.preDelay = 0.04;
    applyReverb(ghost, hall);
    removeDc(ghost);
    fadeOut(ghost, 0.8);
    normaliseLoudest(ghost, kEffectLoudness);
    return ghost;
}
