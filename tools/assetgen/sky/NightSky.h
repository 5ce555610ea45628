#pragma once

#include <glm/glm.hpp>

#include "SceneAnchors.h"

// The moon sits above the house as seen from the road at the start of the flight.
const glm::vec3 kMoonDirection = glm::normalize(anchors::kMoonDirection);
constexpr float kMoonRadius = 0.045f;  // radians

// Colour of the night sky seen along a unit direction: one function of the direction alone, so
// the cube faces computed from it meet without seams.
glm::vec3 nightSkyColour(glm::vec3 direction);
