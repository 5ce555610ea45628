#include "FlightPath.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>
#include <unordered_map>

#include "Camera.h"
#include "CameraPath.h"
#include "SceneAnchors.h"

std::vector<glm::vec3> flightKeyPositions() {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    std::vector<glm::vec3> eyes;
    for (const KeyPoint& key : CameraPath(&camera, nullptr).m_keyPoints)
        eyes.push_back(key.position);
    return eyes;
}

std::vector<FlightSample> sampleFlight(float spacing) {
    const std::vector<glm::vec3> keys = flightKeyPositions();
    std::vector<FlightSample> samples;
    float travelled = 0.0f;
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
        const float length = glm::length(keys[i + 1] - keys[i]);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / spacing)));
        for (int s = 0; s < steps; ++s) {
            const float f = static_cast<float>(s) / steps;
            samples.push_back(
                {glm::mix(keys[i], keys[i + 1], f), (travelled + f * length) / kFlightSpeed});
        }
        travelled += length;
    }
    samples.push_back({keys.back(), travelled / kFlightSpeed});
    return samples;
}

namespace {
struct Triangle {
    glm::vec3 a, b, c;
    const std::string* mesh;
};

// Triangles bucketed by the 1 m cells of a region that they come within `reach` of: a point only
// needs the triangles of its own cell.
struct TriangleGrid {
    glm::vec3 origin;
    glm::ivec3 extent;
    float reach;
    std::unordered_map<int64_t, std::vector<Triangle>> cells;

    glm::ivec3 cell(glm::vec3 p) const { return glm::ivec3(glm::floor(p - origin)); }
    int64_t key(glm::ivec3 c) const { return (int64_t(c.z) * extent.y + c.y) * extent.x + c.x; }
    void add(const Triangle& t) {
        const glm::ivec3 c0 = glm::max(cell(glm::min(glm::min(t.a, t.b), t.c) - reach), 0);
        const glm::ivec3 c1 = glm::min(cell(glm::max(glm::max(t.a, t.b), t.c) + reach), extent - 1);
        for (int z = c0.z; z <= c1.z; ++z)
            for (int y = c0.y; y <= c1.y; ++y)
                for (int x = c0.x; x <= c1.x; ++x) cells[key({x, y, z})].push_back(t);
    }
    const std::vector<Triangle>& near(glm::vec3 p) const {
        static const std::vector<Triangle> none;
        const auto found = cells.find(key(cell(p)));
        return found == cells.end() ? none : found->second;
    }
};

// The frame update turns the gate leaves by 16 degrees a second until they have opened 90 degrees:
// the right one by a negative angle about its hinge, the left one by a positive angle.
glm::mat4 gateLeafTransform(const std::string& name, float seconds) {
    const float angle = glm::radians(std::min(16.0f * seconds, 90.0f));
    const bool right = name == anchors::kRightGateMesh;
    const glm::vec2 axis = right ? anchors::kRightGateHinge : anchors::kLeftGateHinge;
    const glm::vec3 hinge(axis.x, 0.0f, axis.y);
    glm::mat4 m = glm::translate(glm::mat4(1.0f), hinge);
    m = glm::rotate(m, right ? -angle : angle, glm::vec3(0, 1, 0));
    return glm::translate(m, -hinge);
}
}  // namespace

std::vector<ClearanceMiss> clearanceMisses(const std::vector<SceneMesh>& meshes,
                                           const std::vector<FlightSample>& samples,
                                           float clearance) {
    glm::vec3 lo(std::numeric_limits<float>::infinity()), hi = -lo;
    for (const FlightSample& s : samples) {
        lo = glm::min(lo, s.eye - 1.0f);
        hi = glm::max(hi, s.eye + 1.0f);
    }
    TriangleGrid still{glm::floor(lo), glm::ivec3(glm::ceil(hi - glm::floor(lo))), clearance, {}};
    std::vector<const SceneMesh*> leaves;
    for (const SceneMesh& mesh : meshes) {
        if (mesh.name == "rightDoor" || mesh.name == "leftDoor") {
            leaves.push_back(&mesh);
            continue;
        }
        for (const glm::uvec3& t : mesh.triangles)
            still.add({mesh.positions[t.x], mesh.positions[t.y], mesh.positions[t.z], &mesh.name});
    }
    std::vector<ClearanceMiss> misses;
    for (const FlightSample& s : samples) {
        ClearanceMiss nearest{s, std::numeric_limits<float>::infinity(), ""};
        auto consider = [&](const Triangle& t) {
            const float d = pointTriangleDistance(s.eye, t.a, t.b, t.c);
            if (d < nearest.distance) nearest = {s, d, *t.mesh};
        };
        for (const Triangle& t : still.near(s.eye)) consider(t);
        for (const SceneMesh* leaf : leaves) {
            const glm::mat4 m = gateLeafTransform(leaf->name, s.seconds);
            auto at = [&](unsigned i) {
                return glm::vec3(m * glm::vec4(leaf->positions[i], 1.0f));
            };
            for (const glm::uvec3& t : leaf->triangles)
                consider({at(t.x), at(t.y), at(t.z), &leaf->name});
        }
        if (nearest.distance < clearance) misses.push_back(nearest);
    }
    return misses;
}
