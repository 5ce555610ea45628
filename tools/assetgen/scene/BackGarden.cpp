#include <cmath>

#include "core/Random.h"
#include "scene/DeadTree.h"
#include "scene/Graves.h"
#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
// A small mausoleum facing the house: stone walls, a pitched stone roof with a pediment, two
// columns either side of an iron door.
void buildCrypt(SceneModel& scene, glm::vec3 frontCentre) {
    Part stone = part(scene, "crypt", mat::kTombstone);
    const float hw = 1.5f;
    const float depth = 3.4f;
    const float wallTop = frontCentre.y + 3.0f;
    const float ridge = wallTop + 1.1f;
    const float x0 = frontCentre.x - hw;
    const float x1 = frontCentre.x + hw;
    const float zf = frontCentre.z;
    const float zb = zf - depth;
    const float base = frontCentre.y;
    const Rect2 door{{frontCentre.x - 0.55f, base + 0.25f}, {frontCentre.x + 0.55f, base + 2.1f}};
    addPlaneRects(stone, Axis::Z, zf, 1.0f, {{x0, base}, {x1, wallTop}}, {door});
    addOpeningSides(stone, Axis::Z, zf - 0.3f, zf, door, true);
    addPlaneRects(stone, Axis::Z, zb, -1.0f, {{x0, base}, {x1, wallTop}});
    addPlaneRects(stone, Axis::X, x0, -1.0f, {{zb, base}, {zf, wallTop}});
    addPlaneRects(stone, Axis::X, x1, 1.0f, {{zb, base}, {zf, wallTop}});
    for (float z : {zf, zb}) {
        stone.mesh.addFlatPolygon({{x0, wallTop, z}, {x1, wallTop, z}, {frontCentre.x, ridge, z}},
                                  {0, 0, z == zf ? 1.0f : -1.0f}, stone.repeat);
    }
    // Roof slabs overhanging the walls.
    const float over = 0.25f;
    const float slope = (ridge - wallTop) / hw;
    for (float side : {-1.0f, 1.0f}) {
        const float eaveX = frontCentre.x + side * (hw + over);
        const float eaveY = wallTop - slope * over;
        const glm::vec3 e0(eaveX, eaveY, zf + over);
        const glm::vec3 e1(eaveX, eaveY, zb - over);
        const glm::vec3 r0(frontCentre.x, ridge, zf + over);
        const glm::vec3 r1(frontCentre.x, ridge, zb - over);
        const glm::vec3 up(0, 0.18f, 0);
        stone.mesh.addQuad(e0 + up, e1 + up, r1 + up, r0 + up, {side * slope, 1, 0}, stone.repeat);
        stone.mesh.addQuad(e0, e1, r1, r0, {-side * slope, -1, 0}, stone.repeat);
        stone.mesh.addQuad(e0, e1, e1 + up, e0 + up, {side, 0, 0}, stone.repeat);
        stone.mesh.addQuad(e0, r0, r0 + up, e0 + up, {0, 0, 1}, stone.repeat);
        stone.mesh.addQuad(e1, r1, r1 + up, e1 + up, {0, 0, -1}, stone.repeat);
    }
    // Steps, columns and a cross on the ridge.
    addBox(stone.mesh, {x0 - 0.1f, base, zf}, {x1 + 0.1f, base + 0.12f, zf + 0.9f}, stone.repeat,
           kAllFaces & ~(kFaceNegY | kFaceNegZ));
    addBox(stone.mesh, {x0 + 0.3f, base + 0.12f, zf}, {x1 - 0.3f, base + 0.24f, zf + 0.45f},
           stone.repeat, kAllFaces & ~(kFaceNegY | kFaceNegZ));
    for (float x : {frontCentre.x - 0.95f, frontCentre.x + 0.95f}) {
        addTube(stone.mesh, {x, base + 0.12f, zf + 0.55f}, {x, wallTop - 0.05f, zf + 0.55f}, 0.13f,
                0.11f, 12, stone.repeat, true, false, false);
        addBox(stone.mesh, {x - 0.17f, wallTop - 0.05f, zf + 0.38f},
               {x + 0.17f, wallTop - 0.02f + 0.0f, zf + 0.72f}, stone.repeat, kAllFaces);
    }
    addBox(stone.mesh, {frontCentre.x - 0.06f, ridge + 0.15f, zf - 0.06f},
           {frontCentre.x + 0.06f, ridge + 0.95f, zf + 0.06f}, stone.repeat, kNoBottom);
    addBox(stone.mesh, {frontCentre.x - 0.3f, ridge + 0.55f, zf - 0.05f},
           {frontCentre.x - 0.06f, ridge + 0.67f, zf + 0.05f}, stone.repeat,
           kAllFaces & ~kFacePosX);
    addBox(stone.mesh, {frontCentre.x + 0.06f, ridge + 0.55f, zf - 0.05f},
           {frontCentre.x + 0.3f, ridge + 0.67f, zf + 0.05f}, stone.repeat, kAllFaces & ~kFaceNegX);
    Part iron = part(scene, "crypt_door", mat::kCastIron);
    addBox(iron.mesh, {door.min.x, door.min.y, zf - 0.25f}, {door.max.x, door.max.y, zf - 0.2f},
           iron.repeat, kFacePosZ);
    for (float x = door.min.x + 0.12f; x < door.max.x - 0.05f; x += 0.14f) {
        addBox(iron.mesh, {x - 0.015f, door.min.y, zf - 0.2f}, {x + 0.015f, door.max.y, zf - 0.17f},
               iron.repeat, kAllFaces & ~(kFaceNegZ | kFaceNegY | kFacePosY));
    }
}

// The scarecrow by the back garden path: a sacking figure on a cross of poles, hat askew.
void buildScarecrow(SceneModel& scene, glm::vec3 base) {
    Part pole = part(scene, "scarecrow_poles", mat::kTimber);
    addTube(pole.mesh, base - glm::vec3(0, 0.2f, 0), base + glm::vec3(0, 2.35f, 0), 0.05f, 0.045f,
            7, pole.repeat, true, false, true);
    addTube(pole.mesh, base + glm::vec3(-0.8f, 1.95f, 0.0f), base + glm::vec3(0.8f, 1.9f, 0.0f),
            0.035f, 0.035f, 6, pole.repeat, true, true, true);
    Part cloth = part(scene, "scarecrow_cloth", mat::kSacking);
    addLathe(
        cloth.mesh, base + glm::vec3(0, 1.05f, 0),
        {{0.0f, 0.0f}, {0.3f, 0.02f}, {0.26f, 0.4f}, {0.2f, 0.9f}, {0.1f, 1.0f}, {0.0f, 1.02f}}, 10,
        cloth.repeat);
    for (float side : {-1.0f, 1.0f}) {
        addTube(cloth.mesh, base + glm::vec3(side * 0.15f, 1.92f, 0.0f),
                base + glm::vec3(side * 0.7f, 1.9f, 0.0f), 0.09f, 0.075f, 8, cloth.repeat, true,
                false, true);
    }
    addEllipsoid(cloth.mesh, base + glm::vec3(0, 2.25f, 0), {0.17f, 0.2f, 0.16f}, 12, 8,
                 cloth.repeat);
    Part straw = part(scene, "scarecrow_straw", mat::kStraw);
    for (float side : {-1.0f, 1.0f}) {
        for (int i = 0; i < 4; ++i) {
            const glm::vec3 from = base + glm::vec3(side * 0.7f, 1.9f, 0.0f);
            const glm::vec3 to =
                from + glm::vec3(side * 0.18f, -0.12f + 0.05f * i, -0.08f + 0.05f * i);
            addTube(straw.mesh, from, to, 0.03f, 0.0f, 4, straw.repeat, false, true, false);
        }
    }
    for (int i = 0; i < 6; ++i) {
        const float a = 6.2831853f * i / 6.0f;
        const glm::vec3 from = base + glm::vec3(0.0f, 1.07f, 0.0f);
        addTube(straw.mesh, from,
                from + glm::vec3(0.32f * std::cos(a), -0.25f, 0.32f * std::sin(a)), 0.04f, 0.0f, 4,
                straw.repeat, false, true, false);
    }
    // A crooked hat: brim and crown.
    const glm::vec3 hat = base + glm::vec3(0.02f, 2.39f, 0.0f);
    addLathe(cloth.mesh, hat,
             {{0.0f, -0.01f},
              {0.3f, -0.02f},
              {0.3f, 0.01f},
              {0.13f, 0.03f},
              {0.1f, 0.25f},
              {0.02f, 0.32f},
              {0.0f, 0.3f}},
             12, cloth.repeat);
    Part eyes = part(scene, "scarecrow_eyes", mat::kCastIron);
    for (float side : {-1.0f, 1.0f}) {
        addEllipsoid(eyes.mesh, base + glm::vec3(side * 0.06f, 2.29f, -0.14f),
                     {0.035f, 0.03f, 0.025f}, 8, 5, eyes.repeat);
    }
}
}  // namespace

void buildBackGarden(SceneModel& scene) {
    Random random(88u);
    const GraveMarker kinds[4] = {GraveMarker::Rounded, GraveMarker::Cross, GraveMarker::Pointed,
                                  GraveMarker::Rounded};
    int n = 0;
    for (float z : {-10.4f, -11.8f, -13.1f}) {
        for (float x = -2.8f; x < 4.2f; x += 1.35f) {
            if (random.chance(0.2f)) continue;
            const GraveMarker kind = (n++ % 7 == 3) ? GraveMarker::Obelisk : kinds[random.below(4)];
            addGraveMarker(
                scene, "graveyard",
                {x + random.range(-0.2f, 0.2f), kGround, z + random.range(-0.15f, 0.15f)},
                3.14159f + random.range(-0.3f, 0.3f), random.range(-0.1f, 0.22f), kind,
                random.range(0.8f, 1.1f));
        }
    }
    buildCrypt(scene, {0.5f, kGround, -18.0f});
    buildScarecrow(scene, {-6.1f, kGround, -8.9f});
    Part bark = part(scene, "trees_back", mat::kBark);
    const struct {
        glm::vec2 at;
        float height;
        uint32_t seed;
    } trees[] = {{{-12.5f, -14.5f}, 3.0f, 21u},
                 {{10.8f, -16.5f}, 3.2f, 22u},
                 {{-6.5f, -19.5f}, 2.6f, 23u},
                 {{11.6f, -8.2f}, 2.5f, 24u}};
    for (const auto& t : trees) {
        DeadTreeShape shape;
        shape.height = t.height;
        addDeadTree(bark.mesh, {t.at.x, kGround, t.at.y}, shape, t.seed, bark.repeat);
    }
}
