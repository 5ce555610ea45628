#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

struct MeshVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

// Triangles with per-vertex normals and texture coordinates. Every triangle is wound
// counter-clockwise as seen from the side its vertex normals face, whatever order the caller
// gives: the builder checks and flips, so back-face culling never eats a visible face.
class MeshBuilder {
public:
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;

    uint32_t addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 uv);
    // Degenerate triangles are dropped.
    void addTriangle(uint32_t a, uint32_t b, uint32_t c);

    // A flat convex polygon facing `outward`. Texture coordinates are the corners projected on
    // the face's plane in metres divided by metresPerRepeat (so a texture covers the same area of
    // every face), shifted by uvOffset.
    void addFlatPolygon(const std::vector<glm::vec3>& corners, glm::vec3 outward,
                        float metresPerRepeat, glm::vec2 uvOffset = glm::vec2(0.0f));
    void addQuad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d, glm::vec3 outward,
                 float metresPerRepeat, glm::vec2 uvOffset = glm::vec2(0.0f)) {
        addFlatPolygon({a, b, c, d}, outward, metresPerRepeat, uvOffset);
    }
    // A flat quad whose corners take the given texture coordinates (decals, pictures, windows).
    void addMappedQuad(const glm::vec3 corners[4], const glm::vec2 uvs[4], glm::vec3 outward);

    // Appends another builder's triangles moved by `transform` (normals follow).
    void append(const MeshBuilder& other, const glm::mat4& transform);

    size_t triangleCount() const { return indices.size() / 3; }
};

// The texture axes of a face: u runs horizontally (or along +x on level faces), v up the face, and
// u x v = normal so that normal maps keep their handedness.
void planarFrame(glm::vec3 normal, glm::vec3& u, glm::vec3& v);
