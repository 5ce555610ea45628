// A rocking chair: with each swing the joints creak one way and back, the rockers scrape and knock
// on the floorboards at the front of the swing, and the rocking slows down. The wood's body sits
// between 300 Hz and 1 kHz, where it reads over the piano.
#include <algorithm>
#include <cmath>

#include "Filters.h"
#include "Levels.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

struct Mode {
    double frequency, q, gain;
};

// Dry old wood: strongly damped resonances, the strongest in the body's octaves.
const Mode kWoodModes[] = {{180, 8, 0.35}, {340, 9, 1.0},   {470, 10, 1.0},  {610, 11, 0.9},
                           {790, 12, 0.8}, {960, 12, 0.55}, {1380, 14, 0.3}, {2300, 15, 0.12}};

// One creak: stick-slip pulses of wood on wood, quickening and slowing with the swing, and the
// rubbing between them, which follows the swing.
void addCreak(Mono& excitation, Mono& rubbing, double start, double length, double rate,
              Random& random) {
    for (size_t i = framesFor(start); i < std::min(rubbing.size(), framesFor(start + length)); ++i)
        rubbing[i] += static_cast<float>(std::sin(kPi * (secondsOf(i) - start) / length));
    for (double t = 0.0; t < length;) {
        const double swing = std::sin(kPi * t / length);
        const size_t at = framesFor(start + t);
        if (at < excitation.size()) {
            excitation[at] += static_cast<float>(std::pow(swing, 0.7) * random.range(0.5, 1.0));
        }
        t += (1.0 + 0.15 * random.bipolar()) / (rate * (0.55 + 0.45 * swing));
    }
}

}  // namespace

Stereo renderChair() {
    Random random(0xC4A1);
    const double length = 7.0;
    Mono excitation(framesFor(length), 0.0f);
    Mono knocks(framesFor(length), 0.0f);
    Mono rubbing(framesFor(length), 0.0f);

    double t = 0.1;
    double period = 1.45;
    for (int swing = 0; swing < 4; ++swing) {
        const double fade = 1.0 - 0.15 * swing;
        // Back, then forward: two creaks of different pitch.
        addCreak(excitation, rubbing, t + 0.05, 0.42, 62.0 * fade + 10.0, random);
        addCreak(excitation, rubbing, t + period / 2.0, 0.38, 95.0 * fade + 10.0, random);
        const size_t knock = framesFor(t);
        for (size_t i = 0; i < framesFor(0.06) && knock + i < knocks.size(); ++i) {
            knocks[knock + i] +=
                static_cast<float>(fade * random.bipolar() * std::exp(-secondsOf(i) / 0.012));
        }
        t += period;
        period += 0.06;
    }

    Mono wood(excitation.size(), 0.0f);
    for (const Mode& mode : kWoodModes) {
        Biquad resonance = Biquad::bandPass(mode.frequency, mode.q);
        const float gain = static_cast<float>(mode.gain * mode.q / 10.0);
        for (size_t i = 0; i < wood.size(); ++i) wood[i] += gain * resonance.process(excitation[i]);
    }
    Biquad floor = Biquad::bandPass(110.0, 2.0);
    Biquad board = Biquad::bandPass(380.0, 3.0);
    Biquad scrapeLow = Biquad::highPass(320.0), scrapeHigh = Biquad::lowPass(950.0);
    for (size_t i = 0; i < wood.size(); ++i) {
        const float scrape = scrapeHigh.process(scrapeLow.process(random.bipolar()));
        wood[i] += 0.3f * floor.process(knocks[i]) + 0.35f * board.process(knocks[i]) +
                   0.15f * rubbing[i] * scrape;
    }

    Stereo chair(wood.size());
    addPanned(chair, wood, 0, 0.2f);
    ReverbSettings room;
    room.roomSize = 0.6;
    room.damping = 0.5;
    room.wet = 0.15;
    applyReverb(chair, room);
    removeDc(chair);
    fadeOut(chair, 0.5);
    normaliseLoudest(chair, kEffectLoudness);
    return chair;
}
