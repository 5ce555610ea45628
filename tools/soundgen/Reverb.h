#pragma once

#include "Audio.h"

// A room reverb after the Schroeder-Moorer design: per channel eight feedback combs with a damping
// low-pass in the loop, in parallel, then four all-pass diffusers in series. The right channel's
// delays are a little longer, which decorrelates the two sides.
struct ReverbSettings {
    double roomSize = 0.8;  // 0 to 1: longer tails
    double damping = 0.4;   // 0 to 1: darker tails
    double wet = 0.25;
    double dry = 1.0;
    double width = 1.0;      // 0 mono tail, 1 full stereo
    double scale = 1.0;      // stretches every delay: a larger room
    double preDelay = 0.02;  // seconds before the tail starts
};

// Processes in place; the caller leaves room at the end for the tail to ring out.
void applyReverb(Stereo& audio, const ReverbSettings& settings);
