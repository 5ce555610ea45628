#pragma once

#include <glm/glm.hpp>
#include <vector>

// The camera's flight through the scene: the eye positions of the path's 91 key points, flown in
// straight lines at 0.9 m/s.
const std::vector<glm::vec3>& flightKeyPositions();

constexpr float kFlightSpeed = 0.9f;

struct FlightSample {
    glm::vec3 eye;
    float seconds;  // since the start of the flight
};

// Eye positions along the whole flight, never more than `spacing` metres apart, each with the time
// at which the camera passes it.
std::vector<FlightSample> sampleFlight(float spacing);
