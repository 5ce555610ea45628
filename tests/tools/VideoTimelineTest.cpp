#include <gtest/gtest.h>

#include <string>

#include "Camera.h"
#include "CameraPath.h"
#include "FlightTimeline.h"
#include "SceneSounds.h"
#include "Soundtrack.h"

namespace {
// Seconds to fly to a key point of the scene's path at the speed it starts with; -1 for the last.
double secondsTo(int keyPoint) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    CameraPath path(&camera, nullptr);
    const int last = keyPoint < 0 ? static_cast<int>(path.m_keyPoints.size()) - 1 : keyPoint;
    double distance = 0.0;
    for (int i = 0; i < last; ++i) {
        distance += glm::length(path.m_keyPoints[i + 1].position - path.m_keyPoints[i].position);
    }
    return distance / path.speed;
}
}  // namespace

TEST(VideoTimeline, TheGateSoundsWhenTheStepReachingKeyPointOneIsTaken) {
    const double expected = secondsTo(1);
    for (double fps : {10.0, 30.0, 60.0}) {
        const FlightTimeline timeline = traceFlight(fps);
        ASSERT_FALSE(timeline.sounds.empty());
        const SoundCue& gate = timeline.sounds.front();
        EXPECT_EQ(gate.file, "res/Soundeffects/gate.mp3");
        EXPECT_FALSE(gate.looped);
        // The first step at or past the key point: never early, less than a frame late.
        EXPECT_GE(gate.time, expected - 1e-4) << fps;
        EXPECT_LT(gate.time, expected + 1.0 / fps) << fps;
    }
}

TEST(VideoTimeline, SoundsComeInFlightOrderAndOnlyTheRainLoops) {
    const FlightTimeline timeline = traceFlight(30.0);
    ASSERT_EQ(timeline.sounds.size(), 10u);
    int rains = 0;
    for (size_t i = 0; i < timeline.sounds.size(); ++i) {
        const SoundCue& cue = timeline.sounds[i];
        if (i > 0) {
            EXPECT_GT(cue.time, timeline.sounds[i - 1].time) << cue.file;
        }
        EXPECT_EQ(cue.looped, cue.file == kRainSoundFile) << cue.file;
        rains += cue.file == kRainSoundFile;
        EXPECT_LT(cue.time, timeline.arrival);
    }
    EXPECT_EQ(rains, 1);
}

TEST(VideoTimeline, TheFlightEndsWhenTheLastKeyPointIsReached) {
    const double expected = secondsTo(-1);
    EXPECT_GT(expected, 60.0);
    for (double fps : {10.0, 30.0}) {
        const FlightTimeline timeline = traceFlight(fps);
        // Float steps drift a little over thousands of them: allow a second frame.
        EXPECT_NEAR(timeline.arrival, expected, 2.0 / fps) << fps;
    }
}

TEST(VideoTimeline, TheSoundtrackIsTheMusicFromTheStartThenThePathsSounds) {
    const FlightTimeline timeline = traceFlight(30.0);
    const std::vector<SoundCue> cues = soundtrackCues(timeline);
    ASSERT_EQ(cues.size(), timeline.sounds.size() + 1);
    EXPECT_EQ(cues[0].file, kMusicFile);
    EXPECT_EQ(cues[0].time, 0.0);
    EXPECT_FALSE(cues[0].looped);
    for (size_t i = 0; i < timeline.sounds.size(); ++i) {
        EXPECT_EQ(cues[i + 1].file, timeline.sounds[i].file);
        EXPECT_EQ(cues[i + 1].time, timeline.sounds[i].time);
    }
}
