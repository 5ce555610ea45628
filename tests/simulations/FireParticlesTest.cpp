

#include "Effects/FireParticles.h"
#include "SceneAnchors.h"
#include "SimulationTestSupport.h"

namespace {
const glm::vec3 kSource = anchors::kFireSource;
const glm::vec3 kSphereCentre = kSource + glm::vec3(0.0f, 2.0f, 0.0f);
const float kSphereRadius = 1.9f;

// Expects live particles finite, in the sphere and within their time; returns count, top height.
glm::vec2 checkLive(const FireParticles& fire) {
    const std::vector<float> life = readBuffer<float>(fire.buffer2, 8192);
    const std::vector<glm::vec4> positions = readBuffer<glm::vec4>(fire.buffer0, 8192);
    glm::vec2 liveAndHighest(0.0f, -1e9f);
    for (size_t i = 0; i < life.size(); ++i) {
        EXPECT_TRUE(std::isfinite(life[i]));
        if (!(life[i] > 0.0f)) continue;
        const glm::vec3 p(positions[i]);
        EXPECT_TRUE(glm::length(p - kSphereCentre) <= kSphereRadius + 1e-4f &&
                    life[i] <= 1.5f * 1.25f + 1e-4f)
            << "particle " << i;
        liveAndHighest = glm::vec2(liveAndHighest.x + 1, std::max(liveAndHighest.y, p.y));
    }
    return liveAndHighest;
}

}  // namespace

using FireParticlesTest = GlTest;

// Catches spawning another number than the frame's emission count (five at 60 fps); particles that
// outlive their time, leave the sphere, never rise, or go NaN after a stall; dead particles drawn,
// flames drawn elsewhere, in the wrong colour or piled up to white, blend or depth state left
// changed, and sprites ignoring the scene: a wall in front must hide them by the fade alone, one
// far behind change none.
TEST_F(FireParticlesTest, SpawnsItsShareSettlesInTheSphereAndDrawsThereFadingAgainstTheScene) {
    // As the renderer sets it up, seen from 4 m in front of the middle of its sphere.
    const SceneTarget scene(kWidth, kHeight);
    FireParticles fire(scene.fragPos, 8192);
    fire.setSource(kSource, glm::vec3(0.4f, 0.0f, 0.4f), glm::vec3(0.0f, 2.0f, 0.0f), 0.5f);
    fire.setSourceVelocity(glm::vec3(0.0f, 4.0f, 0.0f));
    fire.setSphere(glm::vec3(0.0f, 2.0f, 0.0f), kSphereRadius);
    fire.setTimeToLive(1.5f);
    fire.fireTexture = makeRgbaTexture(1, 1, {1.0f, 0.5f, 0.1f, 1.0f}, GL_RGBA8);
    fire.smokeTexture = makeRgbaTexture(1, 1, {0.3f, 0.3f, 0.3f, 1.0f}, GL_RGBA8);
    glUseProgram(fire.drawProgram.id);
    glUniform1i(fire.drawProgram.getUniformLocation("hasTexFire"), 1);
    glUniform1i(fire.drawProgram.getUniformLocation("hasTexSmoke"), 1);
    const glm::mat4 projection =
        glm::perspective(glm::radians(45.0f), float(kWidth) / kHeight, 0.1f, 150.0f);
    const glm::mat4 view =
        glm::lookAt(kSphereCentre + glm::vec3(0, 0, 4), kSphereCentre, glm::vec3(0, 1, 0));
    fire.setMatrices(projection, view);
    // Over `background`, with every pixel's scene point at the given world position (or none).
    auto draw = [&](glm::vec4 background, const glm::vec3* scenePoint) {
        scene.clear(background);
        if (scenePoint) scene.fillFragPos(*scenePoint);
        fire.draw();
        return scene.readColour();
    };
    const glm::vec4 night(0.05f, 0.05f, 0.1f, 1.0f);
    scene.clear(night);
    const std::vector<float> before = scene.readColour();
    EXPECT_EQ(draw(night, nullptr), before);  // nothing spawned yet: all 8192 points are dead

    fire.update(kFrame);
    EXPECT_EQ(checkLive(fire).x, 5);
    fire.update(kFrame);
    EXPECT_EQ(checkLive(fire).x, 10);
    for (int i = 0; i < 300; ++i) fire.update(kFrame);
    // 300 per second living 1.5 s on average: 450, less the few that leave the sphere early.
    const glm::vec2 settled = checkLive(fire);
    EXPECT_TRUE(settled.x >= 400 && settled.x <= 470) << settled.x;
    EXPECT_GT(settled.y, kSource.y + 1.0f);  // the flames rise from the source

    const std::vector<float> after = draw(night, nullptr);
    const glm::ivec2 base = projectToPixel(projection * view, kSource + glm::vec3(0, 1, 0));
    EXPECT_GT(maxDifferenceAround(before, after, base, 6), 0.3f);
    EXPECT_EQ(maxDifferenceAround(before, after, glm::ivec2(5, 5), 4), 0.0f);
    const glm::vec4 flame = pixelAt(after, kWidth, base.x, base.y);
    EXPECT_GT(flame.r, flame.b);  // orange: red dominates where it burns
    // Hundreds of sprites overlap there: blended over each other they stay as bright as one, where
    // adding them up would burn the HDR target out to white.
    EXPECT_LT(flame.r, 1.5f) << flame.g;
    expectRendererDrawState();
    auto brightness = [&](glm::vec3 wall) {
        return maxDifferenceAround(before, draw(night, &wall), base, 12);
    };
    const float open = maxDifferenceAround(before, after, base, 12);
    EXPECT_NEAR(brightness(kSphereCentre - glm::vec3(0, 0, 3)), open, 1e-3f * open);  // far behind
    EXPECT_LT(brightness(kSphereCentre + glm::vec3(0, 0, 3)), 1e-3f * open);  // by the fade alone

    for (float dt : {5.0f, kFrame}) fire.update(dt);  // a stall, then a normal frame
    checkLive(fire);
}
