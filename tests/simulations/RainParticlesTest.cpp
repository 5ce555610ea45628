#include <gmock/gmock.h>

#include <glm/gtc/matrix_transform.hpp>

#include <iostream>

#include "Effects/RainParticles.h"
#include "GlTestFixture.h"
#include "SimulationTestSupport.h"
#include "StdoutCapture.h"

namespace {
const float kFrame = 1.0f / 60.0f;

class RainParticlesTest : public GlTest {
protected:
    StdoutCapture capture;
    SceneTarget* scene = nullptr;
    RainParticles* rain = nullptr;

    // The rain as the renderer sets it up.
    void SetUp() override {
        GlTest::SetUp();
        scene = new SceneTarget(kWidth, kHeight);
        rain = new RainParticles();
        rain->setArea(glm::vec2(-20.0f), glm::vec2(20.0f), 50.0f, -2.0f);
        rain->setSpeed(100.0f);
        rain->setScale(glm::vec2(0.1f, 4.0f));
    }
    void TearDown() override {
        const std::string output = capture.finish();
        EXPECT_FALSE(hasMissingUniformMessage(output)) << output;
        if (HasFailure()) std::cout << output;  // failure messages were captured too
        GlTest::TearDown();
    }

    std::vector<glm::vec4> drops() const { return readBuffer<glm::vec4>(rain->buffer, 16384); }
    static int falling(const std::vector<glm::vec4>& drops) {
        int count = 0;
        for (const glm::vec4& drop : drops) count += drop.w > 0.0f ? 1 : 0;
        return count;
    }

    // Camera 6 m from the middle of a small rain area, drops falling across the whole view.
    glm::mat4 projection = glm::perspective(glm::radians(45.0f), float(kWidth) / kHeight, 0.1f,
                                            150.0f);
    glm::mat4 view = glm::lookAt(glm::vec3(0.0f, 0.0f, 6.0f), glm::vec3(0.0f),
                                 glm::vec3(0.0f, 1.0f, 0.0f));
    // Rains for half a second over a 4 x 4 m area from 3 m down to -3 m and draws it.
    std::vector<float> drawCloseRain(float speed, glm::vec2 scale) {
        rain->setArea(glm::vec2(-2.0f), glm::vec2(2.0f), 3.0f, -3.0f);
        rain->setSpeed(speed);
        rain->setScale(scale);
        rain->active = true;
        for (int i = 0; i < 30; ++i) {
            rain->setMatrices(projection, view);
            rain->update(kFrame);
        }
        scene->clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        scene->bind();
        // The renderer's fixed state: alpha blending, and back faces culled all frame long.
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE);
        rain->draw();
        glDisable(GL_CULL_FACE);
        return scene->readColour();
    }
    static int litPixels(const std::vector<float>& image) {
        int lit = 0;
        for (size_t i = 0; i < image.size(); i += 4) lit += image[i] > 0.0f ? 1 : 0;
        return lit;
    }
};
}  // namespace

TEST_F(RainParticlesTest, ConstructionSizesTheBufferAndGroupsAndStaysDormant) {
    EXPECT_EQ(rain->count, 16384);
    EXPECT_EQ(rain->rate, 2000);
    EXPECT_EQ(rain->groups, 64);
    EXPECT_FALSE(rain->active);
    GLint64 size = 0;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, rain->buffer);
    glGetBufferParameteri64v(GL_SHADER_STORAGE_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 16384 * 16);
}

TEST_F(RainParticlesTest, NothingIsEmittedOrDrawnBeforeActivation) {
    for (int i = 0; i < 30; ++i) {
        rain->setMatrices(projection, view);
        rain->update(kFrame);
    }
    for (const glm::vec4& drop : drops()) ASSERT_EQ(drop, glm::vec4(0.0f));
    EXPECT_EQ(rain->carry, 0.0f);

    scene->clear(glm::vec4(0.1f, 0.1f, 0.1f, 1.0f));
    const std::vector<float> before = scene->readColour();
    scene->bind();
    rain->draw();
    EXPECT_EQ(scene->readColour(), before);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(RainParticlesTest, EmitsThirtyThreeThirtyThreeThirtyFourAtSixtyFramesPerSecond) {
    rain->active = true;
    int previous = 0;
    for (int frame = 0; frame < 9; ++frame) {
        rain->update(kFrame);
        const int now = falling(drops());
        EXPECT_EQ(now - previous, frame % 3 == 2 ? 34 : 33) << "frame " << frame;
        previous = now;
    }
}

TEST_F(RainParticlesTest, DropsSpawnAcrossTheRectangleAtTheTopAndFall) {
    rain->active = true;
    rain->update(kFrame);
    glm::vec2 low(1e9f), high(-1e9f);
    for (const glm::vec4& drop : drops()) {
        if (drop.w <= 0.0f) continue;
        EXPECT_GE(drop.x, -20.0f);
        EXPECT_LE(drop.x, 20.0f);
        EXPECT_GE(drop.z, -20.0f);
        EXPECT_LE(drop.z, 20.0f);
        EXPECT_LE(drop.y, 50.0f);
        EXPECT_GE(drop.y, 50.0f - 10.0f * kFrame);
        low = glm::min(low, glm::vec2(drop.x, drop.z));
        high = glm::max(high, glm::vec2(drop.x, drop.z));
    }
    // 33 drops spread over the 40 x 40 m rectangle, not bunched in a corner.
    EXPECT_GT(high.x - low.x, 20.0f);
    EXPECT_GT(high.y - low.y, 20.0f);

    const std::vector<glm::vec4> first = drops();
    for (int i = 0; i < 30; ++i) rain->update(kFrame);
    const std::vector<glm::vec4> later = drops();
    for (size_t i = 0; i < first.size(); ++i) {
        if (first[i].w <= 0.0f) continue;
        EXPECT_NEAR(later[i].y, first[i].y - 30.0f * kFrame * first[i].w, 1e-3f);
        EXPECT_EQ(later[i].x, first[i].x);
    }
}

TEST_F(RainParticlesTest, DropsBelowTheBottomAreRespawnedNeverLeftFalling) {
    rain->setArea(glm::vec2(-20.0f), glm::vec2(20.0f), 1.0f, 0.0f);
    rain->active = true;
    for (int i = 0; i < 120; ++i) rain->update(kFrame);
    const std::vector<glm::vec4> all = drops();
    for (const glm::vec4& drop : all) {
        if (drop.w > 0.0f) {
            ASSERT_GE(drop.y, 0.0f);
        } else {
            ASSERT_LT(drop.y, -1000.0f);  // parked far below the scene, where the draw skips it
        }
    }
    // A drop falls the metre in about 0.11 s: about 2000 * 0.11 are in the air at any time, and
    // rain keeps falling as finished drops are spawned again.
    EXPECT_GT(falling(all), 150);
    EXPECT_LT(falling(all), 300);
}

TEST_F(RainParticlesTest, NoDropFallsInsideTheHouse) {
    rain->setArea(glm::vec2(-9.0f, -7.0f), glm::vec2(5.0f, 0.0f), 10.0f, -2.0f);
    rain->active = true;
    for (int i = 0; i < 60; ++i) rain->update(kFrame);
    int inAir = 0;
    for (const glm::vec4& drop : drops()) {
        if (drop.w <= 0.0f) continue;
        ++inAir;
        ASSERT_GE(drop.y, 8.0f);
    }
    EXPECT_GT(inAir, 0);
}

TEST_F(RainParticlesTest, StalledFrameKeepsEveryDropFinite) {
    rain->active = true;
    for (int i = 0; i < 30; ++i) rain->update(kFrame);
    rain->update(5.0f);
    rain->update(kFrame);
    for (const glm::vec4& drop : drops()) {
        ASSERT_TRUE(std::isfinite(drop.x + drop.y + drop.z + drop.w));
        if (drop.w > 0.0f) {
            ASSERT_GE(drop.y, -2.0f);
        }
    }
}

TEST_F(RainParticlesTest, ActiveRainDrawsThinStreaksAndRestoresState) {
    const std::vector<float> image = drawCloseRain(100.0f, glm::vec2(0.1f, 4.0f));
    const int normal = litPixels(image);
    EXPECT_GT(normal, 200);
    // Streaks, not dots or blocks: lit pixels are a small part of the view.
    EXPECT_LT(normal, kWidth * kHeight / 3);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(RainParticlesTest, LongerScaleDrawsLongerStreaks) {
    rain->active = true;
    const int normal = litPixels(drawCloseRain(100.0f, glm::vec2(0.1f, 4.0f)));
    scene->clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    rain->setScale(glm::vec2(0.1f, 8.0f));
    scene->bind();
    rain->draw();
    const int longer = litPixels(scene->readColour());
    EXPECT_GT(longer, normal * 3 / 2);
}

TEST_F(RainParticlesTest, FasterSpeedDrawsLongerStreaks) {
    const int normal = litPixels(drawCloseRain(100.0f, glm::vec2(0.1f, 4.0f)));
    scene->clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    rain->setSpeed(200.0f);
    scene->bind();
    rain->draw();
    const int faster = litPixels(scene->readColour());
    EXPECT_GT(faster, normal * 3 / 2);
}
