#include "sky/NightSky.h"

#include <cmath>

#include "core/Noise.h"

namespace {
const uint32_t kCloudSeed = 7001u;
const uint32_t kStarSeed = 7101u;
const uint32_t kMoonSeed = 7201u;

float cloudDensity(glm::vec3 d) {
    // Stretched sideways so that the clouds lie in long bands; warped to break the regularity.
    const glm::vec3 p(d.x * 2.6f, d.y * 6.0f, d.z * 2.6f);
    const glm::vec3 warp(fractalNoise3(p * 1.3f, 3, kCloudSeed + 1u),
                         fractalNoise3(p * 1.3f + 17.0f, 3, kCloudSeed + 2u), 0.0f);
    const float n = fractalNoise3(p + 0.9f * warp, 6, kCloudSeed, 0.55f);
    // More cover towards the horizon, a clearer hole around the zenith.
    const float cover = 0.05f + 0.16f * (1.0f - smoothstepf(0.0f, 0.7f, d.y));
    return smoothstepf(0.0f, 0.45f, n + cover - 0.12f);
}

// One layer of stars: each cell of a grid over the direction holds at most one star, kept in the
// middle of its cell so that no neighbour has to be looked at.
float starLayer(glm::vec3 d, float cellsPerUnit, float probability, float brightness,
                uint32_t seed) {
    const glm::vec3 p = d * cellsPerUnit;
    const glm::vec3 cell = glm::floor(p);
    const int x = static_cast<int>(cell.x);
    const int y = static_cast<int>(cell.y);
    const int z = static_cast<int>(cell.z);
    if (hashUnit(x, y, z, seed) > probability) return 0.0f;
    const glm::vec3 jitter(hashUnit(x, y, z, seed + 1u), hashUnit(x, y, z, seed + 2u),
                           hashUnit(x, y, z, seed + 3u));
    const glm::vec3 star = glm::normalize((cell + 0.3f + 0.4f * jitter) / cellsPerUnit);
    const float angle = std::acos(glm::clamp(glm::dot(d, star), -1.0f, 1.0f));
    const float size = 0.0011f;
    const float strength = brightness * std::pow(hashUnit(x, y, z, seed + 4u), 3.0f);
    return strength * std::exp(-(angle * angle) / (size * size));
}

glm::vec3 starColour(glm::vec3 d) {
    const float milkyWay =
        std::exp(-std::pow(glm::dot(d, glm::normalize(glm::vec3(0.5f, 0.3f, 0.8f))) / 0.22f, 2.0f));
    float s = starLayer(d, 90.0f, 0.05f, 0.68f, kStarSeed);
    s += starLayer(d, 170.0f, 0.05f + 0.12f * milkyWay, 0.35f, kStarSeed + 10u);
    const float tint = hashUnit(static_cast<int>(d.x * 400.0f), static_cast<int>(d.y * 400.0f),
                                static_cast<int>(d.z * 400.0f), kStarSeed + 20u);
    const glm::vec3 colour =
        glm::mix(glm::vec3(0.8f, 0.85f, 1.0f), glm::vec3(1.0f, 0.9f, 0.75f), tint);
    const float glow =
        milkyWay * (0.02f + 0.03f * (0.5f + 0.5f * fractalNoise3(d * 9.0f, 4, kStarSeed + 30u)));
    return colour * s + glm::vec3(0.7f, 0.75f, 0.9f) * glow;
}

// The moon's face: pale, with darker seas and a few craters, dimmer towards its rim.
glm::vec3 moonSurface(glm::vec3 d, float angle) {
    const glm::vec3 right = glm::normalize(glm::cross(kMoonDirection, glm::vec3(0.0f, 1.0f, 0.0f)));
    const glm::vec3 up = glm::cross(right, kMoonDirection);
    const glm::vec2 q(glm::dot(d, right) / kMoonRadius, glm::dot(d, up) / kMoonRadius);
    const float seas =
        smoothstepf(0.05f, 0.35f, fractalNoise3(glm::vec3(q * 1.4f, 0.5f), 4, kMoonSeed));
    float craters = 0.0f;
    for (int i = 0; i < 9; ++i) {
        const glm::vec2 c(hashUnit(i, 0, 0, kMoonSeed) * 1.6f - 0.8f,
                          hashUnit(i, 1, 0, kMoonSeed) * 1.6f - 0.8f);
        const float r = 0.06f + 0.12f * hashUnit(i, 2, 0, kMoonSeed);
        const float dist = glm::length(q - c) / r;
        craters += 0.12f * (smoothstepf(1.1f, 0.8f, dist) - 0.6f * smoothstepf(0.8f, 0.3f, dist));
    }
    const float fine = 0.05f * fractalNoise3(glm::vec3(q * 6.0f, 2.0f), 3, kMoonSeed + 5u);
    const float rim = std::sqrt(glm::max(0.0f, 1.0f - std::pow(angle / kMoonRadius, 2.0f)));
    const float light = (0.98f - 0.2f * seas + craters + fine) * (0.82f + 0.18f * rim);
    return glm::vec3(1.0f, 0.97f, 0.88f) * light;
}
}  // namespace

glm::vec3 nightSkyColour(glm::vec3 direction) {
    const glm::vec3 d = glm::normalize(direction);
    const float elevation = d.y;

    const glm::vec3 zenith(0.006f, 0.010f, 0.028f);
    const glm::vec3 middle(0.040f, 0.055f, 0.100f);
    const glm::vec3 mist(0.17f, 0.19f, 0.21f);
    const glm::vec3 ground(0.07f, 0.075f, 0.08f);
    glm::vec3 sky = glm::mix(middle, zenith, smoothstepf(0.15f, 0.9f, elevation));
    sky = glm::mix(mist, sky, smoothstepf(-0.02f, 0.3f, elevation));
    sky = glm::mix(ground, sky, smoothstepf(-0.25f, 0.0f, elevation));

    const float toMoon = std::acos(glm::clamp(glm::dot(d, kMoonDirection), -1.0f, 1.0f));
    const float halo = 0.22f * std::exp(-toMoon / 0.05f) + 0.07f * std::exp(-toMoon / 0.35f);
    sky += glm::vec3(0.55f, 0.62f, 0.75f) * halo;

    const float aboveHorizon = smoothstepf(-0.01f, 0.2f, elevation);
    const float clouds = cloudDensity(d) * smoothstepf(-0.08f, 0.02f, elevation);
    sky += starColour(d) * (1.0f - clouds) * aboveHorizon;

    const float moonMask = smoothstepf(kMoonRadius, kMoonRadius - 0.0025f, toMoon);
    if (moonMask > 0.0f) sky = glm::mix(sky, moonSurface(d, toMoon), moonMask);

    // Clouds: dark grey, silvered where the moon lights them from behind.
    const float silver = std::exp(-toMoon / 0.25f);
    const glm::vec3 cloudColour =
        glm::mix(glm::vec3(0.085f, 0.09f, 0.11f), glm::vec3(0.45f, 0.48f, 0.55f), silver) +
        mist * 0.3f * (1.0f - smoothstepf(0.0f, 0.4f, elevation));
    const float cloudOpacity = clouds * (toMoon < kMoonRadius * 1.2f ? 0.55f : 0.85f);
    sky = glm::mix(sky, cloudColour, cloudOpacity);
    return glm::clamp(sky, glm::vec3(0.0f), glm::vec3(1.0f));
}
