#include "SceneGeometry.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>

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
        for (unsigned i = 0; i < source->mNumVertices; ++i) {
            const aiVector3D& p = source->mVertices[i];
            mesh.positions.emplace_back(p.x, p.y, p.z);
            if (source->mNormals) {
                const aiVector3D& n = source->mNormals[i];
                mesh.normals.emplace_back(n.x, n.y, n.z);
            }
        }
        for (unsigned f = 0; f < source->mNumFaces; ++f) {
            const aiFace& face = source->mFaces[f];
            if (face.mNumIndices != 3) continue;
            mesh.triangles.emplace_back(face.mIndices[0], face.mIndices[1], face.mIndices[2]);
        }
        meshes.push_back(std::move(mesh));
    }
    return meshes;
}

// Closest point on a triangle (after Ericson, Real-Time Collision Detection, 5.1.5), then the
// distance to it.
float pointTriangleDistance(glm::vec3 p, glm::vec3 a, glm::vec3 b, glm::vec3 c) {
    const glm::vec3 ab = b - a;
    const glm::vec3 ac = c - a;
    const glm::vec3 ap = p - a;
    const float d1 = glm::dot(ab, ap);
    const float d2 = glm::dot(ac, ap);
    if (d1 <= 0.0f && d2 <= 0.0f) return glm::length(p - a);
    const glm::vec3 bp = p - b;
    const float d3 = glm::dot(ab, bp);
    const float d4 = glm::dot(ac, bp);
    if (d3 >= 0.0f && d4 <= d3) return glm::length(p - b);
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f) return glm::length(p - (a + ab * (d1 / (d1 - d3))));
    const glm::vec3 cp = p - c;
    const float d5 = glm::dot(ab, cp);
    const float d6 = glm::dot(ac, cp);
    if (d6 >= 0.0f && d5 <= d6) return glm::length(p - c);
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f) return glm::length(p - (a + ac * (d2 / (d2 - d6))));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && (d4 - d3) >= 0.0f && (d5 - d6) >= 0.0f) {
        return glm::length(p - (b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)))));
    }
    const float denom = 1.0f / (va + vb + vc);
    return glm::length(p - (a + ab * (vb * denom) + ac * (vc * denom)));
}
