#include <gtest/gtest.h>

#include <algorithm>

#include "LoudnessMeter.h"
#include "SceneLoudness.h"
#include "SceneSounds.h"
#include "SoundTestSupport.h"

namespace {
// Level of one channel over frames [begin, end), in decibels relative to full scale.
double level(const SoundSamples& s, int channel, size_t begin, size_t end) {
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) sum += std::pow(s.data[2 * i + channel] / 32768.0, 2);
    const double rms = std::sqrt(sum / static_cast<double>(std::max<size_t>(1, end - begin)));
    return 20.0 * std::log10(std::max(rms, 1e-12));
}
}  // namespace

// Every file the scene plays decodes to a plausible length at the loudness it was made to (the
// music's and the rain's integrated, an effect's loudest 400 ms) with its true peak under the
// limit, is neither faint nor loud on either side, and has no second of silence before its fading
// end (its last second and a half, or its last twentieth when it is long).
TEST(SceneSoundFiles, EachDecodesToASaneLengthLevelAndNoGap) {
    // Seconds each may last, in the order of kSceneSoundFiles: the music the whole flight, each
    // effect a few seconds, the rain a loop of some length.
    const double kSeconds[][2] = {{150, 240}, {2, 10},  {2, 10}, {3, 15}, {3, 15},
                                  {3, 12},    {1.5, 8}, {3, 12}, {5, 30}, {4, 15}};
    ASSERT_EQ(std::size(kSeconds), kSceneSoundFiles.size());
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    for (size_t f = 0; f < kSceneSoundFiles.size(); ++f) {
        SCOPED_TRACE(kSceneSoundFiles[f]);
        SoundSamples s;
        ASSERT_TRUE(engine->waitUntilDecoded(kSceneSoundFiles[f], 30.0, &s));
        EXPECT_GE(s.frames, kSeconds[f][0] * kSoundSampleRate);
        EXPECT_LE(s.frames, kSeconds[f][1] * kSoundSampleRate);
        std::vector<float> left(s.frames), right(s.frames);
        for (size_t i = 0; i < s.frames; ++i) {
            left[i] = s.data[2 * i] / 32768.0f;
            right[i] = s.data[2 * i + 1] / 32768.0f;
        }
        const Loudness loudness =
            measureLoudness({left.data(), right.data(), s.frames}, kSoundSampleRate);
        EXPECT_LE(loudness.truePeak, kEncodedTruePeakLimit);
        if (f == 0 || kSceneSoundFiles[f] == std::string(kRainSoundFile)) {
            EXPECT_NEAR(loudness.integrated, f == 0 ? kMusicLoudness : kRainLoudness, 1.0);
        } else {
            EXPECT_NEAR(loudness.momentaryMax, kEffectLoudness, 1.0);
        }
        const size_t second = kSoundSampleRate;
        const size_t end = s.frames - std::min(s.frames, std::max(second * 3 / 2, s.frames / 20));
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_GT(level(s, channel, 0, s.frames), -36.0) << "channel " << channel;
            EXPECT_LT(level(s, channel, 0, s.frames), -10.0) << "channel " << channel;
            for (size_t at = 0; at + second <= end; at += second / 10)
                EXPECT_GT(level(s, channel, at, at + second), -60.0) << "silent at " << at;
        }
    }
}

// The rain loops: the step from its last frame to its first is no bigger than its own steps, and
// with no encoder delay, padding or fade both ends are as loud as the whole.
TEST(RainLoop, JoinsItsEndToItsStartWithoutAStepOrAGap) {
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    SoundSamples rain;
    ASSERT_TRUE(engine->waitUntilDecoded(kRainSoundFile, 30.0, &rain));
    const size_t frames = rain.frames, edge = kSoundSampleRate / 20;
    ASSERT_GT(frames, size_t{kSoundSampleRate});
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        auto at = [&](size_t i) { return static_cast<int>(rain.data[2 * i + channel]); };
        std::vector<int> steps(frames - 1);
        for (size_t i = 0; i + 1 < frames; ++i) steps[i] = std::abs(at(i + 1) - at(i));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), steps[steps.size() * 999 / 1000]);
        const double whole = level(rain, channel, 0, frames);
        EXPECT_NEAR(level(rain, channel, 0, edge), whole, 2.0);
        EXPECT_NEAR(level(rain, channel, frames - edge, frames), whole, 2.0);
        EXPECT_NEAR(level(rain, channel, 0, 64), whole, 6.0);
        EXPECT_NEAR(level(rain, channel, frames - 64, frames), whole, 6.0);
    }
}

// The generator is deterministic: a fresh run writes, byte for byte, what the build wrote into
// res/ of the test work folder.
TEST(SoundGenerator, WritesTheSameBytesAsTheBuildDid) {
    TempDir dir;
    const ProcessResult run = runProcess(std::string(MURKMOOR_SOUNDGEN) + " " + dir.path(), "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const std::string file : kSceneSoundFiles) {
        const std::string written = readFile(dir.path() + "/" + file.substr(4));  // below "res/"
        EXPECT_TRUE(written == readFile(file)) << file;
    }
}
