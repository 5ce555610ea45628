#include <gmock/gmock.h>

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

#include "EffectTestSupport.h"
#include "Effects/BlurFrag.h"
#include "Effects/Ssao.h"
#include "GlTestFixture.h"
#include "Globals.h"

namespace {
constexpr int kW = 160;
constexpr int kH = 96;

const glm::mat4 kProjection = glm::perspective(glm::radians(45.0f), float(kW) / kH, 0.1f, 150.0f);

// A surface n . p = d in world coordinates, limited to a box of the point's coordinates.
struct Surface {
    glm::vec3 n;
    float d;
    glm::vec3 lo, hi;
};

// The pass's half-size occlusion of the planes, ray cast into a G-buffer (0.5 where empty).
std::vector<float> occlusionOf(const std::vector<Surface>& planes, glm::vec3 target) {
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f), target, glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat3 viewToWorld = glm::transpose(glm::mat3(view));
    const glm::mat4 inverse = glm::inverse(kProjection);
    std::vector<float> position(static_cast<size_t>(kW) * kH * 4, 0.5f);
    std::vector<float> normal = position;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const glm::vec4 far =
                inverse * glm::vec4((x + 0.5f) / kW * 2 - 1, (y + 0.5f) / kH * 2 - 1, 1.0f, 1.0f);
            const glm::vec3 dir = viewToWorld * glm::normalize(glm::vec3(far) / far.w);
            float best = 1e30f;
            const Surface* hit = nullptr;
            for (const Surface& plane : planes) {
                const float t = plane.d / glm::dot(plane.n, dir);
                const glm::vec3 p = dir * t;
                if (t > 0 && t < best && p == glm::clamp(p, plane.lo - 1e-4f, plane.hi + 1e-4f))
                    best = t, hit = &plane;
            }
            if (!hit) continue;
            const glm::vec3 p = glm::vec3(view * glm::vec4(dir * best, 1.0f));
            const size_t i = (static_cast<size_t>(y) * kW + x) * 4;
            for (int c = 0; c < 3; ++c) position[i + c] = p[c], normal[i + c] = hit->n[c];
        }
    }
    renderer.blurFrag = new BlurFrag(kW / 2, kH / 2);
    Ssao ssao(kW, kH, kProjection);
    ssao.render(makeRgbaTexture(kW, kH, position), makeRgbaTexture(kW, kH, normal), kProjection,
                *renderer.blurFrag);
    EXPECT_EQ(ssao.result, renderer.blurFrag->result);
    return redChannel(readTextureRgba(ssao.result, kW / 2, kH / 2));
}

// The occlusion at half-size row y / 2, averaged over the middle half of the columns.
float rowAverage(const std::vector<float>& occlusion, int y) {
    float sum = 0.0f;
    for (int x = kW / 8; x < 3 * kW / 8; ++x) sum += occlusion[(y / 2) * (kW / 2) + x];
    return sum / (kW / 4);
}

class SsaoTest : public GlTest {};
}  // namespace

// Catches a contact left light, open planes darkened, no range check (a halo), empty pixels
// occluding.
TEST_F(SsaoTest, OnlyContactsAreOccluded) {
    // Floor y = -2 up to a wall at z = -5, the camera looking down at the crease.
    std::vector<float> ao = occlusionOf({{{0, 1, 0}, -2.0f, {-50, -2, -5}, {50, -2, 0}},
                                         {{0, 0, 1}, -5.0f, {-50, -2, -5}, {50, 50, -5}}},
                                        {0.0f, -2.0f, -5.0f});
    const float open = std::min(rowAverage(ao, 8), rowAverage(ao, kH - 8));  // floor and wall
    EXPECT_GT(open, 0.97f);
    EXPECT_LT(rowAverage(ao, kH / 2), open - 0.1f);

    // A square 2 m away before a wall 8 m away, then a floor under an empty sky.
    for (const std::vector<Surface>& planes :
         {std::vector<Surface>{{{0, 0, 1}, -2.0f, {-0.4f, -0.4f, -2}, {0.4f, 0.4f, -2}},
                               {{0, 0, 1}, -8.0f, {-50, -50, -8}, {50, 50, -8}}},
          std::vector<Surface>{{{0, 1, 0}, -1.0f, {-50, -1, -100}, {50, -1, 0}}}}) {
        ao = occlusionOf(planes, {0.0f, 0.0f, -1.0f});
        EXPECT_GT(*std::min_element(ao.begin(), ao.end()), 0.94f) << planes.size() << " planes";
    }
}

// Catches a kernel off the hemisphere, not packed inwards or regrown, and tilted noise. (A seed
// that changes per run shows as the capture tool's frame differing from the program's.)
TEST(SsaoKernel, HemisphereKernelPackedTowardsTheCentre) {
    Ssao::generateSamples();
    Ssao::generateSamples();
    ASSERT_EQ(Ssao::ssaoKernel.size(), 64u);
    glm::vec3 sum(0.0f);
    for (size_t i = 0; i < 64; ++i) {
        const glm::vec3& v = Ssao::ssaoKernel[i];
        EXPECT_GE(v.z, 0.0f) << i;
        EXPECT_LE(glm::length(v), (0.1f + 0.9f * i * i / 4096.0f) * 1.0001f) << i;
        sum += glm::normalize(v);
    }
    EXPECT_LT(glm::length(glm::vec2(sum)) / 64.0f, 0.3f);
    ASSERT_EQ(Ssao::ssaoNoise.size(), 16u);
    for (const glm::vec3& n : Ssao::ssaoNoise)
        EXPECT_TRUE(n.z == 0.0f && std::max(std::abs(n.x), std::abs(n.y)) <= 1.0f) << n.x;
}
