#pragma once

#include <glm/glm.hpp>

// Cube-map faces in the order of the GL targets: +X, -X, +Y, -Y, +Z, -Z.
constexpr int kCubeFaces = 6;

// The direction that GL samples at face coordinates (s, t) in [0, 1], where s runs along a row and
// t down the rows of the uploaded image (row 0 is t = 0, faces are uploaded unflipped).
glm::vec3 cubeFaceDirection(int face, float s, float t);
