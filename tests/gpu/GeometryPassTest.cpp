#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

#include "EffectTestSupport.h"
#include "Effects/Quad.h"
#include "GlTestFixture.h"
#include "Mesh.h"
#include "Texture.h"

namespace {
constexpr int kSize = 64;

// The geometry pass's own program drawing one textured quad, as the house's meshes are drawn.
class GeometryPassTest : public GlTest {
protected:
    ShaderProgram program;
    Quad target;
    GLuint checker = 0;

    void SetUp() override {
        GlTest::SetUp();
        printedBy([&] { program = ShaderProgram("geometry.vert", "geometry.frag"); });
        setMaterialFootprint(program);
        glUseProgram(program.id);
        const glm::mat4 identity(1.0f);
        for (const char* name : {"u_modelMatrix", "u_viewMatrix", "u_modelMatrixInverseTranspose"})
            glUniformMatrix4fv(program.getUniformLocation(name), 1, GL_FALSE, &identity[0][0]);
        glUniform3f(program.getUniformLocation("u_camPos"), 0.0f, 0.0f, 1.0f);
        target = Quad(true, kSize, kSize);
        glDisable(GL_DEPTH_TEST);

        std::vector<float> texels(32 * 32 * 4, 1.0f);  // an 8 x 8 checker of 4-texel squares
        for (size_t i = 0; i < 32 * 32; ++i) {
            const float v = (i % 32 / 4 + i / 32 / 4) % 2 ? 0.9f : 0.08f;
            setRgb(texels, i, v, v, v);
        }
        checker = makeRgbaTexture(32, 32, texels, GL_RGBA8);
        setMaterialSampling();
    }

    // A quad of these corners (counter-clockwise as seen) and texture coordinates, read back.
    std::vector<float> drawQuad(const glm::vec3 (&corners)[4], const glm::vec2 (&uv)[4],
                                const glm::mat4& viewProjection = glm::mat4(1.0f)) {
        Mesh mesh;
        for (int i = 0; i < 4; ++i)
            mesh.vertices.push_back(Vertex{corners[i], {0, 0, 1}, uv[i], {1, 0, 0}, {0, 1, 0}});
        mesh.indices = {0, 1, 2, 0, 2, 3};
        mesh.setupMesh();
        mesh.textures = {{Diffuse, checker}};
        glUseProgram(program.id);
        glUniformMatrix4fv(program.getUniformLocation("u_viewProjMatrix"), 1, GL_FALSE,
                           &viewProjection[0][0]);
        glClearColor(0, 0, 0, 0);
        target.bind(true);
        mesh.draw(program, MappingSwitches(true, false, false, false, false));
        return readTextureRgba(target.getTexture(), kSize, kSize);
    }
};

const glm::vec3 kScreen[4] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
const glm::vec2 kTwoRepeats[4] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
}  // namespace

// Catches texture coordinates that lose precision thousands of repeats from the origin.
TEST_F(GeometryPassTest, AFarRepeatOfTheTextureLooksLikeTheFirst) {
    const glm::vec2 far[4] = {{-3000, 517}, {-2998, 517}, {-2998, 519}, {-3000, 519}};
    const std::vector<float> first = drawQuad(kScreen, kTwoRepeats);
    const std::vector<float> shifted = drawQuad(kScreen, far);
    float lightest = 0.0f, darkest = 1.0f, worst = 0.0f;
    for (size_t i = 0; i < first.size(); i += 4) {
        lightest = std::max(lightest, first[i]);
        darkest = std::min(darkest, first[i]);
        worst = std::max(worst, std::abs(first[i] - shifted[i]));
    }
    EXPECT_GT(lightest - darkest, 0.7f);  // the checker is drawn, not a flat average
    EXPECT_LT(worst, 0.02f);
}

// Catches llvmpipe's anisotropic-filter stall (100000 x slower) on a horizon far out in texture.
TEST_F(GeometryPassTest, CoordinatesMillionsOfRepeatsAwayDrawInOrdinaryTime) {
    // A floor a metre below the eye out to a kilometre, its texture repeating every 0.1 mm.
    const glm::vec3 floor[4] = {
        {-1000, -1, 1}, {1000, -1, 1}, {1000, -1, -1000}, {-1000, -1, -1000}};
    glm::vec2 uv[4];
    for (int i = 0; i < 4; ++i) uv[i] = glm::vec2(floor[i].x, -floor[i].z) * 1.0e4f;
    const glm::mat4 viewProjection =
        glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 2000.0f) *
        glm::lookAt(glm::vec3(0, 0, 0), glm::vec3(0, -0.05f, -1), glm::vec3(0, 1, 0));
    auto seconds = [](auto&& draw) {
        const auto start = std::chrono::steady_clock::now();
        draw();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double ordinary = 1e9;
    for (int i = 0; i < 3; ++i)
        ordinary = std::min(ordinary, seconds([&] { drawQuad(kScreen, kTwoRepeats); }));
    std::vector<float> pixels;
    const auto drawHorizon = [&] { pixels = drawQuad(floor, uv, viewProjection); };
    double horizon = seconds(drawHorizon);
    if (horizon > 200.0 * ordinary) horizon = std::min(horizon, seconds(drawHorizon));  // a hiccup?
    EXPECT_LT(horizon, 200.0 * ordinary) << horizon << " s against " << ordinary << " s";
    EXPECT_GT(pixels[(kSize / 2) * 4], 0.0f);  // the floor fills the bottom row
    for (size_t i = 0; i < pixels.size(); i += 4) ASSERT_TRUE(std::isfinite(pixels[i])) << i / 4;
}

// A pixel spanning two repeats along u and a sliver of one along v, over bands that change along v
// only: a software renderer's limit (one repeat) gives it the texture's average, flat; a GPU's
// (as many repeats as the anisotropy) leaves its filter the bands across the narrow axis.
TEST_F(GeometryPassTest, AWideFootprintSeesTheAverageOnlyPastTheFiltersLimit) {
    std::vector<float> texels(32 * 32 * 4, 1.0f);
    for (size_t i = 0; i < 32 * 32; ++i) {
        const float v = i / 32 < 16 ? 0.08f : 0.9f;
        setRgb(texels, i, v, v, v);
    }
    glDeleteTextures(1, &checker);
    checker = makeRgbaTexture(32, 32, texels, GL_RGBA8);
    setMaterialSampling();
    const glm::vec2 wide[4] = {{0, 0}, {2 * kSize, 0}, {2 * kSize, 1}, {0, 1}};
    const auto spread = [&](float averageBeyond) {
        glUseProgram(program.id);
        glUniform1f(program.getUniformLocation("u_averageBeyond"), averageBeyond);
        const std::vector<float> pixels = drawQuad(kScreen, wide);
        float lightest = 0.0f, darkest = 1.0f;
        for (size_t i = 0; i < pixels.size(); i += 4) {
            lightest = std::max(lightest, pixels[i]);
            darkest = std::min(darkest, pixels[i]);
        }
        return lightest - darkest;
    };
    EXPECT_LT(spread(1.0f), 0.01f);
    EXPECT_GT(spread(materialAnisotropy()), 0.5f);
}
