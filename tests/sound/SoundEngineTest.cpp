#include <gtest/gtest.h>

#include "SceneSounds.h"
#include "SoundTestSupport.h"

// A driver that does not exist, or a real one on a machine without a sound card or server, must
// neither print nor leave the mixer half open. Callers built against another interface version
// are refused, and so is a second engine while the first owns the device.
TEST(SoundEngine, RefusesQuietlyWithoutADeviceAVersionOrWhileTaken) {
    for (const std::string driver : {"no-such-audio-driver", "alsa", "pulseaudio", "pipewire"}) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        std::unique_ptr<SoundEngine> engine(engineOnDriver(driver.c_str()));
        EXPECT_TRUE(engine == nullptr || driver != "no-such-audio-driver");
        engine.reset();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << driver;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << driver;
    }
    std::unique_ptr<SoundEngine> first(engineOnDriver("dummy"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(createSoundEngine(), nullptr);
    first.release()->drop();
    EXPECT_EQ(createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0"), nullptr);
    EXPECT_EQ(createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, nullptr), nullptr);
    EXPECT_NE(std::unique_ptr<SoundEngine>(createSoundEngine()), nullptr);
}

// Tracked handles follow their sound: one started paused waits for setIsPaused(false) and stop
// ends it; a missing or undecodable file gives a handle finished at once, prints nothing and
// disturbs no other sound. Paused and untracked, a sound could never be resumed: it is refused.
TEST(SoundEngine, TrackedHandlesFollowTheirSoundAndBadFilesPlayNothing) {
    TempDir dir;
    const std::string tone = toneWav(dir, "tone", 440.0, 5.0);
    const std::string broken = dir.write("broken.mp3", "this is not audio at all");
    const char* missing = "res/Soundeffects/no-such-sound.mp3";
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->play2D(tone.c_str(), false, true, false), nullptr);
    SoundHandle* sound = engine->play2D(tone.c_str(), false, true, true);
    ASSERT_NE(sound, nullptr);
    ASSERT_TRUE(engine->waitUntilDecoded(tone.c_str(), 5.0));
    EXPECT_FALSE(waitUntil([&] { return engine->playingCount() > 0; }, 0.1));
    EXPECT_FALSE(sound->isFinished());
    sound->setIsPaused(false);
    EXPECT_EQ(engine->playingCount(), 1);

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine->play2D(missing), nullptr);
    EXPECT_EQ(engine->play2D(nullptr), nullptr);
    for (const char* file : {missing, broken.c_str()}) {
        SoundHandle* handle = engine->play2D(file, true, false, true);
        EXPECT_TRUE(waitUntil([&] { return handle->isFinished(); }, 5.0)) << file;
        EXPECT_FALSE(engine->waitUntilDecoded(file, 5.0));
        handle->drop();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(sound->isFinished());
    EXPECT_EQ(engine->playingCount(), 1);
    sound->stop();
    EXPECT_TRUE(sound->isFinished());
    EXPECT_EQ(engine->playingCount(), 0);
    sound->drop();
}

// Decoded sounds start within play2D and are mixed at their own levels into the output; a looped
// sound plays on long after its length while the same sound unlooped ends.
TEST(SoundEngine, MixesDecodedSoundsAndLoopsOnlyTheLoopedOnes) {
    TempDir dir;
    const std::string low = toneWav(dir, "low", 440.0, 3.0),
                      blip = toneWav(dir, "blip", 660.0, 0.2);
    const std::string high = toneWav(dir, "high", 1320.0, 3.0);
    FastDiskOutput output;
    SoundEngine* engine = output.engine();
    ASSERT_NE(engine, nullptr);
    for (const std::string& file : {low, high, blip}) engine->waitUntilDecoded(file.c_str(), 5.0);
    const size_t start = output.framesWritten();
    engine->play2D(low.c_str());
    engine->play2D(high.c_str());
    SoundHandle* looped = engine->play2D(blip.c_str(), true, false, true);
    SoundHandle* once = engine->play2D(blip.c_str(), false, false, true);
    EXPECT_EQ(engine->playingCount(), 4);
    ASSERT_TRUE(output.play(44100 * 7 / 5));  // seven blips, well inside the long tones
    EXPECT_FALSE(looped->isFinished());
    EXPECT_TRUE(once->isFinished());
    EXPECT_EQ(engine->playingCount(), 3);
    for (SoundHandle* handle : {looped, once}) handle->drop();

    const std::vector<int16_t> played = output.finish();
    const size_t begin = start + 44100, end = start + 44100 * 5 / 4;
    for (double frequency : {440.0, 660.0, 1320.0})
        EXPECT_GT(tonePower(played, begin, end, frequency), 0.01) << frequency;
    EXPECT_LT(tonePower(played, begin, end, 880.0), 1e-4);
}

// A sound started paused plays from the position set before it is unpaused: its end comes that
// much sooner, a position past its end plays nothing; stopAllSounds ends every sound at once.
TEST(SoundEngine, APositionStartsTheSoundThatFarInAndStopAllEndsEverySound) {
    TempDir dir;
    const std::string tone = toneWav(dir, "tone", 440.0, 1.0);
    FastDiskOutput output;
    SoundEngine* engine = output.engine();
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(engine->waitUntilDecoded(tone.c_str(), 5.0));
    const auto startAt = [&](unsigned milliseconds) {
        SoundHandle* sound = engine->play2D(tone.c_str(), false, true, true);
        sound->setPlayPosition(milliseconds);
        sound->setIsPaused(false);
        return sound;
    };
    SoundHandle* whole = startAt(0);
    SoundHandle* tail = startAt(700);
    SoundHandle* past = startAt(1500);
    EXPECT_TRUE(past->isFinished());
    ASSERT_TRUE(output.play(44100 / 2));
    EXPECT_TRUE(tail->isFinished());
    EXPECT_FALSE(whole->isFinished());
    SoundHandle* looped = engine->play2D(tone.c_str(), true, false, true);
    engine->stopAllSounds();
    EXPECT_EQ(engine->playingCount(), 0);
    EXPECT_TRUE(whole->isFinished() && looped->isFinished());
    for (SoundHandle* handle : {whole, tail, past, looped}) handle->drop();
}

// play2D never waits for a decoder: it returns while the file is still undecoded, and the sound
// starts once the worker has it.
TEST(SoundEngine, PlayReturnsWhileTheFileIsStillUndecoded) {
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    engine->play2D(kMusicFile);
    EXPECT_FALSE(engine->waitUntilDecoded(kMusicFile, 0.0));
    EXPECT_TRUE(waitUntil([&] { return engine->playingCount() == 1; }, 10.0));
}
