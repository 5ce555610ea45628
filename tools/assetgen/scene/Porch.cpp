#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kPorchMinX = -3.1f;
const float kPorchMaxX = 0.2f;
const float kPorchFrontZ = 2.0f;
const float kRoofAtWall = 1.7f;
const float kRoofAtFront = 1.5f;
const float kRoofSlab = 0.12f;

float porchRoofTop(float z) {
    return kRoofAtWall + (kRoofAtFront - kRoofAtWall) * (z - kFront) / (kPorchFrontZ - kFront);
}
}  // namespace

void buildPorch(SceneModel& scene) {
    Part deck = part(scene, "porch_deck", mat::kFloorboards);
    addBox(deck.mesh, {kPorchMinX, kGround, kFront}, {kPorchMaxX, kFloor, kPorchFrontZ},
           deck.repeat, kAllFaces & ~(kFaceNegY | kFaceNegZ));
    Part steps = part(scene, "porch_steps", mat::kTombstone);
    addBox(steps.mesh, {kDoorMinX + 0.1f, kGround, kPorchFrontZ},
           {kDoorMaxX - 0.1f, kGround + 0.05f, kPorchFrontZ + 0.35f}, steps.repeat,
           kAllFaces & ~(kFaceNegY | kFaceNegZ));

    // The roof: slates on a thin slab that slopes away from the wall, on two posts and a beam.
    Part slates = part(scene, "porch_roof", mat::kRoofSlate);
    const float x0 = kPorchMinX;
    const float x1 = kPorchMaxX;
    const float zf = kPorchFrontZ + 0.1f;
    slates.mesh.addQuad({x0, porchRoofTop(kFront), kFront}, {x1, porchRoofTop(kFront), kFront},
                        {x1, porchRoofTop(zf), zf}, {x0, porchRoofTop(zf), zf}, {0, 1, 0},
                        slates.repeat);
    Part wood = part(scene, "porch_timber", mat::kTimber);
    const float under = kRoofSlab;
    wood.mesh.addQuad({x0, porchRoofTop(kFront) - under, kFront},
                      {x1, porchRoofTop(kFront) - under, kFront},
                      {x1, porchRoofTop(zf) - under, zf}, {x0, porchRoofTop(zf) - under, zf},
                      {0, -1, 0}, wood.repeat);
    wood.mesh.addQuad({x0, porchRoofTop(zf) - under, zf}, {x1, porchRoofTop(zf) - under, zf},
                      {x1, porchRoofTop(zf), zf}, {x0, porchRoofTop(zf), zf}, {0, 0, 1},
                      wood.repeat);
    for (float x : {x0, x1}) {
        wood.mesh.addQuad({x, porchRoofTop(kFront) - under, kFront},
                          {x, porchRoofTop(zf) - under, zf}, {x, porchRoofTop(zf), zf},
                          {x, porchRoofTop(kFront), kFront}, {x == x0 ? -1.0f : 1.0f, 0, 0},
                          wood.repeat);
    }
    const float beamTop = porchRoofTop(kPorchFrontZ) - under;
    addBox(wood.mesh, {x0 + 0.02f, beamTop - 0.16f, kPorchFrontZ - 0.14f},
           {x1 - 0.02f, beamTop, kPorchFrontZ}, wood.repeat, kAllFaces & ~kFacePosY);
    for (float x : {x0 + 0.1f, x1 - 0.1f}) {
        addBox(wood.mesh, {x - 0.07f, kFloor, kPorchFrontZ - 0.14f},
               {x + 0.07f, beamTop - 0.16f, kPorchFrontZ}, wood.repeat,
               kAllFaces & ~(kFaceNegY | kFacePosY));
        // Diagonal braces from post to beam.
        const float side = x < -1.0f ? 1.0f : -1.0f;  // towards the middle
        const glm::vec3 a(x + side * 0.07f, beamTop - 0.6f, kPorchFrontZ - 0.07f);
        const glm::vec3 b(x + side * 0.5f, beamTop - 0.16f, kPorchFrontZ - 0.07f);
        const glm::vec3 along = 0.5f * (b - a);
        const glm::vec3 across = 0.035f * glm::normalize(glm::vec3(-along.y, along.x, 0.0f));
        addOrientedBox(wood.mesh, 0.5f * (a + b), along, across, glm::vec3(0, 0, 0.04f),
                       wood.repeat);
    }

    // Door surround on the facade, and the two door leaves swung in against the reveals.
    addBox(wood.mesh, {kDoorMinX - 0.14f, kFloor, kFront},
           {kDoorMinX, kDoorTop + 0.14f, kFront + 0.06f}, wood.repeat,
           kAllFaces & ~(kFaceNegZ | kFaceNegY));
    addBox(wood.mesh, {kDoorMaxX, kFloor, kFront},
           {kDoorMaxX + 0.14f, kDoorTop + 0.14f, kFront + 0.06f}, wood.repeat,
           kAllFaces & ~(kFaceNegZ | kFaceNegY));
    addBox(wood.mesh, {kDoorMinX, kDoorTop, kFront}, {kDoorMaxX, kDoorTop + 0.14f, kFront + 0.06f},
           wood.repeat, kAllFaces & ~kFaceNegZ);
    Part doors = part(scene, "front_doors", mat::kDarkWood);
    const float inner = kFront - kWall;
    addBox(doors.mesh, {kDoorMinX + 0.02f, kFloor + 0.01f, inner - 1.02f},
           {kDoorMinX + 0.07f, kDoorTop - 0.02f, inner - 0.02f}, doors.repeat);
    addBox(doors.mesh, {kDoorMaxX - 0.07f, kFloor + 0.01f, inner - 1.02f},
           {kDoorMaxX - 0.02f, kDoorTop - 0.02f, inner - 0.02f}, doors.repeat);
}
