#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SceneSounds.h"
#include "SoundEngine.h"
#include "SoundTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Waits until the condition holds, for at most the given time.
template <typename Condition>
bool eventually(Condition condition, double seconds) {
    const auto start = Clock::now();
    while (!condition()) {
        if (secondsSince(start) > seconds) return false;
        sleepSeconds(0.005);
    }
    return true;
}

// An engine writing its output to a file through SDL's disk driver, at the pace of a real device.
class DiskOutput {
public:
    DiskOutput() : path_(temporaryPath("output.raw")) {
        setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
        engine_.reset(engineOnDriver("disk"));
    }
    ~DiskOutput() {
        engine_.reset();
        std::remove(path_.c_str());
    }
    SoundEngine* engine() { return engine_.get(); }
    // Closes the device and returns everything it played.
    std::vector<int16_t> finish() {
        engine_.reset();
        return readRawSamples(path_);
    }

private:
    std::string path_;
    std::unique_ptr<SoundEngine> engine_;
};

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& name) : path(temporaryPath(name)) {}
    ~TemporaryFile() { std::remove(path.c_str()); }
    const std::string path;
};

}  // namespace

TEST(SoundEngine, NoOutputDeviceGivesNullAndPrintsNothing) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    SoundEngine* engine = engineOnDriver("no-such-audio-driver");
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(engine, nullptr);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    // Nothing may be left half open: a device that exists is found on the next try.
    std::unique_ptr<SoundEngine> second(engineOnDriver("dummy"));
    EXPECT_NE(second, nullptr);
}

TEST(SoundEngine, ProbingRealDriversPrintsNothing) {
    // Whether or not this machine has a sound card or a sound server, nothing may be printed.
    for (const char* driver : {"alsa", "pulseaudio", "pipewire"}) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        std::unique_ptr<SoundEngine> engine(engineOnDriver(driver));
        engine.reset();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << driver;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << driver;
    }
}

TEST(SoundEngine, RefusesAnotherVersionAndASecondEngine) {
    releaseProcessEngine();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0"), nullptr);
    EXPECT_EQ(createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, nullptr), nullptr);
    std::unique_ptr<SoundEngine> first(
        createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.6.0"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(createSoundEngine(), nullptr);
    first.release()->drop();  // hands the device back
    std::unique_ptr<SoundEngine> again(createSoundEngine());
    EXPECT_NE(again, nullptr);
}

TEST(SoundEngine, MissingOrBrokenFilePlaysNothingAndStopsNothing) {
    TemporaryFile tone("tone.wav");
    TemporaryFile broken("broken.mp3");
    writeToneWav(tone.path, 440.0, 2.0);
    std::FILE* file = std::fopen(broken.path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("this is not audio at all", file);
    std::fclose(file);

    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    SoundHandle* playing = engine->play2D(tone.path.c_str(), false, false, true);
    ASSERT_NE(playing, nullptr);
    ASSERT_TRUE(eventually([&] { return engine->playingCount() == 1; }, 5.0));

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine->play2D("res/Soundeffects/no-such-sound.mp3"), nullptr);
    SoundHandle* missing = engine->play2D("res/Soundeffects/no-such-sound.mp3", false, false, true);
    SoundHandle* undecodable = engine->play2D(broken.path.c_str(), true, false, true);
    EXPECT_EQ(engine->play2D(nullptr), nullptr);
    ASSERT_NE(missing, nullptr);
    ASSERT_NE(undecodable, nullptr);
    EXPECT_TRUE(eventually([&] { return missing->isFinished(); }, 5.0));
    EXPECT_TRUE(eventually([&] { return undecodable->isFinished(); }, 5.0));
    EXPECT_FALSE(engine->waitUntilDecoded(broken.path.c_str(), 5.0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    EXPECT_FALSE(playing->isFinished());
    EXPECT_EQ(engine->playingCount(), 1);
    missing->drop();
    undecodable->drop();
    playing->drop();
}

TEST(SoundEngine, TwoSoundsStartedTogetherBothReachTheOutput) {
    TemporaryFile low("low.wav");
    TemporaryFile high("high.wav");
    writeToneWav(low.path, 440.0, 3.0, 0.3);
    writeToneWav(high.path, 1320.0, 3.0, 0.3);
    DiskOutput output;
    ASSERT_NE(output.engine(), nullptr);
    ASSERT_TRUE(output.engine()->waitUntilDecoded(low.path.c_str(), 5.0));
    ASSERT_TRUE(output.engine()->waitUntilDecoded(high.path.c_str(), 5.0));
    output.engine()->play2D(low.path.c_str());
    output.engine()->play2D(high.path.c_str());
    EXPECT_EQ(output.engine()->playingCount(), 2);
    sleepSeconds(0.8);
    const std::vector<int16_t> played = output.finish();

    const size_t frames = played.size() / 2;
    ASSERT_GT(frames, 44100u / 4);
    // The last quarter of a second that was written, when both tones are surely sounding.
    const size_t begin = frames - 44100 / 4;
    const double lowPower = tonePower(played, begin, frames, 440.0);
    const double highPower = tonePower(played, begin, frames, 1320.0);
    const double elsewhere = tonePower(played, begin, frames, 880.0);
    EXPECT_GT(lowPower, 0.01);
    EXPECT_GT(highPower, 0.01);
    EXPECT_LT(elsewhere, 1e-4);
}

TEST(SoundEngine, LoopedSoundIsStillPlayingLongAfterItsLength) {
    TemporaryFile tone("short.wav");
    writeToneWav(tone.path, 660.0, 0.2, 0.3);
    DiskOutput output;
    SoundEngine* engine = output.engine();
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(engine->waitUntilDecoded(tone.path.c_str(), 5.0));
    SoundHandle* looped = engine->play2D(tone.path.c_str(), true, false, true);
    SoundHandle* once = engine->play2D(tone.path.c_str(), false, false, true);
    ASSERT_NE(looped, nullptr);
    ASSERT_NE(once, nullptr);
    sleepSeconds(1.2);  // six times the sound's length
    EXPECT_FALSE(looped->isFinished());
    EXPECT_TRUE(once->isFinished());
    EXPECT_EQ(engine->playingCount(), 1);
    looped->drop();
    once->drop();
    const std::vector<int16_t> played = output.finish();

    const size_t frames = played.size() / 2;
    ASSERT_GT(frames, 44100u / 2);
    const size_t begin = frames - 44100 / 5;
    EXPECT_GT(tonePower(played, begin, frames, 660.0), 0.01);
}

TEST(SoundEngine, TrackedSoundCanStartPausedAndBeStopped) {
    TemporaryFile tone("paused.wav");
    writeToneWav(tone.path, 500.0, 2.0);
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    SoundHandle* sound = engine->play2D(tone.path.c_str(), false, true, true);
    ASSERT_NE(sound, nullptr);
    ASSERT_TRUE(engine->waitUntilDecoded(tone.path.c_str(), 5.0));
    sleepSeconds(0.05);
    EXPECT_EQ(engine->playingCount(), 0);
    EXPECT_FALSE(sound->isFinished());
    sound->setIsPaused(false);
    EXPECT_EQ(engine->playingCount(), 1);
    sound->stop();
    EXPECT_TRUE(sound->isFinished());
    EXPECT_EQ(engine->playingCount(), 0);
    sound->drop();
    // Paused and untracked: it could never be resumed, so it is not started at all.
    EXPECT_EQ(engine->play2D(tone.path.c_str(), false, true, false), nullptr);
    sleepSeconds(0.05);
    EXPECT_EQ(engine->playingCount(), 0);
}

// The time play2D takes, the middle of three calls, so that one preemption of the test process
// by a busy machine does not count.
double medianPlaySeconds(SoundEngine& engine, const char* file, bool looped) {
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        engine.play2D(file, looped, false, false, ESM_AUTO_DETECT, false);
        times.push_back(secondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

TEST(SoundEngine, PlayReturnsAtOnceEvenBeforeTheFileIsDecoded) {
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    // The music takes far longer than a frame to decode; the calls must not wait for it.
    const auto start = Clock::now();
    EXPECT_LT(medianPlaySeconds(*engine, kMusicFile, false), 0.001);
    EXPECT_LT(secondsSince(start), 0.02);
    EXPECT_TRUE(eventually([&] { return engine->playingCount() == 3; }, 10.0));
}

TEST(SoundEngine, PlayTakesUnderAMillisecondForEverySceneSoundAfterPreload) {
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    preloadSceneSounds(engine.get());
    for (const char* file : kSceneSoundFiles) {
        ASSERT_TRUE(engine->waitUntilDecoded(file, 10.0)) << file;
    }
    for (const char* file : kSceneSoundFiles) {
        const bool looped = std::string(file) == kRainSoundFile;
        EXPECT_LT(medianPlaySeconds(*engine, file, looped), 0.001) << file;
    }
    // All of them at once: the music, the effects and the rain under them.
    EXPECT_EQ(engine->playingCount(), static_cast<int>(3 * kSceneSoundFiles.size()));
}

TEST(SceneSounds, HelpersPlayTheSceneSoundsAndAcceptNoEngine) {
    preloadSceneSounds(nullptr);
    playSceneSound(nullptr, kRainSoundFile);
    std::unique_ptr<SoundEngine> engine(engineOnDriver("dummy"));
    ASSERT_NE(engine, nullptr);
    playSceneSound(engine.get(), "res/Soundeffects/gate.mp3");
    playSceneSound(engine.get(), kRainSoundFile);
    ASSERT_TRUE(eventually([&] { return engine->playingCount() == 2; }, 10.0));
    // The gate ends on its own (the output may run late on a busy machine); the rain loops on.
    SoundSamples gate;
    ASSERT_TRUE(engine->waitUntilDecoded("res/Soundeffects/gate.mp3", 10.0, &gate));
    const double gateSeconds = static_cast<double>(gate.frames) / kSoundSampleRate;
    EXPECT_TRUE(eventually([&] { return engine->playingCount() < 2; }, gateSeconds + 20.0));
    sleepSeconds(0.3);
    EXPECT_EQ(engine->playingCount(), 1);
}
