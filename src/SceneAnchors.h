#pragma once

#include <glm/glm.hpp>

// Where the program lights, animates and simulates the scene, in metres, y up. The asset generator
// builds the house around these same numbers and the tests check the model against them, so each
// is written down here and nowhere else. The shaders read those they need from "scene.glsl",
// which the engine writes from these (SceneAnchorsGlsl.cpp).
namespace anchors {
// The floor of the hall and the outdoor ground.
constexpr float kGround = -1.7f;
constexpr float kFloor = -1.6f;

// The point lights, in the order the renderer adds them.
constexpr glm::vec3 kBlueWisp(-7.1f, -1.1f, -6.4f);  // light 1, the one shadow caster
constexpr glm::vec3 kHallLantern(-1.74f, 0.8f, -4.36f);
constexpr glm::vec3 kRightGateLantern(1.37f, 1.57f, 20.2f);
constexpr glm::vec3 kLeftGateLantern(-6.36f, 1.42f, 20.34f);
constexpr glm::vec3 kFireSource(3.258f, -1.539f, 3.177f);  // light 5 and the fire's spawn point
// Lights 6 to 8 keep the subjects of three events legible in the dark, without shadows. The moon's
// cold light rims the hooded statue from behind it and to the left, seen from where the ghost is
// heard, and grazes the back wall onto the scarecrow's moonward side; a lantern stands in the
// grass among the kennel's bones.
constexpr glm::vec3 kStatueMoonRim(5.87f, 1.0f, 9.25f);
constexpr glm::vec3 kScarecrowMoonRim(-3.1f, 0.8f, -9.5f);
constexpr glm::vec3 kKennelLantern(8.55f, kGround + 0.2f, 0.45f);

// Their colours (HDR intensities) and the blue wisp's specular strength; the ambient term that
// every surface gets.
constexpr glm::vec3 kBlueWispColour(5.0f, 5.0f, 12.0f);
constexpr float kBlueWispSpecular = 1.3f;
constexpr glm::vec3 kHallLanternColour(7.0f, 7.0f, 2.2f);
constexpr glm::vec3 kGateLanternColour(7.0f, 3.0f, 3.0f);
constexpr glm::vec3 kFireColour(10.0f, 2.0f, 0.0f);
constexpr float kAmbient = 0.2f;
// The moon's rims: its light's tint, each rim's strength, its highlights (none: the glass of the
// back windows, which the camera passes close by, would glint brighter than anything in view and
// hold the eye's adaptation), and a fall-off (linear, quadratic) short enough that the ground
// around the subject stays night.
constexpr glm::vec3 kMoonRimTint(0.64f, 0.75f, 1.0f);
constexpr float kStatueMoonRimStrength = 32.0f;
constexpr float kScarecrowMoonRimStrength = 17.0f;
constexpr float kMoonRimSpecular = 0.0f;
constexpr glm::vec2 kMoonRimFalloff(0.35f, 0.44f);
// The kennel's lantern: a candle's warm light that pools within a metre or two of it.
constexpr glm::vec3 kKennelLanternColour(8.0f, 5.2f, 1.7f);
constexpr glm::vec2 kKennelLanternFalloff(0.7f, 1.8f);
// The night mist: its colour, close to the sky's horizon, and its density per metre.
constexpr glm::vec3 kFogColour(0.030f, 0.036f, 0.050f);
constexpr float kFogDensity = 0.022f;

// Where the camera stands and looks before the flight moves it, and its lens.
constexpr glm::vec3 kCameraStart(-2.8f, 0.1f, 28.0f);
constexpr glm::vec3 kCameraStartLook(-2.8f, 0.1f, 0.0f);
constexpr float kFieldOfViewDegrees = 45.0f;
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 150.0f;

// The fire particles are drawn towards kFireSource + kFireTargetOffset.
constexpr glm::vec3 kFireTargetOffset(0.0f, 2.0f, 0.0f);
// They spawn within kFireSpread of kFireSource, rise at kFireRiseVelocity, are pulled towards the
// target with kFireAttraction and live kFireSeconds inside the sphere of kFireSphereRadius
// around kFireSource + kFireSphereOffset; at most kFireParticles of them.
constexpr glm::vec3 kFireSpread(0.4f, 0.0f, 0.4f);
constexpr float kFireAttraction = 0.5f;
constexpr glm::vec3 kFireRiseVelocity(0.0f, 4.0f, 0.0f);
constexpr glm::vec3 kFireSphereOffset(0.0f, 2.0f, 0.0f);
constexpr float kFireSphereRadius = 1.9f;
constexpr float kFireSeconds = 1.5f;
constexpr int kFireParticles = 1 << 13;

// The rain falls over the square from kRainAreaMin to kRainAreaMax (x, z), from kRainTop down to
// kRainBottom at kRainSpeed metres a second, its streaks kRainStreak (width, length) in size.
constexpr glm::vec2 kRainAreaMin(-20.0f, -20.0f);
constexpr glm::vec2 kRainAreaMax(20.0f, 20.0f);
constexpr float kRainTop = 50.0f;
constexpr float kRainBottom = -2.0f;
constexpr float kRainSpeed = 100.0f;
constexpr glm::vec2 kRainStreak(0.1f, 4.0f);

// The cauldron (x, z of its axis; its rim height) and the smoke box, the unit cube standing on the
// rim around that axis.
constexpr glm::vec2 kCauldronCentre(3.213f, 3.193f);
constexpr float kCauldronRim = -0.565f;
constexpr float kSmokeBoxSize = 1.0f;
constexpr glm::vec3 kSmokeBoxMin(kCauldronCentre.x - 0.5f * kSmokeBoxSize, kCauldronRim,
                                 kCauldronCentre.y - 0.5f * kSmokeBoxSize);
// The smoke's simulation grid, cells along x, y and z.
constexpr glm::ivec3 kSmokeGrid(64, 64, 64);

// The bone spins about the vertical axis through (x, z), floating on the brew at about kBoneHeight.
constexpr glm::vec2 kBoneAxis(3.19104f, 3.15755f);
constexpr float kBoneHeight = -0.6f;
constexpr float kBoneReach = 0.35f;  // no point of the bone lies further from its axis

// The rocking chair turns about the axis parallel to x through this point.
constexpr glm::vec3 kChairPivot(-3.5f, -0.5f, -5.1f);

// The gate leaves turn about vertical axes through these (x, z) points; closed, they lie in the
// plane z = kGatePlaneZ and meet at x = kGateMeetX.
constexpr glm::vec2 kRightGateHinge(1.025f, 19.49f);
constexpr glm::vec2 kLeftGateHinge(-5.97f, 19.48f);
constexpr float kGatePlaneZ = 19.49f;
constexpr float kGateMeetX = -2.47f;
// From the start of the flight they swing open (the right leaf by negative angles) at this many
// degrees a second until they have turned about kGateOpenDegrees.
constexpr float kGateSwingDegreesPerSecond = 16.0f;
constexpr float kGateOpenDegrees = 90.0f;

// The window above the front door whose picture changes: its (x, y) extent on the facade, which
// it stands a few millimetres in front of.
constexpr glm::vec2 kChangingWindowMin(-2.2f, 2.3f);
constexpr glm::vec2 kChangingWindowMax(-0.7f, 3.7f);
constexpr float kFacadeFront = 0.4f;

// The hall's inner faces, its walls' from floor to ceiling, with the walls this thick around them.
// Inside this box the lighting keeps the night.
constexpr float kWallThickness = 0.3f;
constexpr glm::vec3 kInteriorMin(-9.5f, kFloor, -7.6f);
constexpr glm::vec3 kInteriorMax(5.2f, 1.9f, kFacadeFront - kWallThickness);

// Towards the moon, which the sky shows low above the house as seen from the road, and whose cold
// light the lighting casts outdoors. Not of unit length: whoever uses it normalises it.
constexpr glm::vec3 kMoonDirection(0.3f, 0.42f, -1.0f);

// The meshes that the program finds by name: each must occur exactly once in the house.
constexpr const char* kChairMesh = "Chair_chair";
constexpr const char* kRightGateMesh = "rightDoor";
constexpr const char* kLeftGateMesh = "leftDoor";
constexpr const char* kBoneMesh = "bone";
constexpr const char* kChangingWindowMesh = "main_construction.003_Vert.005";
}  // namespace anchors
