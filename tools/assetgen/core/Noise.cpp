#include "core/Noise.h"

#include <cmath>

namespace {
int wrap(int value, int period) {
    const int r = value % period;
    return r < 0 ? r + period : r;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

glm::vec2 gradient2(int x, int y, uint32_t seed) {
    const float angle = hashUnit(x, y, 0, seed) * 6.28318531f;
    return glm::vec2(std::cos(angle), std::sin(angle));
}

glm::vec3 gradient3(int x, int y, int z, uint32_t seed) {
    // Twelve cube-edge directions, as in improved Perlin noise.
    static const glm::vec3 directions[12] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0},
                                             {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
                                             {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}};
    return directions[hashInts(x, y, z, seed) % 12u];
}
}  // namespace

uint32_t hashInts(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    return static_cast<float>(hashInts(x, y, z, seed) >> 8) * (1.0f / 16777216.0f);
}

float gradientNoise(glm::vec2 p, glm::ivec2 period, uint32_t seed) {
    const float fx = std::floor(p.x);
    const float fy = std::floor(p.y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const glm::vec2 f(p.x - fx, p.y - fy);
    auto corner = [&](int dx, int dy) {
        const glm::vec2 g = gradient2(wrap(x0 + dx, period.x), wrap(y0 + dy, period.y), seed);
        return glm::dot(g, f - glm::vec2(dx, dy));
    };
    const float u = fade(f.x);
    const float v = fade(f.y);
    const float a = glm::mix(corner(0, 0), corner(1, 0), u);
    const float b = glm::mix(corner(0, 1), corner(1, 1), u);
    return glm::mix(a, b, v) * 1.41421356f;
}

float fractalNoise(glm::vec2 p, int period, int octaves, uint32_t seed, float gain) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * gradientNoise(p, period, seed + static_cast<uint32_t>(i) * 101u);
        total += amplitude;
        amplitude *= gain;
        p *= 2.0f;
        period *= 2;
    }
    return sum / total;
}

CellularSample cellularNoise(glm::vec2 p, int period, uint32_t seed) {
    const int cx = static_cast<int>(std::floor(p.x));
    const int cy = static_cast<int>(std::floor(p.y));
    CellularSample best{1e9f, 1e9f, 0u, glm::vec2(0.0f)};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int wx = wrap(cx + dx, period);
            const int wy = wrap(cy + dy, period);
            const glm::vec2 jitter(hashUnit(wx, wy, 1, seed), hashUnit(wx, wy, 2, seed));
            const glm::vec2 point = glm::vec2(cx + dx, cy + dy) + 0.1f + 0.8f * jitter;
            const glm::vec2 offset = p - point;
            const float d = glm::length(offset);
            if (d < best.nearest) {
                best.second = best.nearest;
                best.nearest = d;
                best.id = hashInts(wx, wy, 3, seed);
                best.offset = offset;
            } else if (d < best.second) {
                best.second = d;
            }
        }
    }
    return best;
}

float gradientNoise3(glm::vec3 p, uint32_t seed) {
    const glm::vec3 fl = glm::floor(p);
    const int x0 = static_cast<int>(fl.x);
    const int y0 = static_cast<int>(fl.y);
    const int z0 = static_cast<int>(fl.z);
    const glm::vec3 f = p - fl;
    auto corner = [&](int dx, int dy, int dz) {
        return glm::dot(gradient3(x0 + dx, y0 + dy, z0 + dz, seed), f - glm::vec3(dx, dy, dz));
    };
    const float u = fade(f.x);
    const float v = fade(f.y);
    const float w = fade(f.z);
    const float x00 = glm::mix(corner(0, 0, 0), corner(1, 0, 0), u);
    const float x10 = glm::mix(corner(0, 1, 0), corner(1, 1, 0), u);
    const float x01 = glm::mix(corner(0, 0, 1), corner(1, 0, 1), u);
    const float x11 = glm::mix(corner(0, 1, 1), corner(1, 1, 1), u);
    return glm::mix(glm::mix(x00, x10, v), glm::mix(x01, x11, v), w);
}

float fractalNoise3(glm::vec3 p, int octaves, uint32_t seed, float gain) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * gradientNoise3(p, seed + static_cast<uint32_t>(i) * 131u);
        total += amplitude;
        amplitude *= gain;
        p *= 2.03f;
    }
    return sum / total;
}
