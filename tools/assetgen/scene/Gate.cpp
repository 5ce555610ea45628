#include <cmath>

#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"
#include "scene/Props.h"

using namespace layout;

namespace {
const float kPillarHalf = 0.4f;
const float kPillarTop = 1.9f;

void buildPillar(SceneModel& scene, float x0) {
    Part stone = part(scene, "gate_pillars", mat::kStoneWall);
    const float z0 = kGatePlaneZ - kPillarHalf;
    const float z1 = kGatePlaneZ + kPillarHalf;
    addBox(stone.mesh, {x0, kGround, z0}, {x0 + 2 * kPillarHalf, kPillarTop, z1}, stone.repeat,
           kAllFaces & ~(kFaceNegY | kFacePosY));
    Part cap = part(scene, "gate_caps", mat::kTombstone);
    addBox(cap.mesh, {x0 - 0.07f, kPillarTop, z0 - 0.07f},
           {x0 + 2 * kPillarHalf + 0.07f, kPillarTop + 0.15f, z1 + 0.07f}, cap.repeat);
    const glm::vec3 top(x0 + kPillarHalf, kPillarTop + 0.15f, kGatePlaneZ);
    addLathe(
        cap.mesh, top,
        {{0.2f, 0.0f}, {0.16f, 0.06f}, {0.08f, 0.1f}, {0.19f, 0.3f}, {0.16f, 0.44f}, {0.0f, 0.5f}},
        14, cap.repeat);
}

// A lantern hanging from an L-shaped bracket that comes out of the pillar's front face.
void buildLantern(SceneModel& scene, glm::vec3 light) {
    const glm::vec3 hook = addOpenLantern(scene, "gate_lanterns", light, 0.22f);
    Part iron = part(scene, "gate_lanterns", mat::kWroughtIron);
    const float pillarFront = kGatePlaneZ + kPillarHalf;
    const float armY = hook.y + 0.1f;
    addBox(iron.mesh, {light.x - 0.015f, armY, pillarFront},
           {light.x + 0.015f, armY + 0.04f, light.z + 0.04f}, iron.repeat, kAllFaces & ~kFaceNegZ);
    addBox(iron.mesh, {light.x - 0.008f, hook.y - 0.01f, light.z - 0.008f},
           {light.x + 0.008f, armY, light.z + 0.008f}, iron.repeat, kAllFaces & ~kFacePosY);
    const glm::vec3 a(light.x, armY - 0.3f, pillarFront);
    const glm::vec3 b(light.x, armY, pillarFront + 0.7f * (light.z - pillarFront));
    const glm::vec3 half = 0.5f * (b - a);
    const glm::vec3 across = 0.012f * glm::normalize(glm::vec3(0, -half.z, half.y));
    addOrientedBox(iron.mesh, 0.5f * (a + b), half, glm::vec3(0.012f, 0, 0), across, iron.repeat);
}

// One leaf of the gate in its closed position: frame, bars with spear heads, and scrolls. The
// hinge side sits just inside the hinge axis so that the open leaf clears the pillar.
void buildLeaf(SceneModel& scene, const char* name, float hingeX, float meetX) {
    Part iron = part(scene, name, mat::kWroughtIron);
    const float z = kGatePlaneZ;
    const float dir = meetX > hingeX ? 1.0f : -1.0f;
    const float inner = hingeX + dir * 0.015f;
    const float outer = meetX - dir * 0.01f;
    const float lo = std::min(inner, outer);
    const float hi = std::max(inner, outer);
    const float bottom = kGround + 0.1f;
    const float top = kGateTop - 0.1f;
    auto rail = [&](float y0, float y1) {
        addBox(iron.mesh, {lo + 0.05f, y0, z - 0.02f}, {hi - 0.05f, y1, z + 0.02f}, iron.repeat,
               kAllFaces & ~(kFaceNegX | kFacePosX));
    };
    addBox(iron.mesh, {lo, bottom, z - 0.025f}, {lo + 0.05f, top + 0.12f, z + 0.025f}, iron.repeat);
    addBox(iron.mesh, {hi - 0.05f, bottom, z - 0.025f}, {hi, top + 0.12f, z + 0.025f}, iron.repeat);
    rail(bottom, bottom + 0.05f);
    rail(top - 0.05f, top);
    rail(-0.95f, -0.91f);
    const int bars = static_cast<int>((hi - lo - 0.1f) / 0.125f);
    const float step = (hi - lo - 0.1f) / (bars + 1);
    for (int i = 1; i <= bars; ++i) {
        const float x = lo + 0.05f + step * i;
        const float h = 0.011f;
        // Bars run between the rails in pieces so that no face runs through a rail.
        const float spans[3][2] = {
            {bottom + 0.05f, -0.95f}, {-0.91f, top - 0.05f}, {top, top + 0.16f}};
        for (const auto& span : spans) {
            addBox(iron.mesh, {x - h, span[0], z - h}, {x + h, span[1], z + h}, iron.repeat,
                   kAllFaces & ~(kFaceNegY | kFacePosY));
        }
        addPyramidSides(iron.mesh,
                        {{x - 0.025f, top + 0.16f, z + 0.012f},
                         {x + 0.025f, top + 0.16f, z + 0.012f},
                         {x + 0.025f, top + 0.16f, z - 0.012f},
                         {x - 0.025f, top + 0.16f, z - 0.012f}},
                        {x, top + 0.27f, z}, iron.repeat);
        addBox(iron.mesh, {x - 0.025f, top + 0.155f, z - 0.012f},
               {x + 0.025f, top + 0.16f, z + 0.012f}, iron.repeat, kFaceNegY);
    }
    // Rings between the middle rail and the top rail.
    for (int i = 0; i < 3; ++i) {
        const float cx = lo + (hi - lo) * (0.25f + 0.25f * i);
        const glm::vec3 c(cx, 0.15f, z);
        const int segments = 12;
        for (int k = 0; k < segments; ++k) {
            const float a0 = 6.2831853f * k / segments;
            const float a1 = 6.2831853f * (k + 1) / segments;
            addTube(iron.mesh, c + 0.22f * glm::vec3(std::cos(a0), std::sin(a0), 0.0f),
                    c + 0.22f * glm::vec3(std::cos(a1), std::sin(a1), 0.0f), 0.01f, 0.01f, 5,
                    iron.repeat, false, false, false);
        }
    }
}

// An iron arch over the gate between the pillar caps.
void buildArch(SceneModel& scene) {
    Part iron = part(scene, "gate_arch", mat::kWroughtIron);
    const float left = kLeftGateHinge.x - 0.42f;
    const float right = kRightGateHinge.x + 0.42f;
    const float cx = 0.5f * (left + right);
    const float a = 0.5f * (right - left);
    const float base = kPillarTop + 0.62f;
    const int segments = 24;
    for (float rise : {1.3f, 1.0f}) {
        for (int k = 0; k < segments; ++k) {
            const float t0 = 3.14159265f * k / segments;
            const float t1 = 3.14159265f * (k + 1) / segments;
            const float shrink = rise < 1.2f ? 0.92f : 1.0f;
            addTube(iron.mesh,
                    {cx + a * shrink * std::cos(t0), base + rise * std::sin(t0), kGatePlaneZ},
                    {cx + a * shrink * std::cos(t1), base + rise * std::sin(t1), kGatePlaneZ},
                    0.03f, 0.03f, 6, iron.repeat, true, false, false);
        }
    }
    for (int k = 2; k < segments - 1; k += 2) {
        const float t = 3.14159265f * k / segments;
        const glm::vec3 outer(cx + a * std::cos(t), base + 1.3f * std::sin(t), kGatePlaneZ);
        const glm::vec3 inner(cx + a * 0.92f * std::cos(t), base + 1.0f * std::sin(t), kGatePlaneZ);
        addTube(iron.mesh, inner, outer, 0.012f, 0.012f, 5, iron.repeat, true, false, false);
    }
}
}  // namespace

void buildGate(SceneModel& scene) {
    buildPillar(scene, kRightGateHinge.x + 0.025f);
    buildPillar(scene, kLeftGateHinge.x - 0.02f - 2 * kPillarHalf);
    buildLantern(scene, kRightGateLantern);
    buildLantern(scene, kLeftGateLantern);
    buildLeaf(scene, anchors::kRightGateMesh, kRightGateHinge.x, kGateMeetX);
    buildLeaf(scene, anchors::kLeftGateMesh, kLeftGateHinge.x, kGateMeetX);
    buildArch(scene);
}
