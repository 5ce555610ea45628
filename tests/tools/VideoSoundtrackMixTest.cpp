#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "FlightTimeline.h"
#include "LoudnessMeter.h"
#include "ProcessRun.h"
#include "SceneSounds.h"
#include "Soundtrack.h"
#include "TestFiles.h"
#include "VideoTestSupport.h"

// The mix's filter graph run by ffmpeg on synthetic tones, decoded to PCM.
namespace {
class SoundtrackMixTest : public ::testing::Test {
protected:
    TempDir dir;

    std::string tone(const std::string& name, double amplitude, double frequency, double seconds) {
        const std::string path = dir.path() + "/" + name + ".wav";
        const std::string wave =
            std::to_string(amplitude) + "*sin(2*PI*" + std::to_string(frequency) + "*t)";
        const std::string source = wave + "|" + wave + ":s=44100:d=" + std::to_string(seconds);
        EXPECT_EQ(runProcess("ffmpeg -v error -f lavfi -i 'aevalsrc=" + source + "' " + path, "")
                      .exitCode,
                  0);
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

double rmsOver(const std::vector<int16_t>& samples, double from, double to) {
    return rmsOfFrames(samples, std::lround(from * kMixSampleRate),
                       std::lround(to * kMixSampleRate));
}

int peak(const std::vector<int16_t>& samples, double from, double to) {
    const auto at = [&](double t) { return samples.begin() + 2 * std::lround(t * kMixSampleRate); };
    const auto [low, high] = std::minmax_element(at(from), at(to));
    return std::max(-int{*low}, int{*high});
}
}  // namespace

// A sound starts at its sample, a sound begun before the range is joined where it has got to, one
// over before the range is left out unless it loops, and the mix lasts exactly the range, fading
// out over its last second (evenly: half way at half of it, all but silent at the end).
TEST_F(SoundtrackMixTest, SoundsStartAtTheirSampleAreJoinedWhereTheyHaveGotToOrLoopOn) {
    const std::string beep = tone("beep", 0.25, 440.0, 0.3), held = tone("held", 0.25, 330.0, 1.0);
    // In the range from 1 s: held has half a second left, beep starts at 0.6 s, early is long over.
    const std::vector<int16_t> samples =
        mix({{0.5, held, false}, {0.2, beep, false}, {1.6, beep, false}}, 1.0, 2.0);
    ASSERT_EQ(samples.size(), 4u * kMixSampleRate);
    EXPECT_GT(rmsOver(samples, 0.0, 0.45), 4000.0);
    EXPECT_EQ(rmsOver(samples, 0.51, 0.6 - 8.0 / kMixSampleRate), 0.0);
    EXPECT_GT(rmsOver(samples, 0.6 + 8.0 / kMixSampleRate, 0.605), 1000.0);
    EXPECT_EQ(rmsOver(samples, 0.91, 1.0), 0.0);  // over after its 0.3 s
    // Looped, a sound plays on to the end of the range; not looped, it was over long before.
    const std::vector<int16_t> looped = mix({{0.2, beep, true}}, 3.0, 2.0);
    for (double at = 0.0; at < 1.0; at += 0.05)
        EXPECT_GT(rmsOver(looped, at, at + 0.05), 4000.0) << at;
    const double full = rmsOver(looped, 0.0, 1.0);
    EXPECT_NEAR(rmsOver(looped, 1.49, 1.51) / full, 0.5, 0.05);
    EXPECT_LT(rmsOver(looped, 1.98, 2.0) / full, 0.02);
    EXPECT_EQ(rmsOver(mix({{0.2, beep, false}}, 3.0, 1.0), 0.0, 1.0), 0.0);
}

// Sounds add at full level (alone, one keeps its level: the mix does not scale inputs down), and
// a sum that would reach 1.85 of full scale is held under it, and not far under.
TEST_F(SoundtrackMixTest, SoundsAddAtFullLevelAndTheirSumStaysBelowFullScale) {
    const std::string low = tone("low", 0.25, 220.0, 2.0), loud = tone("loud", 0.8, 300.0, 2.0);
    const std::string louder = tone("louder", 0.8, 500.0, 2.0);
    const std::vector<int16_t> samples =
        mix({{0.0, low, false}, {0.5, loud, false}, {0.5, louder, false}}, 0.0, 2.5);
    ASSERT_EQ(samples.size(), 5u * kMixSampleRate);
    EXPECT_NEAR(peak(samples, 0.0, 0.45), 0.25 * 32767, 0.02 * 32767);
    EXPECT_LT(peak(samples, 0.6, 1.5), 0.95 * 32767);
    EXPECT_GT(peak(samples, 0.6, 1.5), 0.8 * 32767);
}

// The flight's soundtrack as the program plays it: every generated file at full volume from its
// cue, the rain looping on to the end of the flight, summed. "Over the music" is an effect's
// loudest 400 ms against the music's integrated loudness over the effect's span (at least 3 s);
// the rain's integrated loudness is set against the music's from the rain's start to its end.
namespace {
struct Track {
    std::vector<float> left, right;
    StereoSpan span() const { return {left.data(), right.data(), left.size()}; }
    StereoSpan seconds(double from, double to) const {
        return span().part(std::lround(from * kMixSampleRate),
                           std::lround((to - from) * kMixSampleRate));
    }
};

Track decodeTrack(const std::string& file, const std::string& filter = "") {
    const std::vector<int16_t> samples = decodeStereo(file, filter);
    Track track;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        track.left.push_back(samples[i] / 32768.0f);
        track.right.push_back(samples[i + 1] / 32768.0f);
    }
    return track;
}
}  // namespace

TEST(FlightMix, NeverClipsWithEachEffectClearlyOverTheMusicAndTheRainUnderIt) {
    const FlightTimeline timeline = traceFlight(30.0);
    const std::vector<SoundCue> cues = soundtrackCues(timeline);
    std::map<std::string, Track> files;
    for (const SoundCue& cue : cues) {
        if (files.count(cue.file)) continue;
        files[cue.file] = decodeTrack(cue.file);
        ASSERT_FALSE(files[cue.file].left.empty()) << cue.file;
    }
    const Track& music = files.at(kMusicFile);
    const double musicEnd = static_cast<double>(music.left.size()) / kMixSampleRate;
    const double end = std::max(musicEnd, timeline.arrival + kRestAtEndSeconds);

    Track mix;
    mix.left.assign(std::lround(end * kMixSampleRate), 0.0f);
    mix.right = mix.left;
    for (const SoundCue& cue : cues) {
        const Track& sound = files.at(cue.file);
        for (size_t at = std::lround(cue.time * kMixSampleRate); at < mix.left.size();
             at += sound.left.size()) {
            for (size_t i = 0; i < sound.left.size() && at + i < mix.left.size(); ++i) {
                mix.left[at + i] += sound.left[i];
                mix.right[at + i] += sound.right[i];
            }
            if (!cue.looped) break;
        }
        if (cue.file == kMusicFile) continue;
        const std::string where = cue.file + " at " + std::to_string(cue.time) + " s";
        if (cue.looped) {
            const double under =
                integratedLoudness(music.seconds(cue.time, musicEnd), kMixSampleRate) -
                integratedLoudness(sound.span(), kMixSampleRate);
            EXPECT_GE(under, 6.0) << where;
        } else {
            const double length = static_cast<double>(sound.left.size()) / kMixSampleRate;
            const StereoSpan under = music.seconds(cue.time, cue.time + std::max(length, 3.0));
            const double over = momentaryMaxLoudness(sound.span(), kMixSampleRate) -
                                integratedLoudness(under, kMixSampleRate);
            EXPECT_GE(over, 3.0) << where;
            EXPECT_LE(over, 10.0) << where;
        }
    }
    size_t clipped = 0;
    for (size_t i = 0; i < mix.left.size(); ++i)
        clipped += (std::fabs(mix.left[i]) > 1.0f) + (std::fabs(mix.right[i]) > 1.0f);
    EXPECT_EQ(clipped, 0u) << "peak " << truePeak(mix.span()) << " dBTP";

    // On a small speaker (a 150 Hz high-pass) the thunder still stands over the rain.
    const Track smallThunder = decodeTrack("res/Soundeffects/thunder.mp3", "highpass=f=150");
    EXPECT_GT(momentaryMaxLoudness(smallThunder.span(), kMixSampleRate),
              integratedLoudness(files.at(kRainSoundFile).span(), kMixSampleRate));
}
