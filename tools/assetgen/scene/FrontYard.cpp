#include <cmath>

#include "core/Random.h"
#include "scene/DeadTree.h"
#include "scene/Graves.h"
#include "scene/HoodedStatue.h"
#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"
#include "scene/Props.h"

using namespace layout;

namespace {
// A ribbed pumpkin with a stalk.
void addPumpkin(SceneModel& scene, glm::vec3 base, float size, Random& random) {
    Part skin = part(scene, "pumpkins", mat::kPumpkin);
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= 8; ++i) {
        const float a = 3.14159265f * i / 8.0f;
        profile.push_back({size * std::sin(a) * 1.15f, size * (1.0f - std::cos(a)) * 0.75f});
    }
    addLathe(skin.mesh, base, profile, 16, skin.repeat);
    Part stalk = part(scene, "pumpkin_stalks", mat::kTimber);
    const glm::vec3 top = base + glm::vec3(0, size * 1.5f, 0);
    addTube(stalk.mesh, top - glm::vec3(0, 0.03f, 0),
            top + glm::vec3(random.range(-0.03f, 0.03f), 0.08f, random.range(-0.03f, 0.03f)),
            0.025f, 0.015f, 5, stalk.repeat, true, false, true);
}

// The wolf's kennel behind the cauldron, empty, its chain snapped, bones in the grass.
void buildKennel(SceneModel& scene, glm::vec3 base) {
    Part wood = part(scene, "kennel", mat::kTimber);
    const float hx = 0.5f;
    const float hz = 0.6f;
    const float wall = 0.75f;
    const Rect2 door{{base.z - 0.22f, base.y}, {base.z + 0.22f, base.y + 0.5f}};
    addPlaneRects(wood, Axis::X, base.x - hx, -1.0f,
                  {{base.z - hz, base.y}, {base.z + hz, base.y + wall}}, {door});
    addPlaneRects(wood, Axis::X, base.x - hx + 0.04f, 1.0f,
                  {{base.z - hz + 0.04f, base.y}, {base.z + hz - 0.04f, base.y + wall}}, {door});
    addOpeningSides(wood, Axis::X, base.x - hx, base.x - hx + 0.04f, door, false);
    addBox(wood.mesh, {base.x - hx + 0.04f, base.y, base.z - hz},
           {base.x + hx, base.y + wall, base.z - hz + 0.04f}, wood.repeat, kNoBottom & ~kFaceNegX);
    addBox(wood.mesh, {base.x - hx + 0.04f, base.y, base.z + hz - 0.04f},
           {base.x + hx, base.y + wall, base.z + hz}, wood.repeat, kNoBottom & ~kFaceNegX);
    addBox(wood.mesh, {base.x + hx - 0.04f, base.y, base.z - hz + 0.04f},
           {base.x + hx, base.y + wall, base.z + hz - 0.04f}, wood.repeat,
           kFaceNegX | kFacePosX | kFacePosY);
    // Gable ends and a pitched roof, ridge along x.
    const float ridge = base.y + wall + 0.45f;
    for (float x : {base.x - hx, base.x + hx}) {
        wood.mesh.addFlatPolygon(
            {{x, base.y + wall, base.z - hz}, {x, base.y + wall, base.z + hz}, {x, ridge, base.z}},
            {x < base.x ? -1.0f : 1.0f, 0, 0}, wood.repeat);
    }
    Part roof = part(scene, "kennel_roof", mat::kRoofSlate);
    for (float side : {-1.0f, 1.0f}) {
        const glm::vec3 eave(0, base.y + wall - 0.08f, base.z + side * (hz + 0.12f));
        const glm::vec3 top(0, ridge + 0.04f, base.z);
        roof.mesh.addQuad({base.x - hx - 0.1f, eave.y, eave.z},
                          {base.x + hx + 0.1f, eave.y, eave.z}, {base.x + hx + 0.1f, top.y, top.z},
                          {base.x - hx - 0.1f, top.y, top.z}, {0, 1, side}, roof.repeat);
        wood.mesh.addQuad({base.x - hx - 0.1f, eave.y - 0.03f, eave.z},
                          {base.x + hx + 0.1f, eave.y - 0.03f, eave.z},
                          {base.x + hx + 0.1f, top.y - 0.03f, top.z},
                          {base.x - hx - 0.1f, top.y - 0.03f, top.z}, {0, -1, -side}, wood.repeat);
    }
    // Broken chain from a stake.
    Part iron = part(scene, "kennel_chain", mat::kWroughtIron);
    const glm::vec3 stake(base.x - 1.3f, base.y, base.z + 0.4f);
    addTube(iron.mesh, stake - glm::vec3(0, 0.1f, 0), stake + glm::vec3(0, 0.25f, 0), 0.025f, 0.02f,
            6, iron.repeat, true, false, true);
    for (int i = 0; i < 9; ++i) {
        const glm::vec3 c =
            stake + glm::vec3(0.08f * i + 0.05f, 0.02f, -0.05f * i * (1.0f - 0.06f * i));
        const glm::vec3 along = (i % 2 == 0) ? glm::vec3(0.04f, 0, 0) : glm::vec3(0.04f, 0, 0);
        const glm::vec3 across = (i % 2 == 0) ? glm::vec3(0, 0, 0.02f) : glm::vec3(0, 0.02f, 0);
        const glm::vec3 thin = (i % 2 == 0) ? glm::vec3(0, 0.006f, 0) : glm::vec3(0, 0, 0.006f);
        addOrientedBox(iron.mesh, c, along, across, thin, iron.repeat);
    }
    Part bones = part(scene, "bones_scattered", mat::kBone);
    Random random(31u);
    for (int i = 0; i < 6; ++i) {
        const glm::vec3 p(base.x - 1.0f + random.range(-0.5f, 0.5f), base.y + 0.02f,
                          base.z - 0.6f + random.range(-0.6f, 0.6f));
        const float a = random.range(0.0f, 6.28f);
        const glm::vec3 d(std::cos(a), 0.0f, std::sin(a));
        const float len = random.range(0.12f, 0.25f);
        addTube(bones.mesh, p - d * len, p + d * len, 0.022f, 0.022f, 6, bones.repeat, true, false,
                false);
        addEllipsoid(bones.mesh, p - d * len, glm::vec3(0.035f), 6, 4, bones.repeat);
        addEllipsoid(bones.mesh, p + d * len, glm::vec3(0.035f), 6, 4, bones.repeat);
    }
}
}  // namespace

void buildFrontYard(SceneModel& scene) {
    Part bark = part(scene, "trees_front", mat::kBark);
    const struct {
        glm::vec2 at;
        float height;
        uint32_t seed;
    } trees[] = {{{-9.5f, 9.5f}, 3.2f, 11u},
                 {{12.6f, 4.5f}, 2.8f, 12u},
                 {{-13.0f, 16.5f}, 2.6f, 13u},
                 {{12.8f, 17.8f}, 2.4f, 14u}};
    for (const auto& t : trees) {
        DeadTreeShape shape;
        shape.height = t.height;
        shape.radius = 0.32f;
        addDeadTree(bark.mesh, {t.at.x, kGround, t.at.y}, shape, t.seed, bark.repeat);
    }
    Random random(55u);
    const struct {
        glm::vec2 at;
        GraveMarker marker;
    } graves[] = {{{-8.0f, 4.8f}, GraveMarker::Rounded},  {{-9.4f, 5.2f}, GraveMarker::Cross},
                  {{-10.8f, 4.9f}, GraveMarker::Pointed}, {{-7.6f, 7.3f}, GraveMarker::Obelisk},
                  {{-9.2f, 7.6f}, GraveMarker::Rounded},  {{-11.9f, 11.8f}, GraveMarker::Cross},
                  {{-13.2f, 9.8f}, GraveMarker::Rounded}, {{-6.6f, 12.6f}, GraveMarker::Pointed},
                  {{-10.5f, 14.2f}, GraveMarker::Rounded}};
    for (const auto& g : graves) {
        addGraveMarker(scene, "graves_front", {g.at.x, kGround, g.at.y},
                       random.range(-0.25f, 0.25f), random.range(-0.08f, 0.18f), g.marker,
                       random.range(0.85f, 1.15f));
    }
    // The statue faces the camera's position at the moment the ghost is heard.
    const glm::vec2 statue(6.4f, 10.8f);
    const glm::vec2 towards = glm::vec2(4.996f, 12.895f) - statue;
    addHoodedStatue(scene, {statue.x, kGround, statue.y}, std::atan2(towards.x, towards.y));
    for (const glm::vec2 p :
         {glm::vec2(-3.35f, 2.6f), glm::vec2(0.5f, 2.45f), glm::vec2(0.95f, 2.95f),
          glm::vec2(-4.3f, 17.4f), glm::vec2(-0.6f, 17.0f), glm::vec2(4.3f, 5.2f)}) {
        addPumpkin(scene, {p.x, kGround, p.y}, random.range(0.14f, 0.22f), random);
    }
    buildKennel(scene, {9.4f, kGround, 0.9f});
    // Set down in the grass by the kennel's door, among the bones: at this size, with its flame
    // 0.2 above the ground, its foot rests on the grass.
    addOpenLantern(scene, "kennel_chain", kKennelLantern, 0.22f);
}
