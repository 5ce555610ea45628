#include <cmath>
#include <vector>

#include "core/Noise.h"
#include "core/Random.h"
#include "scene/DeadTree.h"
#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
// The yard is flat; beyond it the moor rolls up into a ring of low hills around 100 m out that
// hides whatever lies past the far plane, and falls away behind it.
float groundHeight(float x, float z) {
    const float outside = std::max(std::max(std::abs(x) - 24.0f, z - 38.0f), -28.0f - z);
    const float blend = smoothstepf(0.0f, 14.0f, outside);
    const float r = std::sqrt(x * x + (z - 4.0f) * (z - 4.0f));
    const float rolling = 1.2f * gradientNoise3(glm::vec3(x * 0.04f, 0.0f, z * 0.04f), 501u);
    const float hills =
        smoothstepf(30.0f, 95.0f, r) * (1.0f - 0.7f * smoothstepf(125.0f, 180.0f, r)) *
        (7.0f +
         12.0f * (0.5f + 0.5f * fractalNoise3(glm::vec3(x * 0.012f, 1.0f, z * 0.012f), 4, 502u)));
    return kGround + blend * (rolling + hills);
}

std::vector<float> gridLines() {
    std::vector<float> lines;
    const float far[] = {-230.0f, -190.0f, -160.0f, -135.0f, -115.0f, -98.0f, -84.0f,
                         -72.0f,  -62.0f,  -54.0f,  -47.0f,  -41.0f,  -36.0f, -32.0f};
    for (float f : far) lines.push_back(f);
    for (float v = -30.0f; v <= 40.0f; v += 2.0f) lines.push_back(v);
    for (int i = 13; i >= 0; --i) lines.push_back(10.0f - far[i]);
    return lines;
}

void buildGround(SceneModel& scene) {
    Part ground = part(scene, "ground", mat::kGround);
    const std::vector<float> lines = gridLines();
    const size_t n = lines.size();
    const uint32_t first = static_cast<uint32_t>(ground.mesh.vertices.size());
    for (size_t j = 0; j < n; ++j) {
        for (size_t i = 0; i < n; ++i) {
            const float x = lines[i];
            const float z = lines[j];
            const float e = 0.5f;
            const glm::vec3 normal =
                glm::normalize(glm::vec3(groundHeight(x - e, z) - groundHeight(x + e, z), 2.0f * e,
                                         groundHeight(x, z - e) - groundHeight(x, z + e)));
            ground.mesh.addVertex({x, groundHeight(x, z), z}, normal,
                                  glm::vec2(x, -z) / ground.repeat);
        }
    }
    for (size_t j = 0; j + 1 < n; ++j) {
        for (size_t i = 0; i + 1 < n; ++i) {
            const uint32_t a = first + static_cast<uint32_t>(j * n + i);
            ground.mesh.addTriangle(a, a + 1, a + 1 + static_cast<uint32_t>(n));
            ground.mesh.addTriangle(a, a + 1 + static_cast<uint32_t>(n),
                                    a + static_cast<uint32_t>(n));
        }
    }
}

// A ribbon lying on the flat ground along a polyline, `lift` above it, with its sides.
void addRibbon(Part part, const std::vector<glm::vec2>& centre, float halfWidth, float lift) {
    std::vector<glm::vec2> left;
    std::vector<glm::vec2> right;
    for (size_t i = 0; i < centre.size(); ++i) {
        const glm::vec2 prev = centre[i > 0 ? i - 1 : i];
        const glm::vec2 next = centre[i + 1 < centre.size() ? i + 1 : i];
        const glm::vec2 d = glm::normalize(next - prev);
        const glm::vec2 side(-d.y, d.x);
        left.push_back(centre[i] + side * halfWidth);
        right.push_back(centre[i] - side * halfWidth);
    }
    const float top = kGround + lift;
    auto p = [](glm::vec2 q, float y) { return glm::vec3(q.x, y, q.y); };
    for (size_t i = 0; i + 1 < centre.size(); ++i) {
        part.mesh.addQuad(p(left[i], top), p(right[i], top), p(right[i + 1], top),
                          p(left[i + 1], top), {0, 1, 0}, part.repeat);
        const glm::vec2 along = centre[i + 1] - centre[i];
        const glm::vec3 outLeft = glm::normalize(glm::vec3(-along.y, 0, along.x));
        part.mesh.addQuad(p(left[i], kGround), p(left[i + 1], kGround), p(left[i + 1], top),
                          p(left[i], top), outLeft, part.repeat);
        part.mesh.addQuad(p(right[i], kGround), p(right[i + 1], kGround), p(right[i + 1], top),
                          p(right[i], top), -outLeft, part.repeat);
    }
    for (size_t end : {size_t{0}, centre.size() - 1}) {
        const glm::vec2 other = centre[end == 0 ? 1 : end - 1];
        const glm::vec2 out = centre[end] - other;
        part.mesh.addQuad(p(left[end], kGround), p(right[end], kGround), p(right[end], top),
                          p(left[end], top), glm::normalize(glm::vec3(out.x, 0, out.y)),
                          part.repeat);
    }
}

// Dead trees scattered over the hills close the horizon with a ragged line.
void buildTreeLine(SceneModel& scene) {
    Part bark = part(scene, "tree_line", mat::kBark);
    Random random(777u);
    for (int i = 0; i < 90; ++i) {
        const float angle = 6.2831853f * (i + random.range(-0.3f, 0.3f)) / 90.0f;
        const float r = random.range(62.0f, 118.0f);
        const float x = r * std::cos(angle);
        const float z = 4.0f + r * std::sin(angle);
        DeadTreeShape shape;
        shape.height = random.range(2.5f, 4.5f);
        shape.radius = random.range(0.25f, 0.4f);
        shape.depth = 3;
        shape.sides = 5;
        shape.spread = 0.6f;
        addDeadTree(bark.mesh, {x, groundHeight(x, z), z}, shape, 900u + static_cast<uint32_t>(i),
                    bark.repeat);
    }
}
}  // namespace

void buildTerrain(SceneModel& scene) {
    buildGround(scene);
    Part road = part(scene, "road", mat::kMud);
    addRibbon(road,
              {{-70.0f, 32.3f}, {-30.0f, 32.0f}, {0.0f, 32.2f}, {30.0f, 32.4f}, {70.0f, 32.1f}},
              2.2f, 0.02f);
    Part gravel = part(scene, "gravel_path", mat::kGravel);
    addRibbon(gravel,
              {{-2.62f, 30.6f},
               {-2.55f, 26.0f},
               {-2.47f, 21.0f},
               {-2.42f, 18.0f},
               {-2.2f, 14.0f},
               {-1.85f, 9.0f},
               {-1.6f, 5.0f},
               {-1.5f, 2.3f}},
              0.85f, 0.035f);
    buildTreeLine(scene);
}
