#include "geometry/Shapes.h"

#include <algorithm>
#include <cmath>

namespace {
const float kTwoPi = 6.28318531f;
}

void addBox(MeshBuilder& mesh, glm::vec3 min, glm::vec3 max, float metresPerRepeat,
            unsigned faces) {
    const glm::vec3 c = 0.5f * (min + max);
    const glm::vec3 h = 0.5f * (max - min);
    addOrientedBox(mesh, c, glm::vec3(h.x, 0, 0), glm::vec3(0, h.y, 0), glm::vec3(0, 0, h.z),
                   metresPerRepeat, faces);
}

void addOrientedBox(MeshBuilder& mesh, glm::vec3 centre, glm::vec3 halfX, glm::vec3 halfY,
                    glm::vec3 halfZ, float metresPerRepeat, unsigned faces) {
    auto face = [&](unsigned bit, glm::vec3 axis, glm::vec3 a, glm::vec3 b, float sign) {
        if (!(faces & bit)) return;
        const glm::vec3 n = sign * axis;
        const glm::vec3 o = centre + n;
        mesh.addQuad(o - a - b, o + a - b, o + a + b, o - a + b, n, metresPerRepeat);
    };
    face(kFaceNegX, halfX, halfY, halfZ, -1.0f);
    face(kFacePosX, halfX, halfY, halfZ, 1.0f);
    face(kFaceNegY, halfY, halfX, halfZ, -1.0f);
    face(kFacePosY, halfY, halfX, halfZ, 1.0f);
    face(kFaceNegZ, halfZ, halfX, halfY, -1.0f);
    face(kFacePosZ, halfZ, halfX, halfY, 1.0f);
}

void addTube(MeshBuilder& mesh, glm::vec3 from, glm::vec3 to, float radiusFrom, float radiusTo,
             int sides, float metresPerRepeat, bool smooth, bool capFrom, bool capTo) {
    const glm::vec3 axis = to - from;
    const float length = glm::length(axis);
    if (length < 1e-6f) return;
    const glm::vec3 w = axis / length;
    const glm::vec3 helper = std::abs(w.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    const glm::vec3 a = glm::normalize(glm::cross(helper, w));
    const glm::vec3 b = glm::cross(w, a);
    const float slope = (radiusFrom - radiusTo) / length;
    auto ring = [&](int i) {
        const float angle = kTwoPi * i / sides;
        return std::cos(angle) * a + std::sin(angle) * b;
    };
    const float meanRadius = 0.5f * (radiusFrom + radiusTo);
    for (int i = 0; i < sides; ++i) {
        const glm::vec3 r0 = ring(i);
        const glm::vec3 r1 = ring(i + 1);
        const float u0 = kTwoPi * meanRadius * i / sides / metresPerRepeat;
        const float u1 = kTwoPi * meanRadius * (i + 1) / sides / metresPerRepeat;
        const float v1 = length / metresPerRepeat;
        glm::vec3 n0 = glm::normalize(r0 + slope * w);
        glm::vec3 n1 = glm::normalize(r1 + slope * w);
        if (!smooth) n0 = n1 = glm::normalize(n0 + n1);
        const uint32_t p = mesh.addVertex(from + radiusFrom * r0, n0, {u0, 0.0f});
        const uint32_t q = mesh.addVertex(from + radiusFrom * r1, n1, {u1, 0.0f});
        const uint32_t r = mesh.addVertex(to + radiusTo * r1, n1, {u1, v1});
        const uint32_t s = mesh.addVertex(to + radiusTo * r0, n0, {u0, v1});
        mesh.addTriangle(p, q, r);
        mesh.addTriangle(p, r, s);
    }
    auto cap = [&](glm::vec3 centre, float radius, glm::vec3 normal) {
        std::vector<glm::vec3> corners;
        for (int i = 0; i < sides; ++i) corners.push_back(centre + radius * ring(i));
        mesh.addFlatPolygon(corners, normal, metresPerRepeat);
    };
    if (capFrom && radiusFrom > 0.0f) cap(from, radiusFrom, -w);
    if (capTo && radiusTo > 0.0f) cap(to, radiusTo, w);
}

void addLathe(MeshBuilder& mesh, glm::vec3 centre, const std::vector<glm::vec2>& profile, int sides,
              float metresPerRepeat) {
    // Profile normals from the neighbouring segments, pointing away from the axis side that the
    // profile's direction implies (profiles run bottom to top on the outside).
    std::vector<glm::vec2> normals(profile.size());
    for (size_t i = 0; i < profile.size(); ++i) {
        const glm::vec2 prev = profile[i > 0 ? i - 1 : i];
        const glm::vec2 next = profile[i + 1 < profile.size() ? i + 1 : i];
        const glm::vec2 t = glm::normalize(next - prev);
        normals[i] = glm::vec2(t.y, -t.x);
    }
    std::vector<float> along(profile.size(), 0.0f);
    for (size_t i = 1; i < profile.size(); ++i) {
        along[i] = along[i - 1] + glm::length(profile[i] - profile[i - 1]);
    }
    float maxRadius = 0.0f;
    for (const glm::vec2& p : profile) maxRadius = std::max(maxRadius, p.x);
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    const int columns = sides + 1;
    for (size_t i = 0; i < profile.size(); ++i) {
        for (int j = 0; j <= sides; ++j) {
            const float angle = kTwoPi * j / sides;
            const glm::vec3 radial(std::cos(angle), 0.0f, -std::sin(angle));
            const glm::vec3 position =
                centre + profile[i].x * radial + glm::vec3(0, profile[i].y, 0);
            const glm::vec3 normal = normals[i].x * radial + glm::vec3(0, normals[i].y, 0);
            const glm::vec2 uv(kTwoPi * maxRadius * j / sides / metresPerRepeat,
                               along[i] / metresPerRepeat);
            mesh.addVertex(position, normal, uv);
        }
    }
    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        for (int j = 0; j < sides; ++j) {
            const uint32_t a = first + static_cast<uint32_t>(i * columns + j);
            const uint32_t b = a + 1;
            const uint32_t c = a + columns + 1;
            const uint32_t d = a + columns;
            mesh.addTriangle(a, b, c);
            mesh.addTriangle(a, c, d);
        }
    }
}

void addEllipsoid(MeshBuilder& mesh, glm::vec3 centre, glm::vec3 radii, int sides, int rings,
                  float metresPerRepeat) {
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    for (int i = 0; i <= rings; ++i) {
        const float polar = 3.14159265f * i / rings;
        for (int j = 0; j <= sides; ++j) {
            const float angle = kTwoPi * j / sides;
            const glm::vec3 unit(std::sin(polar) * std::cos(angle), -std::cos(polar),
                                 -std::sin(polar) * std::sin(angle));
            const glm::vec3 normal = glm::normalize(unit / radii);
            const float meanRadius = (radii.x + radii.z) * 0.5f;
            mesh.addVertex(
                centre + unit * radii, normal,
                glm::vec2(kTwoPi * meanRadius * j / sides, 3.14159265f * radii.y * i / rings) /
                    metresPerRepeat);
        }
    }
    const int columns = sides + 1;
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < sides; ++j) {
            const uint32_t a = first + i * columns + j;
            mesh.addTriangle(a, a + 1, a + columns + 1);
            mesh.addTriangle(a, a + columns + 1, a + columns);
        }
    }
}

void addExtrudedOutline(MeshBuilder& mesh, glm::vec3 origin, glm::vec3 across, glm::vec3 up,
                        const std::vector<glm::vec2>& outline, float depth, float metresPerRepeat,
                        bool withBottomRim) {
    const glm::vec3 normal = glm::normalize(glm::cross(across, up));
    std::vector<glm::vec3> front;
    std::vector<glm::vec3> back;
    for (const glm::vec2& p : outline) {
        const glm::vec3 q = origin + p.x * across + p.y * up;
        front.push_back(q + 0.5f * depth * normal);
        back.push_back(q - 0.5f * depth * normal);
    }
    mesh.addFlatPolygon(front, normal, metresPerRepeat);
    mesh.addFlatPolygon(back, -normal, metresPerRepeat);
    glm::vec2 centroid(0.0f);
    for (const glm::vec2& p : outline) centroid += p;
    centroid /= static_cast<float>(outline.size());
    for (size_t i = 0; i < outline.size(); ++i) {
        const size_t j = (i + 1) % outline.size();
        const glm::vec2 mid = 0.5f * (outline[i] + outline[j]);
        const glm::vec2 edge = outline[j] - outline[i];
        glm::vec2 side(edge.y, -edge.x);
        if (glm::dot(side, mid - centroid) < 0.0f) side = -side;
        const glm::vec3 outward = glm::normalize(side.x * across + side.y * up);
        if (!withBottomRim && outward.y < -0.9f) continue;
        mesh.addQuad(front[i], front[j], back[j], back[i], outward, metresPerRepeat);
    }
}

void addPyramidSides(MeshBuilder& mesh, const std::vector<glm::vec3>& base, glm::vec3 apex,
                     float metresPerRepeat) {
    glm::vec3 centre(0.0f);
    for (const glm::vec3& p : base) centre += p;
    centre /= static_cast<float>(base.size());
    for (size_t i = 0; i < base.size(); ++i) {
        const glm::vec3& a = base[i];
        const glm::vec3& b = base[(i + 1) % base.size()];
        const glm::vec3 outward = 0.5f * (a + b) - centre + glm::vec3(0, 0.01f, 0);
        mesh.addFlatPolygon({a, b, apex}, outward, metresPerRepeat);
    }
}

std::vector<Rect2> subtractRects(const Rect2& outer, const std::vector<Rect2>& holes) {
    std::vector<float> xs = {outer.min.x, outer.max.x};
    std::vector<float> ys = {outer.min.y, outer.max.y};
    for (const Rect2& h : holes) {
        xs.push_back(glm::clamp(h.min.x, outer.min.x, outer.max.x));
        xs.push_back(glm::clamp(h.max.x, outer.min.x, outer.max.x));
        ys.push_back(glm::clamp(h.min.y, outer.min.y, outer.max.y));
        ys.push_back(glm::clamp(h.max.y, outer.min.y, outer.max.y));
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<Rect2> result;
    for (size_t j = 0; j + 1 < ys.size(); ++j) {
        // Cells of one row that are free, merged into runs along x.
        int runStart = -1;
        for (size_t i = 0; i + 1 <= xs.size(); ++i) {
            bool free = false;
            if (i + 1 < xs.size()) {
                const glm::vec2 mid(0.5f * (xs[i] + xs[i + 1]), 0.5f * (ys[j] + ys[j + 1]));
                free = true;
                for (const Rect2& h : holes) {
                    if (mid.x > h.min.x && mid.x < h.max.x && mid.y > h.min.y && mid.y < h.max.y) {
                        free = false;
                    }
                }
            }
            if (free && runStart < 0) runStart = static_cast<int>(i);
            if (!free && runStart >= 0) {
                result.push_back({{xs[runStart], ys[j]}, {xs[i], ys[j + 1]}});
                runStart = -1;
            }
        }
    }
    return result;
}
