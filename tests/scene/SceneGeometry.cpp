#include "SceneGeometry.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>

std::string sceneModelPath() {
    return std::string(MURKMOOR_SOURCE_DIR) + "/res/myhouse/myhouse.obj";
}

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
