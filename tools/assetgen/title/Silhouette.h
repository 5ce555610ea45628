#pragma once

#include <glm/glm.hpp>
#include <vector>

// Coverage (0..1) painted into a greyscale mask with anti-aliased edges, in pixel coordinates.
class CoverageMask {
public:
    CoverageMask(int width, int height) : width(width), height(height), values(width * height) {}

    float at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    // A round-capped line of the given radius; its edge fades over `softness` pixels.
    void line(glm::vec2 a, glm::vec2 b, float radius, float softness = 1.0f);
    // A convex polygon, corners in either order.
    void convex(const std::vector<glm::vec2>& corners);
    void rect(glm::vec2 min, glm::vec2 max) { convex({min, {max.x, min.y}, max, {min.x, max.y}}); }

private:
    void blend(int x, int y, float coverage);
    int width;
    int height;
    std::vector<float> values;
};
