#include "scene/DeadTree.h"

#include <cmath>

#include "core/Random.h"
#include "geometry/Shapes.h"

namespace {
struct Grower {
    MeshBuilder& mesh;
    Random random;
    float repeat;
    int maxDepth;
    int trunkSides;
    float spread;

    // One limb in two bent pieces, then its children from its tip.
    void grow(glm::vec3 from, glm::vec3 direction, float length, float radius, int depth) {
        const int sides = std::max(4, trunkSides - (maxDepth - depth));
        glm::vec3 bend = glm::normalize(direction + glm::vec3(random.range(-0.25f, 0.25f),
                                                              random.range(-0.1f, 0.15f),
                                                              random.range(-0.25f, 0.25f)));
        const glm::vec3 middle = from + 0.5f * length * direction;
        const float midRadius = radius * 0.82f;
        const float tipRadius = radius * 0.66f;
        const glm::vec3 tip = middle + 0.5f * length * bend;
        addTube(mesh, from, middle, radius, midRadius, sides, repeat, true, false, true);
        addTube(mesh, middle, tip, midRadius, tipRadius, sides, repeat, true, true, depth == 0);
        if (depth == 0) return;
        const int children = depth >= maxDepth - 1 ? 2 : 2 + (random.chance(0.4f) ? 1 : 0);
        const float turn = random.range(0.0f, 6.2831853f);
        for (int i = 0; i < children; ++i) {
            const float azimuth = turn + 6.2831853f * i / children;
            const glm::vec3 sideways(std::cos(azimuth), 0.0f, std::sin(azimuth));
            const float lean = spread * random.range(0.6f, 1.2f);
            glm::vec3 child = glm::normalize(bend * std::cos(lean) + sideways * std::sin(lean));
            child.y = std::max(child.y, -0.2f);  // limbs droop but never dive into the ground
            grow(tip, glm::normalize(child), length * random.range(0.6f, 0.78f),
                 tipRadius * random.range(0.72f, 0.9f), depth - 1);
        }
    }
};
}  // namespace

void addDeadTree(MeshBuilder& mesh, glm::vec3 base, const DeadTreeShape& shape, uint32_t seed,
                 float metresPerRepeat) {
    Grower grower{mesh, Random(seed), metresPerRepeat, shape.depth, shape.sides, shape.spread};
    // Roots flaring into the ground, then the trunk.
    for (int i = 0; i < 4; ++i) {
        const float a = 6.2831853f * (i + grower.random.range(-0.2f, 0.2f)) / 4.0f;
        const glm::vec3 out(std::cos(a), 0, std::sin(a));
        addTube(mesh, base + out * (shape.radius * 3.0f) - glm::vec3(0, 0.15f, 0),
                base + glm::vec3(0, 0.6f, 0) + out * 0.05f, shape.radius * 0.25f,
                shape.radius * 0.6f, 5, metresPerRepeat, true, false, true);
    }
    const glm::vec3 up = glm::normalize(
        glm::vec3(grower.random.range(-0.1f, 0.1f), 1.0f, grower.random.range(-0.1f, 0.1f)));
    grower.grow(base - glm::vec3(0, 0.2f, 0), up, shape.height, shape.radius, shape.depth);
}
