

#include "Effects/RainParticles.h"
#include "SimulationTestSupport.h"

using RainParticlesTest = GlTest;

// Catches rain that falls or draws while off; drops emitted in another number than the frame's
// share (33, 33, 34 at 60 fps), spawned outside the rectangle or below its top, bunched, or
// drifting sideways; finished drops not respawned, or sent to NaN or through the bottom by a stall;
// rain through the roof (a drop entering the house below its roof is taken out at once); streaks
// drawn as dots or blocks, or ignoring scale or speed; and blend or depth state left changed.
TEST_F(RainParticlesTest, SpawnsItsShareFallsStraightEndsAtTheBottomOrRoofAndDrawsStreaks) {
    const SceneTarget scene(kWidth, kHeight);
    RainParticles rain;
    rain.setArea(glm::vec2(-20.0f), glm::vec2(20.0f), 50.0f, -2.0f);
    rain.setSpeed(100.0f);
    rain.setScale(glm::vec2(0.1f, 4.0f));
    rain.setMatrices(glm::perspective(glm::radians(45.0f), float(kWidth) / kHeight, 0.1f, 150.0f),
                     glm::lookAt(glm::vec3(0, 0, 6), glm::vec3(0), glm::vec3(0, 1, 0)));
    auto rainFor = [&](int frames, float dt) {
        while (frames--) rain.update(dt);
    };
    auto drops = [&] { return readBuffer<glm::vec4>(rain.buffer, 16384); };
    auto falling = [&] {
        const std::vector<glm::vec4> all = drops();
        return std::count_if(all.begin(), all.end(), [](glm::vec4 d) { return d.w > 0.0f; });
    };
    // Draws over black, back faces culled as all frame long, and counts the pixels lit.
    auto litPixels = [&] {
        scene.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        glEnable(GL_CULL_FACE);
        rain.draw();
        const std::vector<float> red = redChannel(scene.readColour());
        return std::count_if(red.begin(), red.end(), [](float r) { return r > 0.0f; });
    };

    rainFor(30, kFrame);
    EXPECT_EQ(litPixels(), 0);
    rain.active = true;
    std::vector<glm::vec4> first;
    for (int expected : {33, 66, 100}) {
        rainFor(1, kFrame);
        if (first.empty()) first = drops();
        EXPECT_EQ(falling(), expected);
    }
    rainFor(28, kFrame);
    const std::vector<glm::vec4> later = drops();
    glm::vec2 low(1e9f), high(-1e9f);
    for (size_t i = 0; i < first.size(); ++i) {
        const glm::vec4 drop = first[i];
        if (drop.w <= 0.0f) continue;
        const glm::vec2 xz(drop.x, drop.z);
        EXPECT_TRUE(glm::all(glm::lessThanEqual(glm::abs(xz), glm::vec2(20))) && drop.y <= 50.0f &&
                    drop.y >= 50.0f - 10.0f * kFrame)
            << drop.y;
        const glm::vec3 expected = glm::vec3(drop) - glm::vec3(0, 30.0f * kFrame * drop.w, 0);
        EXPECT_LT(glm::distance(glm::vec3(later[i]), expected), 1e-3f);  // straight down
        low = glm::min(low, xz), high = glm::max(high, xz);
    }
    EXPECT_TRUE(glm::all(glm::greaterThan(high - low, glm::vec2(20.0f))));

    rain.setArea(glm::vec2(-20.0f), glm::vec2(20.0f), 1.0f, 0.0f);
    rainFor(1, 5.0f);  // a stall: the drops in the air pass the bottom, the new ones spawn below it
    rainFor(120, kFrame);
    for (const glm::vec4& d : drops())  // finished drops are parked far below
        ASSERT_TRUE(d.w > 0.0f ? std::isfinite(d.x + d.z) && d.y >= 0.0f : d.y < -1000.0f);
    // A drop falls the metre in about 0.11 s: about 2000 * 0.11 are in the air at any time.
    EXPECT_TRUE(falling() > 150 && falling() < 300) << falling();

    rain.setArea(glm::vec2(-9.0f, -7.0f), glm::vec2(5.0f, 0.0f), 10.0f, -2.0f);  // over the house
    rainFor(60, kFrame);
    EXPECT_GT(falling(), 0);
    for (const glm::vec4& drop : drops()) ASSERT_TRUE(drop.w <= 0.0f || drop.y >= 8.0f) << drop.y;

    rain.setArea(glm::vec2(-2.0f), glm::vec2(2.0f), 3.0f, -3.0f);  // across the whole view
    rainFor(30, kFrame);
    const auto normal = litPixels();
    EXPECT_TRUE(normal > 200 && normal < kWidth * kHeight / 3) << normal;
    expectRendererDrawState();
    rain.setScale(glm::vec2(0.1f, 8.0f));
    EXPECT_GT(litPixels(), normal * 3 / 2);
    rain.setScale(glm::vec2(0.1f, 4.0f));
    rain.setSpeed(200.0f);
    EXPECT_GT(litPixels(), normal * 3 / 2);
}
