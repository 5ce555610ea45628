// The camera flies through the house, the gate and over the garden wall: along the whole flight its
// eye must keep clear of every surface of the scene, the gate leaves included at the angle they
// have turned to when the camera passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>
#include <sstream>
#include <unordered_map>

#include "FlightPath.h"
#include "SceneGeometry.h"

namespace {
constexpr float kClearance = 0.3f;
constexpr float kSampleSpacing = 0.05f;

struct Triangle {
    glm::vec3 a, b, c;
    const std::string* mesh;
};

// Triangles bucketed by the 1 m cells that they come within kClearance of, over the region the
// flight crosses; a sample only needs the triangles of its own cell.
class TriangleGrid {
public:
    TriangleGrid(glm::vec3 lo, glm::vec3 hi)
        : origin(glm::floor(lo)), extent(glm::ivec3(glm::ceil(hi - origin))) {}

    void add(const Triangle& t) {
        const glm::vec3 lo = glm::min(glm::min(t.a, t.b), t.c) - kClearance;
        const glm::vec3 hi = glm::max(glm::max(t.a, t.b), t.c) + kClearance;
        const glm::ivec3 c0 = glm::max(glm::ivec3(glm::floor(lo - origin)), glm::ivec3(0));
        const glm::ivec3 c1 = glm::min(glm::ivec3(glm::floor(hi - origin)), extent - 1);
        if (c0.x > c1.x || c0.y > c1.y || c0.z > c1.z) return;
        const size_t index = triangles.size();
        triangles.push_back(t);
        for (int z = c0.z; z <= c1.z; ++z)
            for (int y = c0.y; y <= c1.y; ++y)
                for (int x = c0.x; x <= c1.x; ++x) cells[key({x, y, z})].push_back(index);
    }

    // Distance to the nearest triangle, or infinity when none is within kClearance.
    float nearest(glm::vec3 p, const std::string** mesh) const {
        const glm::ivec3 c(glm::floor(p - origin));
        float best = std::numeric_limits<float>::infinity();
        const auto found = cells.find(key(c));
        if (found == cells.end()) return best;
        for (size_t index : found->second) {
            const Triangle& t = triangles[index];
            const float d = pointTriangleDistance(p, t.a, t.b, t.c);
            if (d < best) {
                best = d;
                *mesh = t.mesh;
            }
        }
        return best;
    }

private:
    int64_t key(glm::ivec3 c) const {
        return (static_cast<int64_t>(c.z) * extent.y + c.y) * extent.x + c.x;
    }
    glm::vec3 origin;
    glm::ivec3 extent;
    std::vector<Triangle> triangles;
    std::unordered_map<int64_t, std::vector<size_t>> cells;
};

// The frame update turns the gate leaves by 16 degrees a second until they have opened 90 degrees:
// the right one by a negative angle about its hinge, the left one by a positive angle.
glm::mat4 gateLeafTransform(const std::string& name, float seconds) {
    const float angle = glm::radians(std::min(16.0f * seconds, 90.0f));
    const bool right = name == "rightDoor";
    const glm::vec3 hinge =
        right ? glm::vec3(1.025f, 0.49f, 19.49f) : glm::vec3(-5.97f, 0.179f, 19.48f);
    glm::mat4 m = glm::translate(glm::mat4(1.0f), hinge);
    m = glm::rotate(m, right ? -angle : angle, glm::vec3(0, 1, 0));
    return glm::translate(m, -hinge);
}

bool isGateLeaf(const std::string& name) {
    return name == "rightDoor" || name == "leftDoor";
}
}  // namespace

TEST(CameraClearanceTest, EyeStaysClearOfEverySurfaceAlongTheWholeFlight) {
    const std::vector<SceneMesh> meshes = importSceneMeshes(sceneModelPath());
    ASSERT_FALSE(meshes.empty()) << "run the asset generator first: " << sceneModelPath();
    const std::vector<FlightSample> samples = sampleFlight(kSampleSpacing);

    glm::vec3 lo(std::numeric_limits<float>::infinity());
    glm::vec3 hi(-std::numeric_limits<float>::infinity());
    for (const FlightSample& s : samples) {
        lo = glm::min(lo, s.eye);
        hi = glm::max(hi, s.eye);
    }
    TriangleGrid grid(lo - 1.0f, hi + 1.0f);
    std::vector<const SceneMesh*> leaves;
    for (const SceneMesh& mesh : meshes) {
        if (isGateLeaf(mesh.name)) {
            leaves.push_back(&mesh);
            continue;
        }
        for (const glm::uvec3& t : mesh.triangles) {
            grid.add({mesh.positions[t.x], mesh.positions[t.y], mesh.positions[t.z], &mesh.name});
        }
    }
    ASSERT_EQ(leaves.size(), 2u);

    int failures = 0;
    std::ostringstream report;
    for (const FlightSample& s : samples) {
        const std::string* mesh = nullptr;
        float distance = grid.nearest(s.eye, &mesh);
        for (const SceneMesh* leaf : leaves) {
            const glm::mat4 m = gateLeafTransform(leaf->name, s.seconds);
            for (const glm::uvec3& t : leaf->triangles) {
                const glm::vec3 a(m * glm::vec4(leaf->positions[t.x], 1.0f));
                const glm::vec3 b(m * glm::vec4(leaf->positions[t.y], 1.0f));
                const glm::vec3 c(m * glm::vec4(leaf->positions[t.z], 1.0f));
                const float d = pointTriangleDistance(s.eye, a, b, c);
                if (d < distance) {
                    distance = d;
                    mesh = &leaf->name;
                }
            }
        }
        if (distance < kClearance) {
            if (++failures <= 20) {
                report << "  t=" << s.seconds << "s eye (" << s.eye.x << ", " << s.eye.y << ", "
                       << s.eye.z << ") is " << distance << " m from " << *mesh << "\n";
            }
        }
    }
    EXPECT_EQ(failures, 0) << "of " << samples.size() << " samples:\n" << report.str();
}

TEST(CameraClearanceTest, FlightIsSampledDenselyFromStartToEnd) {
    const std::vector<FlightSample> samples = sampleFlight(kSampleSpacing);
    ASSERT_GT(samples.size(), 2000u);
    EXPECT_EQ(samples.front().eye, flightKeyPositions().front());
    EXPECT_EQ(samples.back().eye, flightKeyPositions().back());
    for (size_t i = 1; i < samples.size(); ++i) {
        EXPECT_LE(glm::length(samples[i].eye - samples[i - 1].eye), kSampleSpacing + 1e-4f);
        EXPECT_GT(samples[i].seconds, samples[i - 1].seconds);
    }
    EXPECT_NEAR(samples.back().seconds, 138.0f, 2.0f);  // 124 m at 0.9 m/s
}
