#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <glm/glm.hpp>
#include <numeric>
#include <vector>

#include "EffectTestSupport.h"
#include "GlTestFixture.h"
#include "Globals.h"

namespace {
const glm::vec3 kLuma(0.2126f, 0.7152f, 0.0722f);  // Rec. 709 weights
class SkyCubeMapTest : public GlTest {
protected:
    int size = 0;
    std::vector<float> faces[6];  // RGB rows of GL_TEXTURE_CUBE_MAP_POSITIVE_X + i

    void SetUp() override {
        GlTest::SetUp();
        printedBy([&] {
            renderer.init(kWidth, kHeight);
            renderer.loadScene();
        });
        glBindTexture(GL_TEXTURE_CUBE_MAP, renderer.skybox.cubeMap);
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &size);
        ASSERT_GT(size, 0) << "run the asset generator first";
        for (int i = 0; i < 6; ++i) {
            faces[i].resize(static_cast<size_t>(size) * size * 3);
            glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, GL_RGB, GL_FLOAT, faces[i].data());
        }
    }

    // The nearest texel along d, picked as GL picks a cube-map face and texel.
    glm::vec3 colour(glm::vec3 d) const {
        const glm::vec3 a = glm::abs(d);
        int face;
        float sc, tc, major;
        if (a.x >= a.y && a.x >= a.z) {
            face = d.x > 0 ? 0 : 1, major = a.x, sc = d.x > 0 ? -d.z : d.z, tc = -d.y;
        } else if (a.y >= a.z) {
            face = d.y > 0 ? 2 : 3, major = a.y, sc = d.x, tc = d.y > 0 ? d.z : -d.z;
        } else {
            face = d.z > 0 ? 4 : 5, major = a.z, sc = d.z > 0 ? d.x : -d.x, tc = -d.y;
        }
        auto texel = [&](float c) {
            return std::clamp(static_cast<int>((c / major + 1.0f) * 0.5f * size), 0, size - 1);
        };
        const float* rgb = &faces[face][(static_cast<size_t>(texel(tc)) * size + texel(sc)) * 3];
        return {rgb[0], rgb[1], rgb[2]};
    }
    float luminance(glm::vec3 d) const { return glm::dot(colour(d), kLuma); }
};

float quantile(std::vector<float> values, float q) {
    const auto at = values.begin() + static_cast<size_t>(q * values.size());
    std::nth_element(values.begin(), at, values.end());
    return *at;
}
}  // namespace

// Catches faces out of order, turned or mirrored: open seams, a moon twice, none or low, no glow.
TEST_F(SkyCubeMapTest, FacesJoinAndSitWhereTheSkyExpectsThem) {
    // Both sides of each cube edge: a star may break a spot, a turned face breaks all of it.
    const glm::vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const int pairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    const float inset = 1.0f - 4.0f / size;
    const int perEdge = 96;
    for (int edge = 0; edge < 12; ++edge) {
        const int a = pairs[edge / 4][0], b = pairs[edge / 4][1];
        const float sa = edge & 1 ? 1.0f : -1.0f, sb = edge & 2 ? 1.0f : -1.0f;
        std::vector<float> differences;
        for (int i = 0; i < perEdge; ++i) {
            const glm::vec3 along = (-0.95f + 1.9f * i / (perEdge - 1)) * axes[3 - a - b];
            differences.push_back(glm::length(colour(sa * axes[a] + inset * sb * axes[b] + along) -
                                              colour(inset * sa * axes[a] + sb * axes[b] + along)));
        }
        EXPECT_LT(std::accumulate(differences.begin(), differences.end(), 0.0f) / perEdge, 0.012f)
            << edge;
        EXPECT_LT(quantile(differences, 0.9f), 0.02f) << edge;
    }

    // Bright samples of a Fibonacci lattice, clustered: stars are points, the moon a disc.
    const int count = 65536;
    const float golden = 3.14159265f * (3.0f - std::sqrt(5.0f));
    std::vector<std::pair<glm::vec3, int>> clusters;
    for (int i = 0; i < count; ++i) {
        const float y = 1.0f - 2.0f * (i + 0.5f) / count;
        const float r = std::sqrt(1.0f - y * y);
        const glm::vec3 d(r * std::cos(golden * i), y, r * std::sin(golden * i));
        if (luminance(d) < 0.6f) continue;
        auto near = std::find_if(clusters.begin(), clusters.end(), [&](const auto& c) {
            return glm::dot(c.first, d) > std::cos(glm::radians(10.0f));
        });
        if (near == clusters.end())
            clusters.push_back({d, 1});
        else
            ++near->second;
    }
    std::vector<glm::vec3> discs;
    for (const auto& c : clusters)
        if (c.second >= 8) discs.push_back(c.first);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_GT(discs[0].y, 0.15f);

    std::vector<float> horizon;
    std::vector<float> zenith;
    for (int i = 0; i < 360; ++i) {
        const float a = glm::radians(static_cast<float>(i));
        horizon.push_back(luminance({std::cos(a), 0.03f, std::sin(a)}));
        zenith.push_back(luminance({0.1f * std::cos(a), 1.0f, 0.1f * std::sin(a)}));
    }
    EXPECT_GT(quantile(horizon, 0.5f), 2.0f * quantile(zenith, 0.5f));
    EXPECT_LT(quantile(zenith, 0.5f), 0.1f);
}
