#pragma once

#include <glm/glm.hpp>

#include "SceneAnchors.h"

// Where things stand, in metres, y up. The places that the program lights and animates come from
// SceneAnchors.h; everything here is built around them.
namespace layout {
using anchors::kFloor;
using anchors::kGround;
constexpr float kCeiling = anchors::kInteriorMax.y;

// The house: outer wall faces, wall thickness, the roof.
constexpr float kWall = anchors::kWallThickness;
constexpr float kFront = anchors::kFacadeFront;
constexpr float kBack = anchors::kInteriorMin.z - kWall;
constexpr float kLeft = anchors::kInteriorMin.x - kWall;
constexpr float kRight = anchors::kInteriorMax.x + kWall;
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

// The gate, the fire, the cauldron, the bone and the hall's lights and chair.
using anchors::kBoneAxis;
using anchors::kBoneHeight;
using anchors::kCauldronCentre;
using anchors::kCauldronRim;
using anchors::kChairPivot;
using anchors::kFireSource;
using anchors::kGateMeetX;
using anchors::kGatePlaneZ;
using anchors::kHallLantern;
using anchors::kKennelLantern;
using anchors::kLeftGateHinge;
using anchors::kLeftGateLantern;
using anchors::kRightGateHinge;
using anchors::kRightGateLantern;
constexpr float kGateTop = 1.2f;
constexpr float kCauldronRadius = 0.5f;

// The fence line and the garden wall.
constexpr float kFenceFront = 19.5f;
constexpr float kFenceBack = -22.0f;
constexpr float kFenceLeft = -16.0f;
constexpr float kFenceRight = 14.0f;
}  // namespace layout
