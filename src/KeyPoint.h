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

// Reads a line in the form keyPointLine writes; spaces and tabs may stand anywhere between the
// parts. Each number is read as a double and then rounded to float, as the compiler rounds the
// double literals of the key-point table, so that a pasted line equals the table's key point.
// False with what was expected (e.g. "a number", "\"glm::vec3(\"") where the line departs from
// the form, its column in `column` (from 1).
bool parseKeyPointLine(const std::string& line, KeyPoint& keyPoint, std::string& expected,
                       size_t& column);
