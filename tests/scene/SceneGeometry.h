#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

// The house model's meshes as the importer sees them (same post-processing as the engine's
// loadModel), read without a GL context.
struct SceneMesh {
    std::string name;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::uvec3> triangles;
    bool hasTextureCoordinates = false;
    bool hasTangents = false;
};

std::vector<SceneMesh> importSceneMeshes(const std::string& path);
std::string sceneModelPath();

float pointTriangleDistance(glm::vec3 p, glm::vec3 a, glm::vec3 b, glm::vec3 c);
