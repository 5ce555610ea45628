#include "sprites/ParticleSprites.h"

#include <cmath>

#include "core/Image.h"
#include "core/Noise.h"

namespace {
// Distance from the sprite centre in units of its radius, and a noise-wobbled edge so that the
// particles do not look like perfect discs.
float radialFalloff(int x, int y, int size, float wobble, uint32_t seed) {
    const glm::vec2 p((x + 0.5f) / size * 2.0f - 1.0f, (y + 0.5f) / size * 2.0f - 1.0f);
    const float angle = std::atan2(p.y, p.x);
    const glm::vec2 ring(std::cos(angle), std::sin(angle));
    const float edge = 1.0f + wobble * fractalNoise(ring * 2.0f + 2.0f, 64, 3, seed);
    return glm::length(p) / (0.92f * edge);
}
}  // namespace

void writeParticleSprites(const std::string& root, int size) {
    Image fire(size, size);
    Image smoke(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const glm::vec2 uv((x + 0.5f) / size, (y + 0.5f) / size);

            const float r = radialFalloff(x, y, size, 0.08f, 11u);
            const float core = std::exp(-r * r * 9.0f);
            const float body = glm::clamp(1.0f - r, 0.0f, 1.0f);
            const float flicker = 0.85f + 0.15f * fractalNoise(uv * 8.0f, 8, 4, 12u);
            const glm::vec3 hot(1.0f, 0.93f, 0.7f);
            const glm::vec3 warm(1.0f, 0.55f, 0.12f);
            const glm::vec3 colour = glm::mix(warm, hot, core);
            const float alpha = std::pow(body, 1.6f) * flicker;
            fire.at(x, y) = glm::vec4(colour, glm::clamp(alpha, 0.0f, 1.0f));

            const float rs = radialFalloff(x, y, size, 0.18f, 21u);
            const float puff = 0.55f + 0.45f * fractalNoise(uv * 5.0f, 5, 5, 22u);
            const float density = std::pow(glm::clamp(1.0f - rs, 0.0f, 1.0f), 1.3f) * puff;
            const float shade = 0.55f + 0.25f * puff;
            smoke.at(x, y) = glm::vec4(glm::vec3(shade), glm::clamp(density, 0.0f, 1.0f));
        }
    }
    writeImage(root + "/res/particles/fire.png", fire, 4);
    writeImage(root + "/res/particles/smoke.png", smoke, 4);
}
