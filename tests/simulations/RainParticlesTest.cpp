#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

#include "Effects/RainParticles.h"
#include "GlTestFixture.h"
#include "SimulationTestSupport.h"

namespace {
class RainParticlesTest : public GlTest {};
}  // namespace

// Catches rain that falls or draws while switched off; drops emitted in another number than the
// frame's share (33, 33, 34 at 60 fps), spawned outside the rectangle or below its top, bunched in
// one place, or drifting sideways as they fall; finished drops left falling below the bottom
// instead of respawned (the rain would thin out), or sent to NaN or through the bottom by a stalled
// frame; rain falling through the roof (a drop entering the house's footprint below its roof is
// taken out at once); streaks drawn as dots or blocks, or whose length ignores the scale or the
// speed; and blend or depth state left changed.
TEST_F(RainParticlesTest, SpawnsItsShareFallsStraightEndsAtTheBottomOrRoofAndDrawsStreaks) {
    // The rain as the renderer sets it up, seen from 6 m in front of the middle of its area.
    const SceneTarget scene(kWidth, kHeight);
    RainParticles rain;
    rain.setArea(glm::vec2(-20.0f), glm::vec2(20.0f), 50.0f, -2.0f);
    rain.setSpeed(100.0f);
    rain.setScale(glm::vec2(0.1f, 4.0f));
    const glm::mat4 projection =
        glm::perspective(glm::radians(45.0f), float(kWidth) / kHeight, 0.1f, 150.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(0, 0, 6), glm::vec3(0), glm::vec3(0, 1, 0));
    auto rainFor = [&](int frames, float dt) {
        for (int i = 0; i < frames; ++i) {
            rain.setMatrices(projection, view);
            rain.update(dt);
        }
    };
    auto drops = [&] { return readBuffer<glm::vec4>(rain.buffer, 16384); };
    auto falling = [&] {
        std::vector<glm::vec4> inAir;
        for (const glm::vec4& drop : drops())
            if (drop.w > 0.0f) inAir.push_back(drop);
        return inAir;
    };
    // Draws over black, with the renderer's fixed state, and counts the pixels lit.
    auto litPixels = [&] {
        scene.clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        scene.bind();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE);  // back faces are culled all frame long
        rain.draw();
        glDisable(GL_CULL_FACE);
        int lit = 0;
        const std::vector<float> image = scene.readColour();
        for (size_t i = 0; i < image.size(); i += 4) lit += image[i] > 0.0f ? 1 : 0;
        return lit;
    };

    rainFor(30, kFrame);
    for (const glm::vec4& drop : drops()) ASSERT_EQ(drop, glm::vec4(0.0f));
    EXPECT_EQ(litPixels(), 0);
    rain.active = true;
    rainFor(1, kFrame);
    const std::vector<glm::vec4> first = drops();
    EXPECT_EQ(falling().size(), 33u);
    glm::vec2 low(1e9f), high(-1e9f);
    for (const glm::vec4& drop : falling()) {
        const glm::vec2 xz(drop.x, drop.z);
        EXPECT_TRUE(glm::all(glm::lessThanEqual(glm::abs(xz), glm::vec2(20))));
        EXPECT_TRUE(drop.y <= 50.0f && drop.y >= 50.0f - 10.0f * kFrame) << drop.y;
        low = glm::min(low, xz);
        high = glm::max(high, xz);
    }
    EXPECT_TRUE(glm::all(glm::greaterThan(high - low, glm::vec2(20.0f))));
    for (size_t expected : {66u, 100u}) {
        rainFor(1, kFrame);
        EXPECT_EQ(falling().size(), expected);
    }
    rainFor(28, kFrame);
    const std::vector<glm::vec4> later = drops();
    for (size_t i = 0; i < first.size(); ++i) {
        if (first[i].w <= 0.0f) continue;
        EXPECT_NEAR(later[i].y, first[i].y - 30.0f * kFrame * first[i].w, 1e-3f);
        EXPECT_EQ(later[i].x, first[i].x);
    }

    rain.setArea(glm::vec2(-20.0f), glm::vec2(20.0f), 1.0f, 0.0f);
    rainFor(1, 5.0f);  // a stall: the drops in the air pass the bottom
    rainFor(1, kFrame);
    for (const glm::vec4& drop : falling())
        ASSERT_TRUE(std::isfinite(drop.x + drop.y + drop.z) && drop.y >= 0.0f);
    rainFor(120, kFrame);
    for (const glm::vec4& drop : drops())
        ASSERT_TRUE(drop.w > 0.0f ? drop.y >= 0.0f : drop.y < -1000.0f);  // parked far below
    // A drop falls the metre in about 0.11 s: about 2000 * 0.11 are in the air at any time.
    EXPECT_TRUE(falling().size() > 150u && falling().size() < 300u) << falling().size();

    rain.setArea(glm::vec2(-9.0f, -7.0f), glm::vec2(5.0f, 0.0f), 10.0f, -2.0f);  // over the house
    rainFor(60, kFrame);
    EXPECT_FALSE(falling().empty());
    for (const glm::vec4& drop : falling()) ASSERT_GE(drop.y, 8.0f);

    rain.setArea(glm::vec2(-2.0f), glm::vec2(2.0f), 3.0f, -3.0f);  // across the whole view
    rainFor(30, kFrame);
    const int normal = litPixels();
    EXPECT_TRUE(normal > 200 && normal < kWidth * kHeight / 3) << normal;
    expectRendererDrawState();
    rain.setScale(glm::vec2(0.1f, 8.0f));
    EXPECT_GT(litPixels(), normal * 3 / 2);
    rain.setScale(glm::vec2(0.1f, 4.0f));
    rain.setSpeed(200.0f);
    EXPECT_GT(litPixels(), normal * 3 / 2);
}
