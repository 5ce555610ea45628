#include "FlightPath.h"

#include <algorithm>
#include <cmath>

#include "Camera.h"
#include "CameraPath.h"

const std::vector<glm::vec3>& flightKeyPositions() {
    static const std::vector<glm::vec3> positions = [] {
        Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
        const CameraPath path(&camera, nullptr);
        std::vector<glm::vec3> eyes;
        for (const KeyPoint& key : path.m_keyPoints) eyes.push_back(key.position);
        return eyes;
    }();
    return positions;
}

std::vector<FlightSample> sampleFlight(float spacing) {
    const std::vector<glm::vec3>& keys = flightKeyPositions();
    std::vector<FlightSample> samples;
    float travelled = 0.0f;
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
        const float length = glm::length(keys[i + 1] - keys[i]);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / spacing)));
        for (int s = 0; s < steps; ++s) {
            const float f = static_cast<float>(s) / steps;
            samples.push_back(
                {glm::mix(keys[i], keys[i + 1], f), (travelled + f * length) / kFlightSpeed});
        }
        travelled += length;
    }
    samples.push_back({keys.back(), travelled / kFlightSpeed});
    return samples;
}
