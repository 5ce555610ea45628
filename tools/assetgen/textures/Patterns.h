#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "core/Noise.h"

// Tileable fractal noise over the unit square, `period` lattice cells across, in about [-1, 1].
inline float tiledNoise(glm::vec2 uv, int period, int octaves, uint32_t seed, float gain = 0.5f) {
    return fractalNoise(uv * static_cast<float>(period), period, octaves, seed, gain);
}

// Tileable noise stretched along one axis: `periods` cells across u and v.
inline float stretchedNoise(glm::vec2 uv, glm::ivec2 periods, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        const glm::ivec2 p = periods * (1 << i);
        sum +=
            amplitude * gradientNoise(uv * glm::vec2(p), p, seed + 17u * static_cast<uint32_t>(i));
        total += amplitude;
        amplitude *= 0.5f;
    }
    return sum / total;
}

// A cell of a running-bond layout (bricks, blocks, boards, slates): rows stacked along v, each row
// cut into `perRow` units and shifted by a per-row offset.
struct BondCell {
    glm::ivec2 index;  // unit within row, row
    glm::vec2 local;   // 0..1 inside the unit
    glm::vec2 size;    // of the unit, in uv
    uint32_t id;       // a hash of the unit
};
BondCell bondCell(glm::vec2 uv, int rows, int perRow, float rowShift, uint32_t seed);

// Distance from `local` to the nearest edge of the unit, in uv.
inline float edgeDistance(const BondCell& cell) {
    const glm::vec2 d = glm::min(cell.local, 1.0f - cell.local) * cell.size;
    return glm::min(d.x, d.y);
}

inline float unitHash(uint32_t id, uint32_t salt) {
    return hashUnit(static_cast<int32_t>(id), static_cast<int32_t>(salt), 7, 99u);
}
