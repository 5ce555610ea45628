#include <gmock/gmock.h>

#include <glm/gtc/matrix_transform.hpp>

#include <chrono>
#include <iostream>
#include <thread>

#include "Effects/FireParticles.h"
#include "GlTestFixture.h"
#include "SimulationTestSupport.h"
#include "StdoutCapture.h"

namespace {
const glm::vec3 kSource(3.258f, -1.539f, 3.177f);
const glm::vec3 kSphereCentre = kSource + glm::vec3(0.0f, 2.0f, 0.0f);
const float kSphereRadius = 1.9f;
const float kFrame = 1.0f / 60.0f;

class FireParticlesTest : public GlTest {
protected:
    StdoutCapture capture;
    SceneTarget* scene = nullptr;
    FireParticles* fire = nullptr;

    // The fire as the renderer sets it up.
    void SetUp() override {
        GlTest::SetUp();
        scene = new SceneTarget(kWidth, kHeight);
        fire = new FireParticles(scene->fragPos, 8192);
        fire->setSource(kSource, glm::vec3(0.4f, 0.0f, 0.4f), glm::vec3(0.0f, 2.0f, 0.0f), 0.5f);
        fire->setSourceVelocity(glm::vec3(0.0f, 4.0f, 0.0f));
        fire->setSphere(glm::vec3(0.0f, 2.0f, 0.0f), kSphereRadius);
        fire->setTimeToLive(1.5f);
    }
    void TearDown() override {
        const std::string output = capture.finish();
        EXPECT_FALSE(hasMissingUniformMessage(output)) << output;
        if (HasFailure()) std::cout << output;  // failure messages were captured too
        GlTest::TearDown();
    }

    std::vector<float> lives() const { return readBuffer<float>(fire->buffer2, 8192); }
    int liveCount() const {
        int live = 0;
        for (float life : lives()) live += life > 0.0f ? 1 : 0;
        return live;
    }
};
}  // namespace

TEST_F(FireParticlesTest, ConstructionSizesBuffersAndGroups) {
    EXPECT_EQ(fire->count, 8192);
    EXPECT_EQ(fire->groups, 32);
    EXPECT_EQ(fire->rate, 300);
    GLint64 size = 0;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, fire->buffer0);
    glGetBufferParameteri64v(GL_SHADER_STORAGE_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 8192 * 16);
    EXPECT_EQ(liveCount(), 0);
    EXPECT_EQ(readBuffer<uint32_t>(fire->counter, 1)[0], 2147483647u);
}

TEST_F(FireParticlesTest, OneFrameAtSixtyFramesPerSecondSpawnsFive) {
    fire->update(kFrame);
    EXPECT_EQ(liveCount(), 5);
    fire->update(kFrame);
    EXPECT_EQ(liveCount(), 10);
}

TEST_F(FireParticlesTest, MillisecondFramesSpawnOneEveryThirdOrFourthFrame) {
    int previous = 0;
    int lastSpawnFrame = -1;
    for (int frame = 0; frame < 30; ++frame) {
        fire->update(0.001f);
        const int live = liveCount();
        ASSERT_LE(live - previous, 1) << "frame " << frame;
        if (live > previous) {
            if (lastSpawnFrame >= 0) {
                const int gap = frame - lastSpawnFrame;
                EXPECT_TRUE(gap == 3 || gap == 4) << "gap " << gap;
            }
            lastSpawnFrame = frame;
        }
        previous = live;
    }
    EXPECT_EQ(previous, 9);  // 300 per second over 0.03 s
}

TEST_F(FireParticlesTest, FirstFrameAfterAPauseSpawnsOnlyThatFramesShare) {
    for (int i = 0; i < 6; ++i) fire->update(kFrame);
    ASSERT_EQ(liveCount(), 30);
    // The fire switched off: no updates while time passes.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    fire->update(kFrame);
    EXPECT_EQ(liveCount(), 35);
}

TEST_F(FireParticlesTest, LiveCountSettlesAtRateTimesLifeAndAllStayInTheSphere) {
    for (int i = 0; i < 300; ++i) fire->update(kFrame);
    const std::vector<float> life = lives();
    const std::vector<glm::vec4> positions = readBuffer<glm::vec4>(fire->buffer0, 8192);
    int live = 0;
    float highest = -1e9f;
    for (size_t i = 0; i < life.size(); ++i) {
        if (life[i] <= 0.0f) continue;
        ++live;
        const glm::vec3 p(positions[i]);
        ASSERT_LE(glm::length(p - kSphereCentre), kSphereRadius + 1e-4f) << "particle " << i;
        ASSERT_LE(life[i], 1.5f * 1.25f + 1e-4f);
        highest = std::max(highest, p.y);
    }
    // 300 per second living 1.5 s on average: 450, less the few that leave the sphere early.
    EXPECT_GE(live, 400);
    EXPECT_LE(live, 470);
    // The flames rise from the source.
    EXPECT_GT(highest, kSource.y + 1.0f);
}

TEST_F(FireParticlesTest, StalledFrameKeepsEveryParticleFiniteAndInside) {
    for (int i = 0; i < 30; ++i) fire->update(kFrame);
    fire->update(5.0f);
    fire->update(kFrame);
    const std::vector<float> life = lives();
    const std::vector<glm::vec4> positions = readBuffer<glm::vec4>(fire->buffer0, 8192);
    for (size_t i = 0; i < life.size(); ++i) {
        ASSERT_TRUE(std::isfinite(life[i]));
        if (life[i] <= 0.0f) continue;
        ASSERT_TRUE(std::isfinite(positions[i].x + positions[i].y + positions[i].z));
        ASSERT_LE(glm::length(glm::vec3(positions[i]) - kSphereCentre), kSphereRadius + 1e-4f);
    }
}

namespace {
// Camera 4 m in front of the fire, looking at the middle of its sphere.
struct FireView {
    glm::mat4 projection = glm::perspective(glm::radians(45.0f),
                                            float(GlTest::kWidth) / GlTest::kHeight, 0.1f, 150.0f);
    glm::mat4 view = glm::lookAt(kSphereCentre + glm::vec3(0.0f, 0.0f, 4.0f), kSphereCentre,
                                 glm::vec3(0.0f, 1.0f, 0.0f));
};

float brightnessAround(const std::vector<float>& image, glm::ivec2 centre, int radius) {
    float sum = 0.0f;
    for (int y = centre.y - radius; y <= centre.y + radius; ++y)
        for (int x = centre.x - radius; x <= centre.x + radius; ++x) {
            const glm::vec4 p = pixelAt(image, GlTest::kWidth, x, y);
            sum += p.r + p.g + p.b;
        }
    return sum;
}
}  // namespace

TEST_F(FireParticlesTest, DrawShowsTheFireAtItsPlaceOnly) {
    const FireView camera;
    fire->fireTexture = makeSolidTexture(glm::vec4(1.0f, 0.5f, 0.1f, 1.0f));
    fire->smokeTexture = makeSolidTexture(glm::vec4(0.3f, 0.3f, 0.3f, 1.0f));
    glUseProgram(fire->drawProgram.id);
    glUniform1i(fire->drawProgram.getUniformLocation("hasTexFire"), 1);
    glUniform1i(fire->drawProgram.getUniformLocation("hasTexSmoke"), 1);
    for (int i = 0; i < 60; ++i) {
        fire->setMatrices(camera.projection, camera.view);
        fire->update(kFrame);
    }
    scene->clear(glm::vec4(0.05f, 0.05f, 0.1f, 1.0f));
    const std::vector<float> before = scene->readColour();
    scene->bind();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    fire->draw();
    const std::vector<float> after = scene->readColour();

    const glm::mat4 viewProj = camera.projection * camera.view;
    const glm::ivec2 base = projectToPixel(viewProj, kSource + glm::vec3(0, 1.0f, 0), kWidth, kHeight);
    EXPECT_GT(maxDifferenceAround(before, after, kWidth, kHeight, base, 6), 0.3f);
    // A corner far from the fire keeps the background.
    EXPECT_EQ(maxDifferenceAround(before, after, kWidth, kHeight, glm::ivec2(5, 5), 4), 0.0f);
    // The flame is orange: red dominates where it burns.
    const glm::vec4 flame = pixelAt(after, kWidth, base.x, base.y);
    EXPECT_GT(flame.r, flame.b);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(FireParticlesTest, SpritesFadeAgainstTheScenePositionsOnUnitTwo) {
    const FireView camera;
    for (int i = 0; i < 60; ++i) {
        fire->setMatrices(camera.projection, camera.view);
        fire->update(kFrame);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const glm::ivec2 base = projectToPixel(camera.projection * camera.view,
                                           kSource + glm::vec3(0, 1.0f, 0), kWidth, kHeight);
    const glm::vec3 towardsCamera(0.0f, 0.0f, 1.0f);
    // Draws the fire over black with every pixel's scene point at the given world position.
    auto drawWithSceneAt = [&](const glm::vec3* scenePoint) {
        scene->clear(glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        if (scenePoint) scene->fillFragPos(*scenePoint);
        scene->bind();
        fire->draw();
        return brightnessAround(scene->readColour(), base, 12);
    };

    const float open = drawWithSceneAt(nullptr);
    // A wall well behind the fire changes nothing: sprites fade only close to a surface.
    const glm::vec3 farWall = kSphereCentre - 3.0f * towardsCamera;
    const float farBehind = drawWithSceneAt(&farWall);
    // A wall between the camera and the fire hides it (the depth buffer is empty here: it is the
    // fade against the scene positions alone that does it).
    const glm::vec3 nearWall = kSphereCentre + 3.0f * towardsCamera;
    const float hidden = drawWithSceneAt(&nearWall);

    EXPECT_GT(open, 1.0f);
    EXPECT_NEAR(farBehind, open, 1e-3f * open);
    EXPECT_LT(hidden, 1e-3f * open);
}

TEST_F(FireParticlesTest, DeadParticlesDrawNothing) {
    const FireView camera;
    fire->setMatrices(camera.projection, camera.view);
    scene->clear(glm::vec4(0.2f, 0.2f, 0.2f, 1.0f));
    const std::vector<float> before = scene->readColour();
    scene->bind();
    fire->draw();  // nothing spawned yet: all 8192 points are dead
    const std::vector<float> after = scene->readColour();
    EXPECT_EQ(before, after);
}
