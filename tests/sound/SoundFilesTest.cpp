#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SceneSounds.h"
#include "SoundEngine.h"
#include "SoundTestSupport.h"

namespace {

struct SoundFile {
    const char* path;
    double shortest, longest;  // seconds
};

// The music lasts the whole flight; each effect is a few seconds, the rain a loop of some length.
const SoundFile kFiles[] = {
    {"res/Music/horrorPiano.mp3", 150.0, 240.0},   {"res/Soundeffects/gate.mp3", 2.0, 10.0},
    {"res/Soundeffects/ghost.mp3", 2.0, 10.0},     {"res/Soundeffects/fire.mp3", 3.0, 15.0},
    {"res/Soundeffects/chauldron.mp3", 3.0, 15.0}, {"res/Soundeffects/wolf.mp3", 3.0, 12.0},
    {"res/Soundeffects/laugh.mp3", 1.5, 8.0},      {"res/Soundeffects/chair.mp3", 3.0, 12.0},
    {"res/Soundeffects/rain.mp3", 5.0, 30.0},      {"res/Soundeffects/thunder.mp3", 4.0, 15.0},
};

void PrintTo(const SoundFile& file, std::ostream* out) {
    *out << file.path;
}

double decibels(double ratio) {
    return 20.0 * std::log10(std::max(ratio, 1e-12));
}

// Root mean square of one channel over frames [begin, end), relative to full scale.
double rms(const SoundSamples& s, int channel, size_t begin, size_t end) {
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) {
        const double v = s.data[2 * i + channel] / 32768.0;
        sum += v * v;
    }
    return std::sqrt(sum / static_cast<double>(std::max<size_t>(1, end - begin)));
}

class DecodedSoundFile : public testing::TestWithParam<SoundFile> {
protected:
    void SetUp() override {
        engine_.reset(engineOnDriver("dummy"));
        ASSERT_NE(engine_, nullptr);
        ASSERT_TRUE(engine_->waitUntilDecoded(GetParam().path, 30.0, &samples_))
            << GetParam().path << " does not decode";
    }
    std::unique_ptr<SoundEngine> engine_;
    SoundSamples samples_;
};

std::vector<unsigned char> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

}  // namespace

TEST_P(DecodedSoundFile, LastsItsExpectedTime) {
    const double seconds = static_cast<double>(samples_.frames) / kSoundSampleRate;
    EXPECT_GE(seconds, GetParam().shortest);
    EXPECT_LE(seconds, GetParam().longest);
}

TEST_P(DecodedSoundFile, NeverReachesFullScale) {
    int peak = 0;
    for (size_t i = 0; i < samples_.frames * 2; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples_.data[i])));
    }
    EXPECT_LT(peak, 31800) << "peak " << decibels(peak / 32768.0) << " dBFS";
    EXPECT_GT(peak, 8000) << "peak " << decibels(peak / 32768.0) << " dBFS";
}

TEST_P(DecodedSoundFile, LoudnessIsSaneOnBothSides) {
    for (int channel = 0; channel < 2; ++channel) {
        const double level = decibels(rms(samples_, channel, 0, samples_.frames));
        EXPECT_GT(level, -36.0) << "channel " << channel;
        EXPECT_LT(level, -10.0) << "channel " << channel;
    }
}

TEST_P(DecodedSoundFile, HasNoLongSilenceBeforeItsEnd) {
    // Tenths of a second, except the end where a sound may fade away: its last second and a half,
    // or its last twentieth when it is long.
    const size_t window = kSoundSampleRate / 10;
    const size_t fading = std::max(size_t{kSoundSampleRate} * 3 / 2, samples_.frames / 20);
    const size_t end = samples_.frames - std::min(samples_.frames, fading);
    int quietRun = 0, longestQuietRun = 0;
    for (size_t begin = 0; begin + window <= end; begin += window) {
        const double level = std::max(rms(samples_, 0, begin, begin + window),
                                      rms(samples_, 1, begin, begin + window));
        quietRun = decibels(level) < -60.0 ? quietRun + 1 : 0;
        longestQuietRun = std::max(longestQuietRun, quietRun);
    }
    EXPECT_LE(longestQuietRun, 8) << "tenths of a second of silence";
}

INSTANTIATE_TEST_SUITE_P(SceneSounds, DecodedSoundFile, testing::ValuesIn(kFiles),
                         [](const testing::TestParamInfo<SoundFile>& info) {
                             return std::filesystem::path(info.param.path).stem().string();
                         });

TEST(SceneSoundList, NamesEveryGeneratedFileOnce) {
    ASSERT_EQ(kSceneSoundFiles.size(), std::size(kFiles));
    for (const SoundFile& file : kFiles) {
        EXPECT_EQ(std::count_if(kSceneSoundFiles.begin(), kSceneSoundFiles.end(),
                                [&](const char* f) { return std::string(f) == file.path; }),
                  1)
            << file.path;
    }
}

TEST(RainLoop, JoinsItsEndToItsStartWithoutAStepOrAGap) {
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    SoundSamples rain;
    ASSERT_TRUE(engine->waitUntilDecoded(kRainSoundFile, 30.0, &rain));
    const size_t frames = rain.frames;
    ASSERT_GT(frames, size_t{kSoundSampleRate});
    for (int channel = 0; channel < 2; ++channel) {
        auto at = [&](size_t i) { return static_cast<int>(rain.data[2 * i + channel]); };
        // The step from the last frame to the first is no bigger than the rain's own steps.
        std::vector<int> steps(frames - 1);
        for (size_t i = 0; i + 1 < frames; ++i) steps[i] = std::abs(at(i + 1) - at(i));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
        const int usualLargest = steps[steps.size() * 999 / 1000];
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), usualLargest) << "channel " << channel;

        // No encoder delay or padding, and no fade: both ends are as loud as the whole.
        const size_t edge = kSoundSampleRate / 20;
        const double whole = decibels(rms(rain, channel, 0, frames));
        EXPECT_NEAR(decibels(rms(rain, channel, 0, edge)), whole, 2.0) << "channel " << channel;
        EXPECT_NEAR(decibels(rms(rain, channel, frames - edge, frames)), whole, 2.0)
            << "channel " << channel;
        EXPECT_NEAR(decibels(rms(rain, channel, 0, 64)), whole, 6.0) << "channel " << channel;
        EXPECT_NEAR(decibels(rms(rain, channel, frames - 64, frames)), whole, 6.0)
            << "channel " << channel;
    }
}

TEST(SoundGenerator, WritesIdenticalBytesOnEveryRun) {
    const std::filesystem::path first = temporaryPath("sounds-a");
    const std::filesystem::path second = temporaryPath("sounds-b");
    const std::string generator = MURKMOOR_SOUNDGEN;
    ASSERT_EQ(std::system((generator + " " + first.string() + " > /dev/null").c_str()), 0);
    ASSERT_EQ(std::system((generator + " " + second.string() + " > /dev/null").c_str()), 0);
    for (const SoundFile& file : kFiles) {
        const std::string relative = std::string(file.path).substr(4);  // below "res/"
        const std::vector<unsigned char> a = readBytes(first / relative);
        const std::vector<unsigned char> b = readBytes(second / relative);
        EXPECT_GT(a.size(), 10000u) << relative;
        EXPECT_TRUE(a == b) << relative;
    }
    std::filesystem::remove_all(first);
    std::filesystem::remove_all(second);
}
