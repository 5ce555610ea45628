#include "geometry/MeshBuilder.h"

#include <cmath>

void planarFrame(glm::vec3 normal, glm::vec3& u, glm::vec3& v) {
    const glm::vec3 n = glm::normalize(normal);
    if (std::abs(n.y) > 0.9f) {
        v = glm::normalize(glm::cross(n, glm::vec3(1.0f, 0.0f, 0.0f)));
        u = glm::cross(v, n);
    } else {
        u = glm::normalize(glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), n));
        v = glm::cross(n, u);
    }
}

uint32_t MeshBuilder::addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 uv) {
    vertices.push_back(MeshVertex{position, glm::normalize(normal), uv});
    return static_cast<uint32_t>(vertices.size() - 1);
}

void MeshBuilder::addTriangle(uint32_t a, uint32_t b, uint32_t c) {
    const glm::vec3& pa = vertices[a].position;
    const glm::vec3& pb = vertices[b].position;
    const glm::vec3& pc = vertices[c].position;
    const glm::vec3 face = glm::cross(pb - pa, pc - pa);
    if (glm::length(face) < 1e-9f) return;
    const glm::vec3 facing = vertices[a].normal + vertices[b].normal + vertices[c].normal;
    if (glm::dot(face, facing) >= 0.0f) {
        indices.insert(indices.end(), {a, b, c});
    } else {
        indices.insert(indices.end(), {a, c, b});
    }
}

void MeshBuilder::addFlatPolygon(const std::vector<glm::vec3>& corners, glm::vec3 outward,
                                 float metresPerRepeat, glm::vec2 uvOffset) {
    glm::vec3 newell(0.0f);
    for (size_t i = 0; i < corners.size(); ++i) {
        const glm::vec3& p = corners[i];
        const glm::vec3& q = corners[(i + 1) % corners.size()];
        newell += glm::vec3((p.y - q.y) * (p.z + q.z), (p.z - q.z) * (p.x + q.x),
                            (p.x - q.x) * (p.y + q.y));
    }
    if (glm::length(newell) < 1e-9f) return;
    glm::vec3 normal = glm::normalize(newell);
    if (glm::dot(normal, outward) < 0.0f) normal = -normal;
    glm::vec3 u;
    glm::vec3 v;
    planarFrame(normal, u, v);
    const uint32_t first = static_cast<uint32_t>(vertices.size());
    for (const glm::vec3& p : corners) {
        addVertex(p, normal,
                  glm::vec2(glm::dot(p, u), glm::dot(p, v)) / metresPerRepeat + uvOffset);
    }
    for (uint32_t i = 1; i + 1 < corners.size(); ++i) addTriangle(first, first + i, first + i + 1);
}

void MeshBuilder::addMappedQuad(const glm::vec3 corners[4], const glm::vec2 uvs[4],
                                glm::vec3 outward) {
    const uint32_t first = static_cast<uint32_t>(vertices.size());
    for (int i = 0; i < 4; ++i) addVertex(corners[i], outward, uvs[i]);
    addTriangle(first, first + 1, first + 2);
    addTriangle(first, first + 2, first + 3);
}

void MeshBuilder::append(const MeshBuilder& other, const glm::mat4& transform) {
    const uint32_t base = static_cast<uint32_t>(vertices.size());
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(transform)));
    for (const MeshVertex& v : other.vertices) {
        vertices.push_back(MeshVertex{glm::vec3(transform * glm::vec4(v.position, 1.0f)),
                                      glm::normalize(normalMatrix * v.normal), v.uv});
    }
    const bool mirrored = glm::determinant(glm::mat3(transform)) < 0.0f;
    for (size_t i = 0; i + 2 < other.indices.size(); i += 3) {
        indices.push_back(base + other.indices[i]);
        indices.push_back(base + other.indices[i + (mirrored ? 2 : 1)]);
        indices.push_back(base + other.indices[i + (mirrored ? 1 : 2)]);
    }
}
