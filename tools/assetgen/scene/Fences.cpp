#include <cmath>
#include <string>

#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kPlinthHalf = 0.18f;
const float kPlinthTop = kGround + 0.4f;
const float kBarTop = 0.2f;
const float kRails[2][2] = {{-1.18f, -1.14f}, {0.02f, 0.06f}};

struct FenceRun {
    glm::vec2 from;
    glm::vec2 to;
    const char* name;
    glm::vec2 skip;  // a stretch (distance along the run) without bars, where a wall meets it
};

// A straight run of railings on a stone plinth: spear-headed bars, two rails cut between the bars
// (so that no face runs through a bar) and heavier posts with ball finials every few metres.
void buildRun(SceneModel& scene, const FenceRun& run) {
    Part stone = part(scene, std::string(run.name) + "_plinth", mat::kStoneWall);
    Part iron = part(scene, std::string(run.name) + "_iron", mat::kWroughtIron);
    const glm::vec2 d = run.to - run.from;
    const float length = glm::length(d);
    const glm::vec2 dir = d / length;
    const glm::vec2 side(-dir.y, dir.x);
    auto at = [&](float s, float offset, float y) {
        const glm::vec2 p = run.from + dir * s + side * offset;
        return glm::vec3(p.x, y, p.y);
    };
    const glm::vec3 halfAlong = glm::vec3(dir.x, 0, dir.y) * (0.5f * length);
    addOrientedBox(stone.mesh, at(0.5f * length, 0.0f, 0.5f * (kGround + kPlinthTop)), halfAlong,
                   glm::vec3(0, 0.5f * (kPlinthTop - kGround), 0),
                   glm::vec3(side.x, 0, side.y) * kPlinthHalf, stone.repeat,
                   kAllFaces & ~kFaceNegY);

    const float spacing = 0.15f;
    const int bars = static_cast<int>(length / spacing);
    const float step = length / bars;
    const glm::vec3 x3(dir.x, 0, dir.y);
    const glm::vec3 z3(side.x, 0, side.y);
    float previousFace = -1.0f;  // the far side of the last bar, where the next rail starts
    for (int i = 1; i < bars; ++i) {
        const float s = step * i;
        if (s > run.skip.x && s < run.skip.y) {
            previousFace = -1.0f;
            continue;
        }
        const bool post = i % 20 == 0;
        const float h = post ? 0.035f : 0.01f;
        const float top = post ? kBarTop + 0.2f : kBarTop;
        const float spans[3][2] = {
            {kPlinthTop, kRails[0][0]}, {kRails[0][1], kRails[1][0]}, {kRails[1][1], top}};
        for (const auto& span : spans) {
            addOrientedBox(iron.mesh, at(s, 0.0f, 0.5f * (span[0] + span[1])), h * x3,
                           glm::vec3(0, 0.5f * (span[1] - span[0]), 0), h * z3, iron.repeat,
                           kAllFaces & ~(kFaceNegY | kFacePosY));
        }
        if (post) {
            addEllipsoid(iron.mesh, at(s, 0.0f, top + 0.05f), glm::vec3(0.055f), 8, 5, iron.repeat);
            addOrientedBox(iron.mesh, at(s, 0.0f, top), h * x3, glm::vec3(0, 0.0005f, 0), h * z3,
                           iron.repeat, kFacePosY);
        } else {
            const glm::vec3 base = at(s, 0.0f, top);
            addPyramidSides(iron.mesh,
                            {base - 0.022f * x3 + 0.01f * z3, base + 0.022f * x3 + 0.01f * z3,
                             base + 0.022f * x3 - 0.01f * z3, base - 0.022f * x3 - 0.01f * z3},
                            base + glm::vec3(0, 0.11f, 0), iron.repeat);
            addOrientedBox(iron.mesh, base, 0.022f * x3, glm::vec3(0, 0.0005f, 0), 0.01f * z3,
                           iron.repeat, kFaceNegY);
        }
        if (previousFace >= 0.0f) {
            const float a = previousFace;
            const float b = s - h;
            for (const auto& rail : kRails) {
                addOrientedBox(iron.mesh, at(0.5f * (a + b), 0.0f, 0.5f * (rail[0] + rail[1])),
                               0.5f * (b - a) * x3, glm::vec3(0, 0.5f * (rail[1] - rail[0]), 0),
                               0.008f * z3, iron.repeat, kAllFaces & ~(kFaceNegX | kFacePosX));
            }
        }
        previousFace = s + h;
    }
}
}  // namespace

void buildFences(SceneModel& scene) {
    const float inset = kPlinthHalf;
    const float rightStart = kFenceBack - inset;
    const FenceRun runs[] = {
        {{kFenceLeft + inset, kFenceFront},
         {kLeftGateHinge.x - 0.82f, kFenceFront},
         "fence_front_left",
         {0, 0}},
        {{kRightGateHinge.x + 0.825f, kFenceFront},
         {kFenceRight - inset, kFenceFront},
         "fence_front_right",
         {0, 0}},
        {{kFenceLeft, kFenceBack - inset}, {kFenceLeft, kFenceFront + inset}, "fence_left", {0, 0}},
        // The garden wall (z -2.05..-1.55) meets the right run: no bars where it stands.
        {{kFenceRight, rightStart},
         {kFenceRight, kFenceFront + inset},
         "fence_right",
         {-2.15f - rightStart, -1.45f - rightStart}},
        {{kFenceLeft + inset, kFenceBack}, {kFenceRight - inset, kFenceBack}, "fence_back", {0, 0}},
    };
    for (const FenceRun& run : runs) buildRun(scene, run);
}

// The garden wall from the house's right corner to the fence: brick under a stone coping.
void buildGardenWall(SceneModel& scene) {
    Part brick = part(scene, "garden_wall", mat::kBrick);
    const float x0 = kRight;
    const float x1 = kFenceRight - kPlinthHalf;
    const float z0 = -2.05f;
    const float z1 = -1.55f;
    const float top = 1.27f;
    addBox(brick.mesh, {x0, kGround, z0}, {x1, top, z1}, brick.repeat, kFaceNegZ | kFacePosZ);
    addPlaneRects(brick, Axis::X, x1, 1.0f, {{z0, kPlinthTop}, {z1, top}});
    Part coping = part(scene, "garden_wall_coping", mat::kTombstone);
    addBox(coping.mesh, {x0, top, z0 - 0.05f}, {x1 + 0.05f, 1.4f, z1 + 0.05f}, coping.repeat,
           kAllFaces & ~kFaceNegX);
}
