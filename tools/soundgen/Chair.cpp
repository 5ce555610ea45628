// A rocking chair: with each swing the joints creak one way and back, the rockers knock on the
// floorboards at the front of the swing, and the rocking slows down.
#include <cmath>

#include "Filters.h"
#include "Random.h"
#include "Reverb.h"
#include "Sounds.h"

namespace {

struct Mode {
    double frequency, q, gain;
};

// Dry old wood: low, strongly damped resonances.
const Mode kWoodModes[] = {{205, 9, 1.0},    {470, 11, 0.8},  {760, 12, 0.6},
                           {1240, 14, 0.45}, {2050, 15, 0.3}, {3200, 16, 0.18}};

// One creak: stick-slip pulses of wood on wood, quickening and slowing with the swing.
void addCreak(Mono& excitation, double start, double length, double rate, Random& random) {
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

    double t = 0.1;
    double period = 1.45;
    for (int swing = 0; swing < 4; ++swing) {
        const double fade = 1.0 - 0.15 * swing;
        // Back, then forward: two creaks of different pitch.
        addCreak(excitation, t + 0.05, 0.42, 62.0 * fade + 10.0, random);
        addCreak(excitation, t + period / 2.0, 0.38, 95.0 * fade + 10.0, random);
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
    Biquad floor = Biquad::bandPass(95.0, 2.0);
    Biquad board = Biquad::bandPass(330.0, 3.0);
    for (size_t i = 0; i < wood.size(); ++i) {
        wood[i] += 0.5f * floor.process(knocks[i]) + 0.25f * board.process(knocks[i]);
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
    normalisePeak(chair, 0.85f);
    return chair;
}
