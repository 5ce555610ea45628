#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "Camera.h"
#include "CameraPath.h"
#include "SceneSounds.h"
#include "SoundTestSupport.h"

namespace {
float distanceTo(const CameraPath& path, int keyPoint) {
    float distance = 0.0f;
    for (int i = 0; i < keyPoint; ++i) {
        distance += glm::length(path.m_keyPoints[i + 1].position - path.m_keyPoints[i].position);
    }
    return distance;
}

bool waitFor(double seconds, const std::function<bool()>& check) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!check()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
}  // namespace

TEST(PathSounds, KeyPointsPlayTheirEffectsAndTheRainLoopsOn) {
    setenv("SDL_DISKAUDIOFILE", temporaryPath("path-sounds.raw").c_str(), 1);
    SoundEngine* engine = engineOnDriver("disk");
    ASSERT_NE(engine, nullptr);
    preloadSceneSounds(engine);
    for (const char* file : kSceneSoundFiles) ASSERT_TRUE(engine->waitUntilDecoded(file, 30.0));

    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    CameraPath path(&camera, nullptr);
    path.soundEngine = engine;
    EXPECT_EQ(engine->playingCount(), 0);  // construction fires nothing, key point 0 has no event

    path.update((distanceTo(path, 1) + 0.01f) / path.speed);  // the gate
    EXPECT_TRUE(waitFor(5.0, [&] { return engine->playingCount() == 1; }));

    // Straight on past the rain: every effect between starts, the rain among them.
    path.update((distanceTo(path, 79) - distanceTo(path, 1)) / path.speed);
    EXPECT_TRUE(waitFor(5.0, [&] { return engine->playingCount() >= 2; }));
    // Long after every one-shot effect has ended (the longest lasts under 12 s) the rain plays on.
    EXPECT_TRUE(waitFor(30.0, [&] { return engine->playingCount() == 1; }));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(engine->playingCount(), 1);
    delete engine;
    std::remove(temporaryPath("path-sounds.raw").c_str());
}
