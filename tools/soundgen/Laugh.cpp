// A witch's cackle: a quick run of high "heh-ha-ha" syllables, each breathed in with an "h" and
// falling in pitch, the run sinking and tiring, then a long rasping "haaa" to finish.
#include <algorithm>
#include <cmath>

#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"
#include "Voice.h"

namespace {

struct Syllable {
    double start, length;  // seconds
    double pitch;          // Hz at its start; it falls by a fifth of that
    float loudness;
    Vowel vowel;
};

void utter(Mono& out, const Syllable& s, Random& random, uint64_t seed) {
    GlottalSource voice(seed, 0.05);
    FormantFilter tract;
    tract.setVowel(s.vowel);
    const double aspiration = 0.03;
    const size_t start = framesFor(s.start);
    const size_t count = framesFor(aspiration + s.length);
    for (size_t i = 0; i < count && start + i < out.size(); ++i) {
        const double t = secondsOf(i);
        const double v = std::max(0.0, t - aspiration) / s.length;  // 0 to 1 across the voicing
        const double breath = std::exp(-std::max(0.0, t - 0.01) / 0.03) * 0.6;
        const double voiced = t < aspiration ? 0.0 : std::sin(kPi * std::pow(v, 0.6));
        // A fast flutter of loudness gives the cackle its rattle.
        const double rattle = 0.75 + 0.25 * std::sin(kTwoPi * 31.0 * t);
        const float buzz = voice.next(s.pitch * (1.0 - 0.2 * v));
        const float source = static_cast<float>(voiced * rattle) * buzz +
                             static_cast<float>(breath) * random.bipolar();
        out[start + i] += s.loudness * tract.process(source);
    }
}

}  // namespace

Stereo renderLaugh() {
    Random random(0x1A6);
    const double length = 4.2;
    Mono voice(framesFor(length), 0.0f);

    double t = 0.1;
    const int runLength = 12;
    for (int k = 0; k < runLength; ++k) {
        const double along = static_cast<double>(k) / (runLength - 1);
        Syllable s;
        s.start = t;
        s.length = 0.085 + 0.03 * along;
        s.pitch = (560.0 - 190.0 * along) * (1.0 + 0.04 * random.bipolar());
        s.loudness = static_cast<float>((1.0 - 0.4 * along) * random.range(0.85, 1.0));
        s.vowel = k < 3 ? kVowelEh : mixVowels(kVowelEh, kVowelAh, std::min(1.0, along * 1.5));
        utter(voice, s, random, static_cast<uint64_t>(100 + k));
        t += s.length + 0.06 + 0.04 * along + 0.01 * random.bipolar();
    }
    Syllable last{t + 0.08, 0.75, 400.0, 0.75f, kVowelAh};
    utter(voice, last, random, 999);

    Stereo laugh(voice.size());
    addPanned(laugh, voice, 0, 0.1f);
    ReverbSettings room;
    room.roomSize = 0.75;
    room.wet = 0.25;
    room.scale = 1.2;
    applyReverb(laugh, room);
    removeDc(laugh);
    fadeOut(laugh, 0.6);
    normaliseLoudest(laugh, kEffectLoudness);
    return laugh;
}
