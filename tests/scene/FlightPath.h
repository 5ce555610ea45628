#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "SceneGeometry.h"

// The camera's flight through the scene: the eye positions of the path's key points, flown in
// straight lines at 0.9 m/s.
std::vector<glm::vec3> flightKeyPositions();

constexpr float kFlightSpeed = 0.9f;

struct FlightSample {
    glm::vec3 eye;
    float seconds;  // since the start of the flight
};

// Eye positions along the whole flight, never more than `spacing` metres apart, each with the time
// at which the camera passes it.
std::vector<FlightSample> sampleFlight(float spacing);

struct ClearanceMiss {
    FlightSample sample;
    float distance;
    std::string mesh;
};

// The samples whose eye comes closer than `clearance` to any triangle of the scene, the gate
// leaves turned to the angle they have at the sample's time.
std::vector<ClearanceMiss> clearanceMisses(const std::vector<SceneMesh>& meshes,
                                           const std::vector<FlightSample>& samples,
                                           float clearance);
