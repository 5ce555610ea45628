#include "scene/Part.h"

namespace {
glm::vec3 planePoint(Axis axis, float at, glm::vec2 p) {
    switch (axis) {
        case Axis::X:
            return glm::vec3(at, p.y, p.x);
        case Axis::Y:
            return glm::vec3(p.x, at, p.y);
        default:
            return glm::vec3(p.x, p.y, at);
    }
}

glm::vec3 axisVector(Axis axis) {
    switch (axis) {
        case Axis::X:
            return glm::vec3(1, 0, 0);
        case Axis::Y:
            return glm::vec3(0, 1, 0);
        default:
            return glm::vec3(0, 0, 1);
    }
}
}  // namespace

void addPlaneRects(Part part, Axis axis, float at, float facing, const Rect2& outer,
                   const std::vector<Rect2>& holes) {
    const glm::vec3 outward = facing * axisVector(axis);
    for (const Rect2& r : subtractRects(outer, holes)) {
        part.mesh.addQuad(planePoint(axis, at, r.min), planePoint(axis, at, {r.max.x, r.min.y}),
                          planePoint(axis, at, r.max), planePoint(axis, at, {r.min.x, r.max.y}),
                          outward, part.repeat);
    }
}

void addOpeningSides(Part part, Axis axis, float from, float to, const Rect2& opening,
                     bool withBottom) {
    // In the opening's 2D frame the first coordinate runs along the wall, the second is height,
    // except on a Y plane; openings are only cut into walls (X or Z planes).
    auto point = [&](float depth, float along, float height) {
        return axis == Axis::X ? glm::vec3(depth, height, along) : glm::vec3(along, height, depth);
    };
    const glm::vec3 alongAxis = axis == Axis::X ? glm::vec3(0, 0, 1) : glm::vec3(1, 0, 0);
    const glm::vec3 up(0, 1, 0);
    const Rect2& o = opening;
    auto side = [&](float along, glm::vec3 outward) {
        part.mesh.addQuad(point(from, along, o.min.y), point(to, along, o.min.y),
                          point(to, along, o.max.y), point(from, along, o.max.y), outward,
                          part.repeat);
    };
    side(o.min.x, alongAxis);
    side(o.max.x, -alongAxis);
    auto level = [&](float height, glm::vec3 outward) {
        part.mesh.addQuad(point(from, o.min.x, height), point(to, o.min.x, height),
                          point(to, o.max.x, height), point(from, o.max.x, height), outward,
                          part.repeat);
    };
    level(o.max.y, -up);
    if (withBottom) level(o.min.y, up);
}
