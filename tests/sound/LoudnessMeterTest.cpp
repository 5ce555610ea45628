#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "LoudnessMeter.h"

namespace {
constexpr int kRate = 44100;

// Appends `seconds` of a sine of the given level (dB of full scale) to both channels.
void addTone(std::vector<float>& audio, double frequency, double decibels, double seconds,
             double phase = 0.0) {
    const double amplitude = std::pow(10.0, decibels / 20.0);
    const size_t start = audio.size();
    for (size_t i = 0; i < static_cast<size_t>(seconds * kRate); ++i)
        audio.push_back(static_cast<float>(
            amplitude * std::sin(2.0 * M_PI * frequency * (start + i) / kRate + phase)));
}

StereoSpan both(const std::vector<float>& mono) {
    return {mono.data(), mono.data(), mono.size()};
}
}  // namespace

// A 997 Hz sine in both channels reads its own level (the K-weighting is flat there); quieter
// stretches more than 10 LU down and silence drop out of the integrated loudness while one 6 LU
// down counts; the true peak of a sine at a quarter of the rate, sampled 45 degrees off its crests,
// is its amplitude, 3 dB over its samples.
TEST(LoudnessMeter, ReadsTonesAtTheirLevelGatesQuietStretchesAndFindsPeaksBetweenSamples) {
    std::vector<float> tone;
    addTone(tone, 997.0, -20.0, 3.0);
    const Loudness plain = measureLoudness(both(tone), kRate);
    EXPECT_NEAR(plain.integrated, -20.0, 0.1);
    EXPECT_NEAR(plain.momentaryMax, -20.0, 0.1);
    EXPECT_NEAR(plain.truePeak, -20.0, 0.05);

    addTone(tone, 997.0, -26.0, 3.0);
    addTone(tone, 997.0, -45.0, 3.0);
    addTone(tone, 997.0, -200.0, 3.0);
    const double expected = 10.0 * std::log10((std::pow(10.0, -2.0) + std::pow(10.0, -2.6)) / 2);
    EXPECT_NEAR(integratedLoudness(both(tone), kRate), expected, 0.2);
    EXPECT_NEAR(momentaryMaxLoudness(both(tone), kRate), -20.0, 0.1);

    std::vector<float> high;
    addTone(high, kRate / 4.0, -6.0, 1.0, M_PI / 4.0);
    EXPECT_NEAR(truePeak(both(high)), -6.0, 0.1);
}
