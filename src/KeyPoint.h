#pragma once

#include <glm/glm.hpp>
#include <string>

// A pose of the camera path: the eye position and the point it looks at.
struct KeyPoint {
    glm::vec3 position{0.0f};
    glm::vec3 target{0.0f};

    KeyPoint() = default;
    KeyPoint(glm::vec3 position, glm::vec3 target) : position(position), target(target) {}
    bool operator==(const KeyPoint& other) const {
        return position == other.position && target == other.target;
    }
};

// The key point as a line of C++ that can be pasted into the path's key-point table, every number
// with six decimals. Recorded key points are written in this form.
std::string keyPointLine(glm::vec3 position, glm::vec3 target);
