#include <gmock/gmock.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <glm/gtc/matrix_transform.hpp>

#include "EffectTestSupport.h"
#include "Effects/BlurFrag.h"
#include "Effects/Ssao.h"
#include "GlTestFixture.h"
#include "Globals.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
constexpr int kW = 160;
constexpr int kH = 96;

const glm::mat4 kProjection = glm::perspective(glm::radians(45.0f), float(kW) / kH, 0.1f, 150.0f);

struct Hit {
    float t = 1e30f;
    glm::vec3 normal{0.0f};
};

// A plane n . p = d, limited to a box of the point's coordinates.
struct Plane {
    glm::vec3 n;
    float d;
    glm::vec3 lo;
    glm::vec3 hi;
};

// View-space position and world-space normal textures of planes (world coordinates) seen by a
// camera at the origin looking at `target`, as the geometry pass writes them; pixels that hit
// nothing hold the clear colour 0.5.
struct GBufferImages {
    GLuint position = 0;
    GLuint normal = 0;
};

GBufferImages rayCast(const std::vector<Plane>& planes, glm::vec3 target) {
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f), target, glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat3 viewToWorld = glm::transpose(glm::mat3(view));
    std::vector<float> position(static_cast<size_t>(kW) * kH * 4, 0.5f);
    std::vector<float> normal(static_cast<size_t>(kW) * kH * 4, 0.5f);
    const glm::mat4 inverse = glm::inverse(kProjection);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const glm::vec4 ndc((x + 0.5f) / kW * 2 - 1, (y + 0.5f) / kH * 2 - 1, 1.0f, 1.0f);
            glm::vec4 far = inverse * ndc;
            const glm::vec3 dir = viewToWorld * glm::normalize(glm::vec3(far) / far.w);
            Hit best;
            for (const Plane& plane : planes) {
                const float denom = glm::dot(plane.n, dir);
                if (std::abs(denom) < 1e-6f) continue;
                const float t = plane.d / denom;
                const glm::vec3 p = dir * t;
                if (t <= 0 || t >= best.t) continue;
                if (glm::any(glm::lessThan(p, plane.lo - 1e-4f)) ||
                    glm::any(glm::greaterThan(p, plane.hi + 1e-4f)))
                    continue;
                best = Hit{t, plane.n};
            }
            if (best.t >= 1e30f) continue;
            const size_t i = (static_cast<size_t>(y) * kW + x) * 4;
            const glm::vec3 p = glm::vec3(view * glm::vec4(dir * best.t, 1.0f));
            for (int c = 0; c < 3; ++c) {
                position[i + c] = p[c];
                normal[i + c] = best.normal[c];
            }
        }
    }
    return {makeRgbaTexture(kW, kH, position), makeRgbaTexture(kW, kH, normal)};
}

class SsaoTest : public GlTest {
protected:
    std::vector<float> occlusion;  // the blurred result, half size, red channel
    std::string printed;

    void run(const std::vector<Plane>& planes, glm::vec3 target = {0.0f, 0.0f, -1.0f}) {
        const GBufferImages g = rayCast(planes, target);
        printed = printedBy([&] {
            renderer.blurFrag = new BlurFrag(kW / 2, kH / 2);
            Ssao ssao(kW, kH, kProjection);
            ssao.render(g.position, g.normal, kProjection);
            EXPECT_EQ(ssao.result, renderer.blurFrag->targetB->getTexture());
            EXPECT_EQ(renderer.blurFrag->result, ssao.result);
        });
        const std::vector<float> rgba = readTextureRgba(renderer.blurFrag->result, kW / 2, kH / 2);
        for (size_t i = 0; i < rgba.size(); i += 4) occlusion.push_back(rgba[i]);
    }
    // The result at the half-size pixel that covers full-size row y, averaged over the middle half
    // of the columns.
    float rowAverage(int y) const {
        float sum = 0.0f;
        for (int x = kW / 8; x < 3 * kW / 8; ++x) sum += occlusion[(y / 2) * (kW / 2) + x];
        return sum / (kW / 4);
    }
};

}  // namespace

TEST_F(SsaoTest, CreaseBetweenFloorAndWallIsDarkerThanTheOpenPlanes) {
    // Floor y = -2 up to a wall at z = -5, the camera looking down at the crease.
    run({{{0, 1, 0}, -2.0f, {-50, -2, -5}, {50, -2, 0}},
         {{0, 0, 1}, -5.0f, {-50, -2, -5}, {50, 50, -5}}},
        {0.0f, -2.0f, -5.0f});
    EXPECT_THAT(printed, Not(HasSubstr("Uniform does not exist: ")));

    // Rows from the bottom: open floor, the crease in the middle, open wall.
    const float openFloor = rowAverage(8);
    const float crease = rowAverage(kH / 2);
    const float openWall = rowAverage(kH - 8);
    EXPECT_GT(openFloor, 0.97f);
    EXPECT_GT(openWall, 0.97f);
    EXPECT_LT(crease, openFloor - 0.1f);
    EXPECT_LT(crease, openWall - 0.1f);
}

TEST_F(SsaoTest, ObjectInFrontOfADistantWallCastsNoHalo) {
    // A square 2 m from the camera and a wall 8 m away: nothing of either is occluded.
    run({{{0, 0, 1}, 2.0f, {-0.4f, -0.4f, -2}, {0.4f, 0.4f, -2}},
         {{0, 0, 1}, 8.0f, {-50, -50, -8}, {50, 50, -8}}});
    EXPECT_GT(*std::min_element(occlusion.begin(), occlusion.end()), 0.97f);
}

TEST_F(SsaoTest, BackgroundIsNotOccluded) {
    // Only a floor: the upper half of the picture hits nothing.
    run({{{0, 1, 0}, -1.0f, {-50, -1, -100}, {50, -1, 0}}});
    EXPECT_GT(*std::min_element(occlusion.begin(), occlusion.end()), 0.97f);
}

TEST_F(SsaoTest, NoiseTextureHoldsTheNoiseAndTheScaleTilesItEveryFourPixels) {
    std::string out = printedBy([&] {
        Ssao ssao(322, 96, kProjection);
        glUseProgram(ssao.ssaoProgram.id);
        glm::vec2 scale(0.0f);
        glGetUniformfv(ssao.ssaoProgram.id, glGetUniformLocation(ssao.ssaoProgram.id, "noiseScale"),
                       &scale[0]);
        EXPECT_FLOAT_EQ(scale.x, 80.5f);
        EXPECT_FLOAT_EQ(scale.y, 24.0f);
        GLint wrap = 0;
        glBindTexture(GL_TEXTURE_2D, Ssao::noiseTexture);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
        EXPECT_EQ(wrap, GL_REPEAT);
    });
    EXPECT_THAT(out, Not(HasSubstr("Uniform does not exist: ")));
    const std::vector<float> texels = readTextureRgba(Ssao::noiseTexture, 4, 4);
    ASSERT_EQ(Ssao::ssaoNoise.size(), 16u);
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(texels[i * 4], Ssao::ssaoNoise[i].x, 1e-3f);
        EXPECT_NEAR(texels[i * 4 + 1], Ssao::ssaoNoise[i].y, 1e-3f);
    }
}

// The kernel and noise need no GL context.
TEST(SsaoKernel, HemisphereKernelPackedTowardsTheCentre) {
    Ssao::generateSamples();
    ASSERT_EQ(Ssao::ssaoKernel.size(), 64u);
    for (size_t i = 0; i < 64; ++i) {
        const glm::vec3& v = Ssao::ssaoKernel[i];
        const float s = i / 64.0f;
        EXPECT_GE(v.z, 0.0f) << i;
        EXPECT_LE(glm::length(v), (0.1f + 0.9f * s * s) * 1.0001f) << i;
    }
    EXPECT_LE(glm::length(Ssao::ssaoKernel[0]), 0.1f);
    // Not degenerate: the samples spread around the hemisphere.
    glm::vec3 sum(0.0f);
    for (const glm::vec3& v : Ssao::ssaoKernel) sum += glm::normalize(v);
    EXPECT_LT(std::abs(sum.x) / 64.0f, 0.3f);
    EXPECT_LT(std::abs(sum.y) / 64.0f, 0.3f);

    ASSERT_EQ(Ssao::ssaoNoise.size(), 16u);
    for (const glm::vec3& n : Ssao::ssaoNoise) {
        EXPECT_EQ(n.z, 0.0f);
        EXPECT_LE(std::abs(n.x), 1.0f);
        EXPECT_LE(std::abs(n.y), 1.0f);
    }
    // Generating again keeps the one kernel.
    Ssao::generateSamples();
    EXPECT_EQ(Ssao::ssaoKernel.size(), 64u);
}

namespace {
std::string kernelText() {
    Ssao::generateSamples();
    std::string text;
    char line[128];
    for (const auto* list : {&Ssao::ssaoKernel, &Ssao::ssaoNoise}) {
        for (const glm::vec3& v : *list) {
            std::snprintf(line, sizeof line, "%a %a %a\n", v.x, v.y, v.z);
            text += line;
        }
    }
    return text;
}
}  // namespace

// Helper for the next test: prints the kernel when run by it, in a process of its own.
TEST(SsaoKernel, PrintKernelForAnotherRun) {
    if (!std::getenv("MURKMOOR_PRINT_KERNEL")) GTEST_SKIP() << "run by SameKernelInEveryRun";
    std::fputs(("KERNEL\n" + kernelText() + "END\n").c_str(), stdout);
}

TEST(SsaoKernel, SameKernelAndNoiseInEveryRun) {
    const std::string mine = kernelText();
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string command = std::string("MURKMOOR_PRINT_KERNEL=1 '") + self +
                                "' --gtest_filter=SsaoKernel.PrintKernelForAnotherRun";
    for (int run = 0; run < 2; ++run) {
        FILE* child = popen(command.c_str(), "r");
        ASSERT_NE(child, nullptr);
        std::string out;
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, child)) out.append(buffer, n);
        pclose(child);
        const size_t begin = out.find("KERNEL\n");
        const size_t end = out.find("END\n");
        ASSERT_NE(begin, std::string::npos) << out;
        EXPECT_EQ(out.substr(begin + 7, end - begin - 7), mine);
    }
}
