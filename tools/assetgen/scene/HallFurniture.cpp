#include <cmath>

#include "scene/Cobwebs.h"
#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"
#include "scene/Props.h"

using namespace layout;

namespace {
const float kBackWall = kBack + kWall;  // the hall's back wall face, -7.6

// Fireplace on the back wall: a stone chimney breast with a brick-lined firebox, a mantel and a
// hearth, the portrait above.
void buildFireplace(SceneModel& scene) {
    const float x0 = -4.9f;
    const float x1 = -3.1f;
    const float front = kBackWall + 0.4f;
    const Rect2 opening{{-4.45f, kFloor}, {-3.55f, -0.75f}};
    Part stone = part(scene, "fireplace", mat::kStoneWall);
    addPlaneRects(stone, Axis::Z, front, 1.0f, {{x0, kFloor}, {x1, kCeiling}}, {opening});
    addPlaneRects(stone, Axis::X, x0, -1.0f, {{kBackWall, kFloor}, {front, kCeiling}});
    addPlaneRects(stone, Axis::X, x1, 1.0f, {{kBackWall, kFloor}, {front, kCeiling}});
    Part brick = part(scene, "firebox", mat::kBrick);
    const float back = front - 0.3f;
    addOpeningSides(brick, Axis::Z, back, front, opening, false);
    addPlaneRects(brick, Axis::Z, back, 1.0f, opening);
    Part ash = part(scene, "firebox_logs", mat::kEmbers);
    addTube(ash.mesh, {-4.3f, kFloor + 0.06f, back + 0.12f}, {-3.7f, kFloor + 0.07f, back + 0.16f},
            0.06f, 0.055f, 7, ash.repeat, true, true, true);
    addTube(ash.mesh, {-4.2f, kFloor + 0.12f, back + 0.05f}, {-3.8f, kFloor + 0.17f, back + 0.22f},
            0.05f, 0.045f, 7, ash.repeat, true, true, true);

    Part hearth = part(scene, "hearth", mat::kTombstone);
    addBox(hearth.mesh, {x0 - 0.15f, kFloor, front}, {x1 + 0.15f, kFloor + 0.05f, front + 0.55f},
           hearth.repeat, kAllFaces & ~(kFaceNegY | kFaceNegZ));
    Part wood = part(scene, "fireplace_wood", mat::kDarkWood);
    addBox(wood.mesh, {x0 - 0.15f, -0.55f, front}, {x1 + 0.15f, -0.47f, front + 0.22f}, wood.repeat,
           kAllFaces & ~kFaceNegZ);
    addCandle(scene, {x0 + 0.1f, -0.47f, front + 0.1f}, 0.22f);
    addCandle(scene, {x1 - 0.1f, -0.47f, front + 0.1f}, 0.16f);

    // The portrait: a picture in a heavy frame on the chimney breast.
    const float px0 = -4.4f;
    const float px1 = -3.6f;
    const float py0 = 0.0f;
    const float py1 = 1.2f;
    const float pictureZ = front + 0.03f;
    const glm::vec3 corners[4] = {
        {px0, py0, pictureZ}, {px1, py0, pictureZ}, {px1, py1, pictureZ}, {px0, py1, pictureZ}};
    const glm::vec2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    scene.mesh("portrait", mat::kPortrait).addMappedQuad(corners, uvs, {0, 0, 1});
    const float t = 0.1f;
    const unsigned noBack = kAllFaces & ~kFaceNegZ;
    addBox(wood.mesh, {px0 - t, py0 - t, front}, {px0, py1 + t, front + 0.06f}, wood.repeat,
           noBack);
    addBox(wood.mesh, {px1, py0 - t, front}, {px1 + t, py1 + t, front + 0.06f}, wood.repeat,
           noBack);
    addBox(wood.mesh, {px0, py1, front}, {px1, py1 + t, front + 0.06f}, wood.repeat, noBack);
    addBox(wood.mesh, {px0, py0 - t, front}, {px1, py0, front + 0.06f}, wood.repeat, noBack);
}

// A bookcase against a wall: sides, shelves and a back, with rows of books on every shelf.
// `outward` is the direction the case opens towards (along x or z).
void buildBookcase(SceneModel& scene, glm::vec3 wallCorner, glm::vec3 along, float length,
                   glm::vec3 outward, float height) {
    Part wood = part(scene, "bookcases", mat::kDarkWood);
    const float depth = 0.38f;
    const float board = 0.03f;
    auto box = [&](float a0, float a1, float y0, float y1, float d0, float d1, unsigned faces) {
        const glm::vec3 p = wallCorner + a0 * along + d0 * outward + glm::vec3(0, y0, 0);
        const glm::vec3 q = wallCorner + a1 * along + d1 * outward + glm::vec3(0, y1, 0);
        addBox(wood.mesh, glm::min(p, q), glm::max(p, q), wood.repeat, faces);
    };
    const unsigned all = kAllFaces;
    box(0.0f, board, 0.0f, height, 0.0f, depth, all & ~kFaceNegY);
    box(length - board, length, 0.0f, height, 0.0f, depth, all & ~kFaceNegY);
    box(board, length - board, height - board, height, 0.0f, depth, all);
    box(board, length - board, 0.0f, 0.1f, 0.0f, depth, all & ~kFaceNegY);
    box(board, length - board, 0.1f, height - board, 0.0f, 0.02f, all);
    Part books = part(scene, "books", mat::kBooks);
    const int shelves = 5;
    const float gap = (height - 0.1f - board) / shelves;
    for (int i = 0; i < shelves; ++i) {
        const float y0 = 0.1f + i * gap;
        if (i > 0) box(board, length - board, y0 - board, y0, 0.02f, depth, all);
        const float d = depth - 0.05f;
        auto at = [&](float a, float y) {
            return wallCorner + a * along + d * outward + glm::vec3(0, y, 0);
        };
        const float uOffset = 0.37f * i;
        const glm::vec3 corners[4] = {at(board, y0), at(length - board, y0),
                                      at(length - board, y0 + gap - board),
                                      at(board, y0 + gap - board)};
        const glm::vec2 uvs[4] = {{uOffset, 0},
                                  {uOffset + length - 2 * board, 0},
                                  {uOffset + length - 2 * board, 1},
                                  {uOffset, 1}};
        // Seen from the room, u must run left to right: flip it when `along` points the other way.
        const glm::vec3 right = glm::cross(glm::vec3(0, 1, 0), outward);
        if (glm::dot(right, along) < 0.0f) {
            const glm::vec2 flipped[4] = {uvs[1], uvs[0], uvs[3], uvs[2]};
            books.mesh.addMappedQuad(corners, flipped, outward);
        } else {
            books.mesh.addMappedQuad(corners, uvs, outward);
        }
    }
}

void buildTable(SceneModel& scene) {
    Part wood = part(scene, "table", mat::kDarkWood);
    const glm::vec3 lo(-6.6f, -0.9f, -2.5f);
    const glm::vec3 hi(-4.8f, -0.85f, -1.5f);
    addBox(wood.mesh, lo, hi, wood.repeat);
    for (int i = 0; i < 4; ++i) {
        const float x = (i & 1) ? hi.x - 0.12f : lo.x + 0.05f;
        const float z = (i & 2) ? hi.z - 0.12f : lo.z + 0.05f;
        addBox(wood.mesh, {x, kFloor, z}, {x + 0.07f, lo.y, z + 0.07f}, wood.repeat,
               kAllFaces & ~(kFaceNegY | kFacePosY));
    }
    addBox(wood.mesh, {lo.x + 0.1f, lo.y - 0.1f, lo.z + 0.08f}, {hi.x - 0.1f, lo.y, lo.z + 0.11f},
           wood.repeat, kAllFaces & ~kFacePosY);
    addBox(wood.mesh, {lo.x + 0.1f, lo.y - 0.1f, hi.z - 0.11f}, {hi.x - 0.1f, lo.y, hi.z - 0.08f},
           wood.repeat, kAllFaces & ~kFacePosY);
    // A three-branched iron candlestick in the middle, a single candle at the end.
    Part iron = part(scene, "candlestick", mat::kWroughtIron);
    const glm::vec3 foot(-5.7f, hi.y, -2.0f);
    addLathe(iron.mesh, foot,
             {{0.09f, 0.0f}, {0.08f, 0.02f}, {0.02f, 0.04f}, {0.015f, 0.25f}, {0.0f, 0.26f}}, 10,
             iron.repeat);
    for (int i = -1; i <= 1; ++i) {
        const glm::vec3 cup = foot + glm::vec3(0.16f * i, 0.25f + (i == 0 ? 0.08f : 0.0f), 0.0f);
        if (i != 0)
            addTube(iron.mesh, foot + glm::vec3(0, 0.2f, 0), cup, 0.008f, 0.008f, 6, iron.repeat,
                    true, false, false);
        addTube(iron.mesh, cup - glm::vec3(0, 0.02f, 0), cup, 0.035f, 0.035f, 8, iron.repeat, true,
                true, false);
        addCandle(scene, cup, 0.18f + 0.05f * static_cast<float>(i * i));
    }
    addCandle(scene, {-4.95f, hi.y, -1.65f}, 0.1f, 0.03f);
}

void buildRug(SceneModel& scene) {
    Part rug = part(scene, "rug", mat::kRug);
    const float y = kFloor + 0.012f;
    const float x0 = -4.9f;
    const float x1 = -2.1f;
    const float z0 = -6.4f;
    const float z1 = -3.8f;
    const glm::vec3 top[4] = {{x0, y, z1}, {x1, y, z1}, {x1, y, z0}, {x0, y, z0}};
    const glm::vec2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    rug.mesh.addMappedQuad(top, uvs, {0, 1, 0});
    addBox(rug.mesh, {x0, kFloor, z0}, {x1, y, z1}, 0.02f, kAllFaces & ~(kFaceNegY | kFacePosY));
}

void buildHallLantern(SceneModel& scene) {
    const glm::vec3 hook = addOpenLantern(scene, "hall_lantern", kHallLantern, 0.24f);
    Part iron = part(scene, "hall_lantern", mat::kWroughtIron);
    // A chain of alternating links up to a plate on the ceiling.
    const float link = 0.07f;
    int i = 0;
    for (float y = hook.y - 0.01f; y < kCeiling - 0.02f; y += link * 0.8f, ++i) {
        const glm::vec3 c(hook.x, y + 0.5f * link, hook.z);
        const glm::vec3 across = (i % 2 == 0) ? glm::vec3(0.018f, 0, 0) : glm::vec3(0, 0, 0.018f);
        const glm::vec3 thin = (i % 2 == 0) ? glm::vec3(0, 0, 0.005f) : glm::vec3(0.005f, 0, 0);
        addOrientedBox(iron.mesh, c, across, glm::vec3(0, 0.5f * link, 0), thin, iron.repeat);
    }
    addBox(iron.mesh, {hook.x - 0.08f, kCeiling - 0.02f, hook.z - 0.08f},
           {hook.x + 0.08f, kCeiling, hook.z + 0.08f}, iron.repeat, kAllFaces & ~kFacePosY);
}
// The blue wisp that hovers in the hall: a small ball of its own cold light around the shadow
// caster. Seen from the light inside it every face of the ball turns its back and is culled, so
// it throws no shadow of its own.
void buildWisp(SceneModel& scene) {
    Part wisp = part(scene, "wisp", mat::kWisp);
    addEllipsoid(wisp.mesh, anchors::kBlueWisp, glm::vec3(0.07f), 12, 8, wisp.repeat);
}
}  // namespace

void buildHallFurniture(SceneModel& scene) {
    buildFireplace(scene);
    buildBookcase(scene, {-9.4f, kFloor, kBackWall}, {1, 0, 0}, 1.5f, {0, 0, 1}, 2.6f);
    buildBookcase(scene, {-2.4f, kFloor, kBackWall}, {1, 0, 0}, 1.7f, {0, 0, 1}, 2.6f);
    buildBookcase(scene, {kLeft + kWall, kFloor, -7.1f}, {0, 0, 1}, 1.4f, {1, 0, 0}, 2.4f);
    buildTable(scene);
    buildRug(scene);
    buildHallLantern(scene);
    buildWisp(scene);
    buildCobwebs(scene);
}
