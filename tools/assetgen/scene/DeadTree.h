#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "geometry/MeshBuilder.h"

struct DeadTreeShape {
    float height = 5.0f;  // of the trunk before it forks
    float radius = 0.3f;  // at the base
    int depth = 5;        // levels of forking
    int sides = 7;        // of the trunk; branches get fewer
    float spread = 0.7f;  // how far branches lean from their parent, radians
};

// A leafless, gnarled tree grown by repeated forking from `base`; texture coordinates in metres
// divided by `metresPerRepeat`.
void addDeadTree(MeshBuilder& mesh, glm::vec3 base, const DeadTreeShape& shape, uint32_t seed,
                 float metresPerRepeat);
