#pragma once

#include <cstdint>
#include <glm/glm.hpp>

// Integer hashing and lattice noise. The 2D functions tile: the lattice wraps every `period`
// cells, so a texture sampled over [0, 1) x [0, 1) with coordinates scaled by the period repeats
// without a seam.
uint32_t hashInts(int32_t x, int32_t y, int32_t z, uint32_t seed);
// Uniform in [0, 1).
float hashUnit(int32_t x, int32_t y, int32_t z, uint32_t seed);

// Gradient noise in about [-1, 1].
float gradientNoise(glm::vec2 p, glm::ivec2 period, uint32_t seed);
inline float gradientNoise(glm::vec2 p, int period, uint32_t seed) {
    return gradientNoise(p, glm::ivec2(period), seed);
}
// Sum of octaves, each with twice the frequency (and period) and `gain` times the amplitude of the
// one before; normalised to about [-1, 1].
float fractalNoise(glm::vec2 p, int period, int octaves, uint32_t seed, float gain = 0.5f);

// Distances to the nearest and second-nearest jittered cell point, in cell units.
struct CellularSample {
    float nearest;
    float second;
    uint32_t id;
    glm::vec2 offset;  // from the nearest point to p
};
CellularSample cellularNoise(glm::vec2 p, int period, uint32_t seed);

float gradientNoise3(glm::vec3 p, uint32_t seed);
float fractalNoise3(glm::vec3 p, int octaves, uint32_t seed, float gain = 0.5f);

inline float smoothstepf(float edge0, float edge1, float x) {
    const float t = glm::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
