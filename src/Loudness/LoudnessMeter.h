#pragma once

#include <cstddef>
#include <vector>

// Loudness as ITU-R BS.1770-4 and EBU R128 define it, for two channels (left and right, each of
// weight one): K-weighted power in 400 ms blocks that start every 100 ms. Shared by the sound
// generator, which levels its sounds with it, and the tests, which check the mix with it.

// Blocks of 400 ms, one starting every 100 ms (75 % overlap).
constexpr double kLoudnessBlockSeconds = 0.4;
constexpr double kLoudnessBlockStepSeconds = 0.1;

struct StereoSpan {
    const float* left = nullptr;
    const float* right = nullptr;
    size_t frames = 0;

    StereoSpan part(size_t first, size_t count) const;
};

// Loudness of a K-weighted mean power, in LUFS; -infinity for silence.
double loudnessOfPower(double power);

// The K-weighted mean power of each 400 ms block, the blocks starting every 100 ms; none for a span
// shorter than a block.
std::vector<double> blockPowers(StereoSpan audio, int sampleRate);

struct Loudness {
    double integrated;    // LUFS, gated: absolute at -70 LUFS, relative at 10 LU under
    double momentaryMax;  // LUFS, the loudest 400 ms block
    double truePeak;      // dBTP, the largest magnitude between samples at 4x oversampling
};

Loudness measureLoudness(StereoSpan audio, int sampleRate);
double integratedLoudness(StereoSpan audio, int sampleRate);
double momentaryMaxLoudness(StereoSpan audio, int sampleRate);
double truePeak(StereoSpan audio);
