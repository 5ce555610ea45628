#include <gtest/gtest.h>

#include <string>

#include "Camera.h"
#include "CameraPath.h"
#include "FlightTimeline.h"
#include "KeyPointFile.h"
#include "SceneSounds.h"
#include "Soundtrack.h"
#include "TestFiles.h"

// At any rate the gate sounds on the first step at or past key point 1 (never early, less than a
// frame late) and the flight ends when the last key point is reached (float steps drift a little
// over thousands of them: a second frame is allowed). The path's ten sounds come in flight order,
// only the rain loops, and the soundtrack is the music from 0 s, then those. Each key point is
// reached on the first step at or past it, as a capture of that key point relies on.
TEST(VideoTimeline, SoundsAndTheArrivalFallOnTheStepsThatReachTheirKeyPoints) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    CameraPath path(&camera, nullptr);
    std::vector<double> secondsTo = {0.0};
    for (size_t i = 1; i < path.m_keyPoints.size(); ++i) {
        secondsTo.push_back(secondsTo.back() + glm::length(path.m_keyPoints[i].position -
                                                           path.m_keyPoints[i - 1].position) /
                                                   path.speed);
    }
    for (double fps : {10.0, 30.0, 60.0}) {
        const FlightTimeline timeline = traceFlight(fps);
        const std::vector<SoundCue> cues = soundtrackCues(timeline);
        ASSERT_EQ(timeline.sounds.size(), 10u);
        EXPECT_EQ(timeline.sounds[0].file, "res/Soundeffects/gate.mp3");
        EXPECT_GE(timeline.sounds[0].time, secondsTo[1] - 1e-4) << fps;
        EXPECT_LT(timeline.sounds[0].time, secondsTo[1] + 1.0 / fps) << fps;
        EXPECT_NEAR(timeline.arrival, secondsTo.back(), 2.0 / fps) << fps;
        ASSERT_EQ(timeline.keyPointArrivals.size(), secondsTo.size()) << fps;
        for (size_t k = 0; k < secondsTo.size(); ++k) {
            EXPECT_GE(timeline.keyPointArrivals[k], secondsTo[k] - 2e-3) << k << " at " << fps;
            EXPECT_LT(timeline.keyPointArrivals[k], secondsTo[k] + 2.0 / fps) << k << " at " << fps;
        }
        EXPECT_EQ(timeline.keyPointArrivals.back(), timeline.arrival);
        ASSERT_EQ(cues.size(), 11u);
        EXPECT_TRUE(cues[0].file == kMusicFile && cues[0].time == 0.0 && !cues[0].looped);
        for (size_t i = 0; i < timeline.sounds.size(); ++i) {
            const SoundCue& cue = timeline.sounds[i];
            EXPECT_GT(cue.time, i > 0 ? timeline.sounds[i - 1].time : 0.0) << cue.file;
            EXPECT_EQ(cue.looped, cue.file == kRainSoundFile) << cue.file;
            EXPECT_TRUE(cues[i + 1].file == cue.file && cues[i + 1].time == cue.time &&
                        cues[i + 1].looped == cue.looped)
                << cue.file;
        }
    }
}

// A recorded file binds events as the scene's path does, by value: the rain key point written in
// the recorded form (and read back) starts the looped rain when it is reached, wherever it stands;
// a key point one digit away from it starts nothing.
TEST(VideoTimeline, ARecordedKeyPointEqualToAnEventKeyPointFiresItsEvent) {
    const std::vector<KeyPoint> scene = CameraPath::builtInKeyPoints();
    TempDir dir;
    std::string nudged = keyPointLine(scene[79].position, scene[79].target);
    nudged[nudged.find(')') - 1] ^= 1;  // the last digit of the eye's z
    const std::string file =
        dir.write("path.txt", keyPointLine(scene[78].position, scene[78].target) + "\n" + nudged +
                                  keyPointLine(scene[79].position, scene[79].target) +
                                  keyPointLine(scene[80].position, scene[80].target));
    std::vector<KeyPoint> recorded;
    std::string error;
    ASSERT_TRUE(readKeyPointFile(file, recorded, error)) << error;
    ASSERT_EQ(recorded.size(), 4u);
    const FlightTimeline timeline = traceFlight(30.0, recorded);
    ASSERT_EQ(timeline.sounds.size(), 1u);
    EXPECT_EQ(timeline.sounds[0].file, kRainSoundFile);
    EXPECT_TRUE(timeline.sounds[0].looped);
    EXPECT_EQ(timeline.sounds[0].time, timeline.keyPointArrivals[2]);
}
