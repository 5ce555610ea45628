#pragma once

#include <glm/glm.hpp>

// Where things stand, in metres, y up. These heights and positions are fixed by the program that
// animates and lights the scene; everything else is built around them.
namespace layout {
constexpr float kGround = -1.7f;
constexpr float kFloor = -1.6f;
constexpr float kCeiling = 1.9f;

// The house: outer wall faces, wall thickness, the roof.
constexpr float kFront = 0.4f;
constexpr float kBack = -7.9f;
constexpr float kLeft = -9.8f;
constexpr float kRight = 5.5f;
constexpr float kWall = 0.3f;
constexpr float kPartition = 0.5f;  // the partition wall spans kPartition..kPartition + kWall
constexpr float kRidgeZ = -3.75f;
constexpr float kRidgeTop = 8.2f;
constexpr float kRoofPitch = 0.8675f;  // rise per metre
constexpr float kRoofThickness = 0.25f;
constexpr float kEaveOverhang = 0.5f;
constexpr float kGableOverhang = 0.3f;
inline float roofTop(float z) {
    return kRidgeTop - kRoofPitch * (z > kRidgeZ ? z - kRidgeZ : kRidgeZ - z);
}
inline float roofUnderside(float z) {
    return roofTop(z) - kRoofThickness;
}

// The corner tower and its top.
constexpr float kTowerMinX = -9.8f;
constexpr float kTowerMaxX = -7.0f;
constexpr float kTowerMinZ = -1.5f;
constexpr float kTowerMaxZ = 1.2f;
constexpr float kTowerTop = 10.2f;  // the walls end under the roof's soffit

// Openings.
constexpr float kDoorMinX = -2.5f;
constexpr float kDoorMaxX = -0.4f;
constexpr float kDoorTop = 1.2f;
constexpr float kBrokenWindowMinZ = -5.3f;
constexpr float kBrokenWindowMaxZ = -3.7f;
constexpr float kBrokenWindowBottom = 0.0f;
constexpr float kBrokenWindowTop = 1.7f;

// The gate: hinges of the two leaves, their plane and height.
constexpr glm::vec2 kRightHinge(1.025f, 19.49f);
constexpr glm::vec2 kLeftHinge(-5.97f, 19.48f);
constexpr float kGatePlaneZ = 19.49f;
constexpr float kGateMeetX = -2.47f;
constexpr float kGateTop = 1.2f;
constexpr glm::vec3 kRightLanternLight(1.37f, 1.57f, 20.2f);
constexpr glm::vec3 kLeftLanternLight(-6.36f, 1.42f, 20.34f);

// Fire, cauldron and the spinning bone.
constexpr glm::vec2 kCauldronCentre(3.213f, 3.193f);
constexpr float kCauldronRim = -0.565f;
constexpr float kCauldronRadius = 0.5f;
constexpr glm::vec3 kFireSource(3.258f, -1.539f, 3.177f);
constexpr glm::vec2 kBoneAxis(3.19104f, 3.15755f);
constexpr float kBoneHeight = -0.6f;

// Inside the hall.
constexpr glm::vec3 kChairPivot(-3.5f, -0.5f, -5.1f);
constexpr glm::vec3 kBlueWisp(-7.1f, -1.1f, -6.4f);
constexpr glm::vec3 kHallLantern(-1.74f, 0.8f, -4.36f);

// The fence line and the garden wall.
constexpr float kFenceFront = 19.5f;
constexpr float kFenceBack = -22.0f;
constexpr float kFenceLeft = -16.0f;
constexpr float kFenceRight = 14.0f;
}  // namespace layout
