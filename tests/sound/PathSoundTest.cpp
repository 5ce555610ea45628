#include <gtest/gtest.h>

#include "Camera.h"
#include "CameraPath.h"
#include "FlightJumps.h"
#include "SceneSounds.h"
#include "SoundTestSupport.h"

// The path plays each key point's effect through its engine as the key point is reached, the rain
// looped: long after every one-shot effect has ended, the rain plays on.
TEST(PathSounds, KeyPointsPlayTheirEffectsAndTheRainLoopsOn) {
    FastDiskOutput output;
    SoundEngine* engine = output.engine();
    ASSERT_NE(engine, nullptr);
    preloadSceneSounds(engine);
    for (const char* file : kSceneSoundFiles) ASSERT_TRUE(engine->waitUntilDecoded(file, 30.0));
    SoundSamples rain;
    engine->waitUntilDecoded(kRainSoundFile, 0.0, &rain);
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    CameraPath path(&camera, nullptr);
    path.soundEngine = engine;
    auto secondsTo = [&](int keyPoint) {
        float distance = 0.01f;
        for (int i = 0; i < keyPoint; ++i)
            distance +=
                glm::length(path.m_keyPoints[i + 1].position - path.m_keyPoints[i].position);
        return distance / path.speed;
    };
    EXPECT_EQ(engine->playingCount(), 0);  // construction fires nothing, key point 0 has no event
    path.update(secondsTo(1));             // the gate
    EXPECT_EQ(engine->playingCount(), 1);
    path.update(secondsTo(79) - secondsTo(1));  // every effect up to the rain
    EXPECT_GE(engine->playingCount(), 2);
    EXPECT_TRUE(waitUntil([&] { return engine->playingCount() == 1; }, 30.0));
    ASSERT_TRUE(output.play(rain.frames * 3 / 2));
    EXPECT_EQ(engine->playingCount(), 1);
}

// After a jump the sounds are the flight's at the moment: the music at its position, each effect
// from where it would be, the rain's loop only once its key point is reached, from its beginning.
TEST(PathSounds, AMomentPlaysTheMusicAtItsPositionAndWhatTheFlightHasStarted) {
    const FlightTimeline timeline = traceFlight(kFlightStepsPerSecond);
    double rain = -1.0;
    for (const SoundCue& cue : timeline.sounds)
        if (cue.looped) rain = cue.time;
    ASSERT_GT(rain, timeline.sounds.front().time);
    const auto find = [](const std::vector<SoundAt>& sounds, const std::string& file) {
        for (const SoundAt& sound : sounds)
            if (sound.file == file) return sound;
        return SoundAt{"", -1.0, false};
    };
    const std::vector<SoundAt> before =
        soundsAt(timeline, rain - 1.0 / kFlightStepsPerSecond, kFlightStepsPerSecond);
    EXPECT_EQ(find(before, kRainSoundFile).offset, -1.0);
    // The music and every effect but the rain's and the two thunders' after it.
    EXPECT_EQ(before.size(), 1 + timeline.sounds.size() - 3);

    const std::vector<SoundAt> after = soundsAt(timeline, rain + 10.0, kFlightStepsPerSecond);
    EXPECT_EQ(find(after, kMusicFile).offset, rain + 10.0);
    EXPECT_FALSE(find(after, kMusicFile).looped);
    EXPECT_TRUE(find(after, kRainSoundFile).looped);
    EXPECT_EQ(find(after, kRainSoundFile).offset, 0.0);
    const SoundCue& gate = timeline.sounds.front();
    EXPECT_NEAR(find(after, gate.file).offset, rain + 10.0 - gate.time, 1e-9);
}
