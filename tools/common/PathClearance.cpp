#include "PathClearance.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>
#include <unordered_map>

#include "SceneAnchors.h"

std::vector<SceneMesh> importSceneMeshes(const std::string& path) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(
        path, aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices | aiProcess_Triangulate |
                  aiProcess_ImproveCacheLocality | aiProcess_OptimizeMeshes);
    std::vector<SceneMesh> meshes;
    if (!scene || !scene->mRootNode) return meshes;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* source = scene->mMeshes[m];
        SceneMesh mesh;
        mesh.name = source->mName.C_Str();
        mesh.hasTextureCoordinates = source->mTextureCoords[0] != nullptr;
        mesh.hasTangents = source->mTangents != nullptr;
        auto vec = [](const aiVector3D& v) { return glm::vec3(v.x, v.y, v.z); };
        for (unsigned i = 0; i < source->mNumVertices; ++i) {
            mesh.positions.push_back(vec(source->mVertices[i]));
            if (source->mNormals) mesh.normals.push_back(vec(source->mNormals[i]));
        }
        for (unsigned f = 0; f < source->mNumFaces; ++f) {
            const unsigned* i = source->mFaces[f].mIndices;
            if (source->mFaces[f].mNumIndices == 3) mesh.triangles.emplace_back(i[0], i[1], i[2]);
        }
        meshes.push_back(std::move(mesh));
    }
    return meshes;
}

namespace {
float segmentDistance(glm::vec3 p, glm::vec3 a, glm::vec3 b) {
    const glm::vec3 ab = b - a;
    const float t =
        glm::clamp(glm::dot(p - a, ab) / std::max(glm::dot(ab, ab), 1e-20f), 0.0f, 1.0f);
    return glm::length(p - (a + t * ab));
}
}  // namespace

// The distance to the plane where p projects inside the triangle, else to the nearest edge.
float pointTriangleDistance(glm::vec3 p, glm::vec3 a, glm::vec3 b, glm::vec3 c) {
    const glm::vec3 n = glm::cross(b - a, c - a);
    if (glm::dot(n, n) > 1e-20f) {
        const auto inside = [&](glm::vec3 from, glm::vec3 to) {
            return glm::dot(glm::cross(to - from, p - from), n) >= 0.0f;
        };
        if (inside(a, b) && inside(b, c) && inside(c, a))
            return std::fabs(glm::dot(p - a, glm::normalize(n)));
    }
    return std::min({segmentDistance(p, a, b), segmentDistance(p, b, c), segmentDistance(p, c, a)});
}

std::vector<FlightSample> sampleFlight(const std::vector<KeyPoint>& keyPoints, float spacing,
                                       float speed) {
    std::vector<FlightSample> samples;
    if (keyPoints.empty()) return samples;
    float travelled = 0.0f;
    for (size_t i = 0; i + 1 < keyPoints.size(); ++i) {
        const glm::vec3 from = keyPoints[i].position, to = keyPoints[i + 1].position;
        const float length = glm::length(to - from);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / spacing)));
        for (int s = 0; s < steps; ++s) {
            const float f = static_cast<float>(s) / steps;
            samples.push_back(
                {glm::mix(from, to, f), (travelled + f * length) / speed, static_cast<int>(i)});
        }
        travelled += length;
    }
    samples.push_back(
        {keyPoints.back().position, travelled / speed, static_cast<int>(keyPoints.size()) - 1});
    return samples;
}

namespace {
struct Triangle {
    glm::vec3 a, b, c;
    const std::string* mesh;
};

// Triangles bucketed by the 1 m cells of a region that they come within `reach` of: a point only
// needs the triangles of its own cell.
struct TriangleGrid {
    glm::vec3 origin;
    glm::ivec3 extent;
    float reach;
    std::unordered_map<int64_t, std::vector<Triangle>> cells;

    glm::ivec3 cell(glm::vec3 p) const { return glm::ivec3(glm::floor(p - origin)); }
    int64_t key(glm::ivec3 c) const { return (int64_t(c.z) * extent.y + c.y) * extent.x + c.x; }
    void add(const Triangle& t) {
        const glm::ivec3 c0 = glm::max(cell(glm::min(glm::min(t.a, t.b), t.c) - reach), 0);
        const glm::ivec3 c1 = glm::min(cell(glm::max(glm::max(t.a, t.b), t.c) + reach), extent - 1);
        for (int z = c0.z; z <= c1.z; ++z)
            for (int y = c0.y; y <= c1.y; ++y)
                for (int x = c0.x; x <= c1.x; ++x) cells[key({x, y, z})].push_back(t);
    }
    const std::vector<Triangle>& near(glm::vec3 p) const {
        static const std::vector<Triangle> none;
        const auto found = cells.find(key(cell(p)));
        return found == cells.end() ? none : found->second;
    }
};

// The gate leaves as the frame update has turned them by then: the right one by a negative angle
// about its hinge, the left one by a positive angle.
glm::mat4 gateLeafTransform(const std::string& name, float seconds) {
    const float angle = glm::radians(
        std::min(anchors::kGateSwingDegreesPerSecond * seconds, anchors::kGateOpenDegrees));
    const bool right = name == anchors::kRightGateMesh;
    const glm::vec2 axis = right ? anchors::kRightGateHinge : anchors::kLeftGateHinge;
    const glm::vec3 hinge(axis.x, 0.0f, axis.y);
    glm::mat4 m = glm::translate(glm::mat4(1.0f), hinge);
    m = glm::rotate(m, right ? -angle : angle, glm::vec3(0, 1, 0));
    return glm::translate(m, -hinge);
}
}  // namespace

std::vector<ClearanceMiss> nearestSurfaces(const std::vector<SceneMesh>& meshes,
                                           const std::vector<FlightSample>& samples, float reach) {
    glm::vec3 lo(std::numeric_limits<float>::infinity()), hi = -lo;
    for (const FlightSample& s : samples) {
        lo = glm::min(lo, s.eye - 1.0f);
        hi = glm::max(hi, s.eye + 1.0f);
    }
    TriangleGrid still{glm::floor(lo), glm::ivec3(glm::ceil(hi - glm::floor(lo))), reach, {}};
    std::vector<const SceneMesh*> leaves;
    for (const SceneMesh& mesh : meshes) {
        if (mesh.name == anchors::kRightGateMesh || mesh.name == anchors::kLeftGateMesh) {
            leaves.push_back(&mesh);
            continue;
        }
        for (const glm::uvec3& t : mesh.triangles)
            still.add({mesh.positions[t.x], mesh.positions[t.y], mesh.positions[t.z], &mesh.name});
    }
    std::vector<ClearanceMiss> nearest;
    for (const FlightSample& s : samples) {
        ClearanceMiss found{s, std::numeric_limits<float>::infinity(), ""};
        auto consider = [&](const Triangle& t) {
            const float d = pointTriangleDistance(s.eye, t.a, t.b, t.c);
            if (d < found.distance && d <= reach) found = {s, d, *t.mesh};
        };
        for (const Triangle& t : still.near(s.eye)) consider(t);
        for (const SceneMesh* leaf : leaves) {
            const glm::mat4 m = gateLeafTransform(leaf->name, s.seconds);
            auto at = [&](unsigned i) {
                return glm::vec3(m * glm::vec4(leaf->positions[i], 1.0f));
            };
            for (const glm::uvec3& t : leaf->triangles)
                consider({at(t.x), at(t.y), at(t.z), &leaf->name});
        }
        nearest.push_back(found);
    }
    return nearest;
}

std::vector<ClearanceMiss> clearanceMisses(const std::vector<SceneMesh>& meshes,
                                           const std::vector<FlightSample>& samples,
                                           float clearance) {
    std::vector<ClearanceMiss> misses;
    for (const ClearanceMiss& nearest : nearestSurfaces(meshes, samples, clearance))
        if (nearest.distance < clearance) misses.push_back(nearest);
    return misses;
}
