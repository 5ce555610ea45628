#include <cmath>

#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kFrameX0 = -9.70f;
const float kFrameX1 = -9.62f;

void addFrameBar(Part part, float z0, float y0, float z1, float y1) {
    addBox(part.mesh, {kFrameX0, y0, z0}, {kFrameX1, y1, z1}, part.repeat);
}

// A jagged piece of glass left in the frame: a thin slab cut to a triangle in the frame's plane.
void addShard(Part glass, glm::vec2 a, glm::vec2 b, glm::vec2 c) {
    const glm::vec3 origin(0.5f * (kFrameX0 + kFrameX1), 0.0f, 0.0f);
    addExtrudedOutline(glass.mesh, origin, glm::vec3(0, 0, 1), glm::vec3(0, 1, 0), {a, b, c},
                       0.006f, glass.repeat);
}
}  // namespace

// The left wall's ground-floor window, its glass smashed, where the camera climbs in: only a frame,
// a few shards in the corners and two loose shutters; the middle of the opening stays clear.
void buildBrokenWindow(SceneModel& scene) {
    Part wood = part(scene, "broken_window", mat::kTimber);
    const float z0 = kBrokenWindowMinZ;
    const float z1 = kBrokenWindowMaxZ;
    const float y0 = kBrokenWindowBottom;
    const float y1 = kBrokenWindowTop;
    const float t = 0.08f;
    addFrameBar(wood, z0, y0, z1, y0 + t);
    addFrameBar(wood, z0, y1 - t, z1, y1);
    addFrameBar(wood, z0, y0 + t, z0 + t, y1 - t);
    addFrameBar(wood, z1 - t, y0 + t, z1, y1 - t);
    const float mid = 0.5f * (z0 + z1);
    addFrameBar(wood, mid - 0.025f, y0 + t, mid + 0.025f, y0 + 0.42f);  // snapped mullion

    Part glass = part(scene, "broken_glass", mat::kWindows);
    addShard(glass, {z0 + t, y0 + t}, {z0 + 0.32f, y0 + t}, {z0 + t, y0 + 0.45f});
    addShard(glass, {z1 - t, y0 + t}, {z1 - t, y0 + 0.3f}, {z1 - 0.22f, y0 + t});
    addShard(glass, {z0 + t, y1 - t}, {z0 + t, y1 - 0.4f}, {z0 + 0.26f, y1 - t});
    addShard(glass, {z1 - t, y1 - t}, {z1 - 0.3f, y1 - t}, {z1 - t, y1 - 0.22f});
    addShard(glass, {mid - 0.025f, y0 + t}, {mid - 0.2f, y0 + t}, {mid - 0.025f, y0 + 0.3f});

    // Shutters: one flung back against the wall, one hanging askew from its last hinge.
    addBox(wood.mesh, {kLeft - 0.05f, y0 + 0.05f, z1 + 0.05f},
           {kLeft - 0.02f, y1 - 0.05f, z1 + 0.78f}, wood.repeat);
    const float tilt = glm::radians(12.0f);
    const glm::vec3 centre(kLeft - 0.05f, 0.78f, z0 - 0.42f);
    addOrientedBox(wood.mesh, centre, glm::vec3(0.015f, 0, 0),
                   0.78f * glm::vec3(0, std::cos(tilt), std::sin(tilt)),
                   0.37f * glm::vec3(0, -std::sin(tilt), std::cos(tilt)), wood.repeat);
}
