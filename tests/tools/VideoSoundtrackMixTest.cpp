#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "Soundtrack.h"
#include "TestFiles.h"
#include "VideoTestSupport.h"

// The mix's filter graph run by ffmpeg on synthetic tones, decoded to PCM.
namespace {
constexpr long kRate = kMixSampleRate;

class SoundtrackMixTest : public ::testing::Test {
protected:
    TempDir dir;

    // A stereo WAV of a sine tone.
    std::string tone(const std::string& name, double amplitude, double frequency, double seconds) {
        const std::string path = dir.path() + "/" + name + ".wav";
        const std::string wave =
            std::to_string(amplitude) + "*sin(2*PI*" + std::to_string(frequency) + "*t)";
        const std::string source =
            "aevalsrc=" + wave + "|" + wave + ":c=stereo:s=44100:d=" + std::to_string(seconds);
        const ProcessResult made =
            runProcess(shellCommand({"ffmpeg", "-v", "error", "-f", "lavfi", "-i", source, "-ac",
                                     "2", "-c:a", "pcm_s16le", path}),
                       "");
        EXPECT_EQ(made.exitCode, 0) << made.err;
        return path;
    }

    std::vector<int16_t> mix(const std::vector<SoundCue>& cues, double from, double duration) {
        const SoundtrackMix graph = soundtrackMix(cues, from, duration, 0);
        std::vector<std::string> command = {"ffmpeg", "-v", "error"};
        command.insert(command.end(), graph.inputArguments.begin(), graph.inputArguments.end());
        const std::string out = dir.path() + "/mix.wav";
        command.insert(command.end(),
                       {"-filter_complex", graph.filterGraph, "-map", "[aout]", "-y", out});
        const ProcessResult run = runProcess(shellCommand(command), "");
        EXPECT_EQ(run.exitCode, 0) << run.err << "\n" << graph.filterGraph;
        return decodeStereo(out);
    }
};

double windowRms(const std::vector<int16_t>& samples, double from, double to) {
    return rmsOfFrames(samples, static_cast<long>(from * kRate), static_cast<long>(to * kRate));
}

int16_t peak(const std::vector<int16_t>& samples, double from, double to) {
    int16_t highest = 0;
    for (long i = 2 * static_cast<long>(from * kRate);
         i < 2 * static_cast<long>(to * kRate) && i < static_cast<long>(samples.size()); ++i) {
        highest = std::max<int16_t>(highest, static_cast<int16_t>(std::abs(samples[i])));
    }
    return highest;
}
}  // namespace

TEST_F(SoundtrackMixTest, ASoundStartsAtItsSampleAndTheMixLastsExactlyTheRange) {
    const std::string beep = tone("beep", 0.25, 440.0, 0.3);
    const std::vector<int16_t> samples = mix({{1.25, beep, false}}, 1.0, 1.0);
    ASSERT_EQ(samples.size(), 2u * kRate);
    // Silent up to 0.25 s into the range, sounding from there.
    const long onset = kRate / 4;
    EXPECT_EQ(rmsOfFrames(samples, 0, onset - 8), 0.0);
    EXPECT_GT(rmsOfFrames(samples, onset + 8, onset + 200), 1000.0);
    EXPECT_EQ(windowRms(samples, 0.6, 1.0), 0.0);  // over after its 0.3 s
}

TEST_F(SoundtrackMixTest, ASoundStartedBeforeTheRangeIsJoinedWhereItHasGotTo) {
    const std::string held = tone("held", 0.25, 330.0, 1.0);
    const std::string early = tone("early", 0.25, 550.0, 0.3);
    // held began 0.5 s before the range: half a second of it is left; early is long over.
    const std::vector<int16_t> samples = mix({{0.5, held, false}, {0.2, early, false}}, 1.0, 1.0);
    ASSERT_EQ(samples.size(), 2u * kRate);
    EXPECT_GT(windowRms(samples, 0.0, 0.45), 4000.0);
    EXPECT_EQ(windowRms(samples, 0.55, 1.0), 0.0);
}

TEST_F(SoundtrackMixTest, ALoopedSoundPlaysOnToTheEndOfTheRange) {
    const std::string drops = tone("drops", 0.25, 440.0, 0.3);
    const std::vector<int16_t> samples = mix({{0.2, drops, true}}, 3.0, 1.0);
    ASSERT_EQ(samples.size(), 2u * kRate);
    for (double at = 0.0; at < 1.0; at += 0.05) {
        EXPECT_GT(windowRms(samples, at, at + 0.05), 4000.0) << at;
    }
    // The same sound not looped was over long before.
    EXPECT_EQ(windowRms(mix({{0.2, drops, false}}, 3.0, 1.0), 0.0, 1.0), 0.0);
}

TEST_F(SoundtrackMixTest, SoundsAddAtFullLevelAndTheirSumStaysBelowFullScale) {
    const std::string low = tone("low", 0.25, 220.0, 2.0);
    const std::string loud = tone("loud", 0.8, 300.0, 2.0);
    const std::string louder = tone("louder", 0.8, 500.0, 2.0);
    // Alone for the first half second, low keeps its level: the mix does not scale inputs down.
    const std::vector<int16_t> samples =
        mix({{0.0, low, false}, {0.5, loud, false}, {0.5, louder, false}}, 0.0, 1.5);
    EXPECT_NEAR(peak(samples, 0.0, 0.45), 0.25 * 32767, 0.02 * 32767);
    // Together they would reach 1.85 of full scale: held under it, and not far under.
    const int16_t together = peak(samples, 0.6, 1.5);
    EXPECT_LT(together, 0.95 * 32767);
    EXPECT_GT(together, 0.8 * 32767);
}

TEST_F(SoundtrackMixTest, SoundsStartingAfterTheRangeAreLeftOut) {
    const std::string beep = tone("late", 0.25, 440.0, 0.3);
    const SoundtrackMix graph =
        soundtrackMix({{0.0, beep, false}, {2.0, beep, false}}, 0.0, 2.0, 1);
    EXPECT_EQ(std::count(graph.inputArguments.begin(), graph.inputArguments.end(), "-i"), 1);
    EXPECT_NE(graph.filterGraph.find("[1:a]"), std::string::npos);
    EXPECT_EQ(graph.filterGraph.find("[2:a]"), std::string::npos);
}
