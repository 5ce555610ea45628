#pragma once

#include <array>
#include <glm/glm.hpp>

class Camera;

enum FrustumResult { Outside = 0, Intersect = 1, Inside = 2 };

struct Plane {
    glm::vec3 normal{0.0f};
    float d = 0.0f;

    // The normal of a, b, c in counter-clockwise order, seen from the side it points to.
    void fromPoints(glm::vec3 a, glm::vec3 b, glm::vec3 c);
    float distance(glm::vec3 point) const { return glm::dot(normal, point) + d; }
};

// The six-plane view volume; every plane's normal points inwards.
class Frustum {
public:
    enum PlaneIndex { Top = 0, Bottom, Left, Right, Near, Far };

    std::array<Plane, 6> planes{};
    glm::vec3 ntl{0.0f}, ntr{0.0f}, nbl{0.0f}, nbr{0.0f};
    glm::vec3 ftl{0.0f}, ftr{0.0f}, fbl{0.0f}, fbr{0.0f};
    float nearDistance = 0.0f, farDistance = 0.0f, ratio = 0.0f, angle = 0.0f, tang = 0.0f;
    float nw = 0.0f, nh = 0.0f, fw = 0.0f, fh = 0.0f;

    void setLens(float angleDegrees, float ratio, float near, float far);
    void build(glm::vec3 p, glm::vec3 l, glm::vec3 u);
    // setLens and build for what the camera sees.
    void fromCamera(const Camera& camera);
    // Tests a mesh's eight box corners as stored, with no model matrix applied.
    FrustumResult testBox(const std::array<glm::vec3, 8>& corners) const;
};
