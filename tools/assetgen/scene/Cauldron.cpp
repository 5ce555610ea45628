#include <cmath>

#include "core/Random.h"
#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kTwoPi = 6.2831853f;

// The brew's surface: a disc mapped once, so the picture's rim darkening meets the iron.
void addBrew(SceneModel& scene, glm::vec3 centre, float radius) {
    MeshBuilder& brew = scene.mesh("brew", mat::kBrew);
    const int sides = 24;
    const uint32_t middle = brew.addVertex(centre, {0, 1, 0}, {0.5f, 0.5f});
    for (int i = 0; i <= sides; ++i) {
        const float a = kTwoPi * i / sides;
        const glm::vec2 d(std::cos(a), std::sin(a));
        brew.addVertex(centre + radius * glm::vec3(d.x, 0, d.y), {0, 1, 0},
                       0.5f + 0.5f * glm::vec2(d.x, -d.y));
    }
    for (int i = 0; i < sides; ++i) brew.addTriangle(middle, middle + 1 + i, middle + 2 + i);
}

// A thigh bone: a shaft with two knuckled ends, lying across the spin axis.
void buildBone(SceneModel& scene) {
    Part bone = part(scene, anchors::kBoneMesh, mat::kBone);
    MeshBuilder local;
    addTube(local, {-0.19f, 0, 0}, {0.19f, 0, 0}, 0.032f, 0.032f, 10, bone.repeat, true, false,
            false);
    for (float end : {-1.0f, 1.0f}) {
        addEllipsoid(local, {end * 0.22f, 0.0f, 0.028f}, {0.055f, 0.042f, 0.045f}, 10, 6,
                     bone.repeat);
        addEllipsoid(local, {end * 0.22f, 0.0f, -0.028f}, {0.05f, 0.04f, 0.042f}, 10, 6,
                     bone.repeat);
    }
    const float yaw = glm::radians(35.0f);
    glm::mat4 place(1.0f);
    place[0] = glm::vec4(std::cos(yaw), 0, -std::sin(yaw), 0);
    place[2] = glm::vec4(std::sin(yaw), 0, std::cos(yaw), 0);
    place[3] = glm::vec4(kBoneAxis.x, kBoneHeight, kBoneAxis.y, 1);
    bone.mesh.append(local, place);
}
}  // namespace

// The witch's cauldron on three legs over a log fire in a ring of stones; a bone floats in the
// brew.
void buildCauldron(SceneModel& scene) {
    const glm::vec3 centre(kCauldronCentre.x, 0.0f, kCauldronCentre.y);
    Part iron = part(scene, "cauldron", mat::kCastIron);
    const float rim = kCauldronRim;
    // Outside from the base up over the belly to the lip, then down the inside to below the brew.
    addLathe(iron.mesh, centre,
             {{0.0f, -1.26f},
              {0.22f, -1.24f},
              {0.42f, -1.15f},
              {0.56f, -1.02f},
              {0.62f, -0.88f},
              {0.6f, -0.74f},
              {0.54f, -0.64f},
              {0.5f, -0.6f},
              {0.56f, -0.59f},
              {0.56f, rim},
              {0.49f, rim},
              {0.49f, -0.6f},
              {0.5f, -0.66f}},
             24, iron.repeat);
    for (int i = 0; i < 3; ++i) {
        const float a = kTwoPi * (i + 0.25f) / 3.0f;
        const glm::vec3 out(std::cos(a), 0, std::sin(a));
        addTube(iron.mesh, centre + 0.42f * out + glm::vec3(0, -1.1f, 0),
                centre + 0.62f * out + glm::vec3(0, kGround, 0), 0.05f, 0.035f, 8, iron.repeat,
                true, false, false);
    }
    for (int i = 0; i < 2; ++i) {  // handles at the lip
        const float a = kTwoPi * i / 2.0f;
        const glm::vec3 out(std::cos(a), 0, std::sin(a));
        const glm::vec3 side(-out.z, 0, out.x);
        const glm::vec3 base = centre + glm::vec3(0, -0.66f, 0);
        addTube(iron.mesh, base + 0.56f * out + 0.1f * side, base + 0.7f * out + 0.06f * side,
                0.018f, 0.018f, 6, iron.repeat, true, false, false);
        addTube(iron.mesh, base + 0.7f * out + 0.06f * side, base + 0.7f * out - 0.06f * side,
                0.018f, 0.018f, 6, iron.repeat, true, true, true);
        addTube(iron.mesh, base + 0.7f * out - 0.06f * side, base + 0.56f * out - 0.1f * side,
                0.018f, 0.018f, 6, iron.repeat, true, false, false);
    }
    addBrew(scene, centre + glm::vec3(0, -0.62f, 0), 0.495f);
    buildBone(scene);

    // The fire: logs laid like spokes towards the flames, their inner ends burning down to glowing
    // embers, on a bed of embers, in a ring of stones.
    Random random(2024u);
    Part logs = part(scene, "fire_logs", mat::kCharredWood);
    Part burning = part(scene, "fire_embers", mat::kEmbers);
    const glm::vec3 fire(kFireSource.x, kGround, kFireSource.z);
    for (int i = 0; i < 7; ++i) {
        const float a = kTwoPi * (i + random.range(-0.2f, 0.2f)) / 7.0f;
        const glm::vec3 out(std::cos(a), 0, std::sin(a));
        const glm::vec3 outer = fire + 0.72f * out + glm::vec3(0, 0.06f, 0);
        const glm::vec3 inner = fire + 0.12f * out + glm::vec3(0, 0.2f, 0);
        const glm::vec3 charLine = glm::mix(outer, inner, 0.45f);
        const float radius = random.range(0.045f, 0.065f);
        const float charRadius = glm::mix(radius, 0.04f, 0.45f);
        addTube(logs.mesh, outer, charLine, radius, charRadius, 7, logs.repeat, true, true, false);
        addTube(burning.mesh, charLine, inner, charRadius, 0.035f, 7, burning.repeat, true, false,
                true);
    }
    addLathe(burning.mesh, fire, {{0.55f, 0.0f}, {0.45f, 0.04f}, {0.2f, 0.07f}, {0.0f, 0.08f}}, 16,
             burning.repeat);
    Part stones = part(scene, "fire_stones", mat::kStoneWall);
    for (int i = 0; i < 13; ++i) {
        const float a = kTwoPi * (i + random.range(-0.15f, 0.15f)) / 13.0f;
        const glm::vec3 out(std::cos(a), 0, std::sin(a));
        const glm::vec3 radii(random.range(0.1f, 0.15f), random.range(0.07f, 0.11f),
                              random.range(0.09f, 0.13f));
        addEllipsoid(stones.mesh, fire + 0.9f * out + glm::vec3(0, 0.02f, 0), radii, 8, 5,
                     stones.repeat);
    }
}
