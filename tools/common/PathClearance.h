#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "CameraPath.h"
#include "KeyPoint.h"

// How close a camera flight comes to the house, read from the model file without a GL context.

// Closer than this, the near plane (0.1 m) cuts the surfaces in front of the eye open on screen
// once the view turns towards them.
constexpr float kLeastClearance = 0.3f;

// The house model's meshes as the importer sees them (same post-processing as the engine's
// loadModel).
struct SceneMesh {
    std::string name;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::uvec3> triangles;
    bool hasTextureCoordinates = false;
    bool hasTangents = false;
};

// Empty when the file cannot be read.
std::vector<SceneMesh> importSceneMeshes(const std::string& path);

float pointTriangleDistance(glm::vec3 p, glm::vec3 a, glm::vec3 b, glm::vec3 c);

struct FlightSample {
    glm::vec3 eye;
    float seconds;    // since the start of the flight
    int segment = 0;  // between key points segment and segment + 1
};

// Eye positions along the whole flight over these key points, in straight lines at `speed`,
// never more than `spacing` metres apart, each with the time at which the camera passes it. The
// last one is the last key point.
std::vector<FlightSample> sampleFlight(const std::vector<KeyPoint>& keyPoints, float spacing,
                                       float speed = kDefaultPathSpeed);

struct ClearanceMiss {
    FlightSample sample;
    float distance;  // infinite where no surface lies within reach
    std::string mesh;
};

// For every sample, the nearest triangle of the scene within `reach`, the gate leaves turned to
// the angle they have at the sample's time.
std::vector<ClearanceMiss> nearestSurfaces(const std::vector<SceneMesh>& meshes,
                                           const std::vector<FlightSample>& samples, float reach);

// The samples whose eye comes closer than `clearance` to any triangle of the scene.
std::vector<ClearanceMiss> clearanceMisses(const std::vector<SceneMesh>& meshes,
                                           const std::vector<FlightSample>& samples,
                                           float clearance);
