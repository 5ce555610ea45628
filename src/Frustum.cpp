#include "Frustum.h"

#include <cmath>

#include "Camera.h"

void Plane::fromPoints(glm::vec3 a, glm::vec3 b, glm::vec3 c) {
    normal = glm::normalize(glm::cross(b - a, c - a));
    d = -glm::dot(normal, a);
}

void Frustum::setLens(float angleDegrees, float aspect, float near, float far) {
    angle = angleDegrees;
    ratio = aspect;
    nearDistance = near;
    farDistance = far;
    tang = static_cast<float>(std::tan(angleDegrees * 0.017453292519943295 * 0.5));
    nh = near * tang;
    nw = nh * ratio;
    fh = far * tang;
    fw = fh * ratio;
}

void Frustum::build(glm::vec3 p, glm::vec3 l, glm::vec3 u) {
    const glm::vec3 Z = glm::normalize(p - l);
    const glm::vec3 X = glm::normalize(glm::cross(u, Z));
    const glm::vec3 Y = glm::cross(Z, X);

    const glm::vec3 nc = p - Z * nearDistance;
    const glm::vec3 fc = p - Z * farDistance;
    ntl = nc + Y * nh - X * nw;
    ntr = nc + Y * nh + X * nw;
    nbl = nc - Y * nh - X * nw;
    nbr = nc - Y * nh + X * nw;
    ftl = fc + Y * fh - X * fw;
    ftr = fc + Y * fh + X * fw;
    fbl = fc - Y * fh - X * fw;
    fbr = fc - Y * fh + X * fw;

    planes[Top].fromPoints(ntr, ntl, ftl);
    planes[Bottom].fromPoints(nbl, nbr, fbr);
    planes[Left].fromPoints(ntl, nbl, fbl);
    planes[Right].fromPoints(nbr, ntr, fbr);
    planes[Near].fromPoints(ntl, ntr, nbr);
    planes[Far].fromPoints(ftr, ftl, fbl);
}

void Frustum::fromCamera(const Camera& camera) {
    setLens(camera.fov, camera.width / camera.height, camera.near, camera.far);
    build(camera.position, camera.position + camera.front, camera.up);
}

FrustumResult Frustum::testBox(const std::array<glm::vec3, 8>& corners) const {
    FrustumResult result = Inside;
    for (const Plane& plane : planes) {
        int in = 0;
        int out = 0;
        for (int k = 0; k < 8 && (in == 0 || out == 0); ++k) {
            if (plane.distance(corners[k]) < 0.0f) {
                ++out;
            } else {
                ++in;
            }
        }
        if (in == 0) return Outside;
        if (out > 0) result = Intersect;
    }
    return result;
}
