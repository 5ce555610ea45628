#include <cmath>

#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
// A runner bent along a circle about an axis parallel to x through `centre` (its y and z): a
// rectangular section between radii rInner and rOuter and between x0 and x1, over angles a0..a1
// measured from straight down towards +z.
void addArcRunner(Part part, glm::vec3 centre, float x0, float x1, float rInner, float rOuter,
                  float a0, float a1, int segments) {
    auto at = [&](float x, float r, float a) {
        return glm::vec3(x, centre.y - r * std::cos(a), centre.z + r * std::sin(a));
    };
    for (int i = 0; i < segments; ++i) {
        const float s = a0 + (a1 - a0) * i / segments;
        const float e = a0 + (a1 - a0) * (i + 1) / segments;
        const float m = 0.5f * (s + e);
        const glm::vec3 down(0.0f, -std::cos(m), std::sin(m));
        part.mesh.addQuad(at(x0, rOuter, s), at(x1, rOuter, s), at(x1, rOuter, e),
                          at(x0, rOuter, e), down, part.repeat);
        part.mesh.addQuad(at(x0, rInner, s), at(x1, rInner, s), at(x1, rInner, e),
                          at(x0, rInner, e), -down, part.repeat);
        part.mesh.addQuad(at(x0, rInner, s), at(x0, rOuter, s), at(x0, rOuter, e),
                          at(x0, rInner, e), {-1, 0, 0}, part.repeat);
        part.mesh.addQuad(at(x1, rInner, s), at(x1, rOuter, s), at(x1, rOuter, e),
                          at(x1, rInner, e), {1, 0, 0}, part.repeat);
    }
    const glm::vec3 t0(0.0f, std::sin(a0), std::cos(a0));
    part.mesh.addQuad(at(x0, rInner, a0), at(x1, rInner, a0), at(x1, rOuter, a0),
                      at(x0, rOuter, a0), -t0, part.repeat);
    const glm::vec3 t1(0.0f, std::sin(a1), std::cos(a1));
    part.mesh.addQuad(at(x0, rInner, a1), at(x1, rInner, a1), at(x1, rOuter, a1),
                      at(x0, rOuter, a1), t1, part.repeat);
}

// A straight square rod between two points.
void addRod(Part part, glm::vec3 a, glm::vec3 b, float half) {
    const glm::vec3 axis = 0.5f * (b - a);
    const glm::vec3 w = glm::normalize(axis);
    const glm::vec3 side = glm::normalize(
        glm::cross(std::abs(w.x) < 0.9f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0), w));
    const glm::vec3 other = glm::cross(w, side);
    addOrientedBox(part.mesh, 0.5f * (a + b), axis, half * side, half * other, part.repeat);
}
}  // namespace

// The rocking chair faces the fireplace (towards -z); its runners are arcs about the axis it rocks
// on, touching the floor, and the top of its back stays low enough for the camera to pass above.
void buildRockingChair(SceneModel& scene) {
    Part wood = part(scene, anchors::kChairMesh, mat::kBlackenedWood);
    const glm::vec3 pivot = kChairPivot;
    const float radius = pivot.y - kFloor;  // 1.1
    const float cx = pivot.x;
    const float halfWidth = 0.26f;
    for (float side : {-1.0f, 1.0f}) {
        const float x = cx + side * halfWidth;
        addArcRunner(wood, pivot, x - 0.022f, x + 0.022f, radius - 0.05f, radius, -0.52f, 0.5f, 12);
    }
    auto runnerTop = [&](float z) {
        return pivot.y - (radius - 0.05f) * std::cos(std::asin((z - pivot.z) / (radius - 0.05f)));
    };
    const float seatY = -1.1f;
    const float frontZ = pivot.z - 0.24f;
    const float backZ = pivot.z + 0.2f;
    for (float side : {-1.0f, 1.0f}) {
        const float x = cx + side * halfWidth;
        addRod(wood, {x, runnerTop(frontZ), frontZ}, {x, -0.82f, frontZ},
               0.022f);  // front leg and arm post
        addRod(wood, {x, runnerTop(backZ), backZ}, {x, seatY, backZ}, 0.022f);  // back leg
        addRod(wood, {x, seatY, backZ}, {x, -0.24f, backZ + 0.16f},
               0.024f);  // back post, leaning back
        addRod(wood, {x, -0.82f, frontZ - 0.06f}, {x, -0.78f, backZ + 0.06f}, 0.025f);  // arm rest
    }
    // Seat boards and the back's rails and spindles.
    addBox(wood.mesh, {cx - halfWidth - 0.03f, seatY - 0.035f, frontZ - 0.03f},
           {cx + halfWidth + 0.03f, seatY, backZ + 0.02f}, wood.repeat);
    for (float y : {-0.95f, -0.3f}) {
        const float z = backZ + 0.16f * (y - seatY) / (-0.24f - seatY);
        addRod(wood, {cx - halfWidth, y, z}, {cx + halfWidth, y, z}, 0.022f);
    }
    for (int i = -2; i <= 2; ++i) {
        const float x = cx + 0.09f * i;
        const float z0 = backZ + 0.16f * (-0.95f - seatY) / (-0.24f - seatY);
        const float z1 = backZ + 0.16f * (-0.3f - seatY) / (-0.24f - seatY);
        addRod(wood, {x, -0.95f, z0}, {x, -0.3f, z1}, 0.012f);
    }
    // Stretchers between the legs.
    addRod(wood, {cx - halfWidth, -1.35f, frontZ}, {cx + halfWidth, -1.35f, frontZ}, 0.015f);
    addRod(wood, {cx - halfWidth, -1.35f, backZ}, {cx + halfWidth, -1.35f, backZ}, 0.015f);
}
