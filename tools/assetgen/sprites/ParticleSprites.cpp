#include "sprites/ParticleSprites.h"

#include <cmath>

#include "core/Image.h"
#include "core/Noise.h"

namespace {
// Sprite position in -1..1 with y up (image rows run downwards; the loader flips them so that
// the top row is the sprite's top).
glm::vec2 spritePoint(int x, int y, int size) {
    return glm::vec2((x + 0.5f) / size * 2.0f - 1.0f, 1.0f - (y + 0.5f) / size * 2.0f);
}

// A flame tongue: a rounded base that narrows to a licking tip near the top, its sides curled by
// noise. Returns 1 inside, falling to 0 across a soft edge; `heat` gets 1 in the hot core near the
// base, 0 at the rim and the tip.
float flameTongue(glm::vec2 p, float& heat) {
    const float baseY = -0.35f;  // centre of the rounded base
    const float baseRadius = 0.5f;
    const float tipY = 0.92f;
    // Curl: the tongue sways sideways more towards the tip.
    const float rise = glm::clamp((p.y - baseY) / (tipY - baseY), 0.0f, 1.0f);
    const float sway = 0.22f * rise * fractalNoise(glm::vec2(p.y * 1.5f + 3.0f, 0.5f), 8, 3, 31u);
    const float x = p.x - sway;
    float width;
    if (p.y < baseY) {
        const float below = (baseY - p.y) / baseRadius;
        width = below < 1.0f ? baseRadius * std::sqrt(1.0f - below * below) : 0.0f;
    } else {
        width = baseRadius * std::pow(1.0f - rise, 0.8f);
    }
    const float edgeNoise = 0.08f * fractalNoise(p * 3.0f + 5.0f, 16, 3, 32u);
    // A wide soft edge: overlapping tongues melt into one another instead of showing outlines.
    const float inside = glm::clamp((width + edgeNoise - std::fabs(x)) / 0.4f, 0.0f, 1.0f);
    const float fromCore = glm::length(glm::vec2(x / 0.4f, (p.y - baseY + 0.05f) / 0.7f));
    heat = glm::clamp(1.0f - fromCore, 0.0f, 1.0f) * (1.0f - rise * 0.6f);
    return inside * inside * (3.0f - 2.0f * inside);
}

// A smoke puff: a soft disc with a noisy, billowing edge and uneven density.
glm::vec4 smokePuff(glm::vec2 p, glm::vec2 uv) {
    const float angle = std::atan2(p.y, p.x);
    const glm::vec2 ring(std::cos(angle), std::sin(angle));
    const float edge = 0.85f + 0.15f * fractalNoise(ring * 2.0f + 2.0f, 64, 3, 21u);
    const float r = glm::length(p) / edge;
    const float billow = 0.5f + 0.5f * fractalNoise(uv * 4.0f, 4, 5, 22u);
    const float density = std::pow(glm::clamp(1.0f - r, 0.0f, 1.0f), 1.5f) * (0.4f + 0.6f * billow);
    const float grey = 0.4f + 0.2f * billow;  // about the mid grey the fire shader scales
    return glm::vec4(glm::vec3(grey), glm::clamp(density, 0.0f, 1.0f));
}
}  // namespace

void writeParticleSprites(const std::string& root, int size) {
    const glm::vec3 core(1.0f, 0.8f, 0.42f);  // yellow, not white: the tone mapping keeps it
    const glm::vec3 body(1.0f, 0.45f, 0.08f);
    const glm::vec3 rim(0.8f, 0.2f, 0.03f);
    Image fire(size, size);
    Image smoke(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const glm::vec2 p = spritePoint(x, y, size);
            const glm::vec2 uv((x + 0.5f) / size, (y + 0.5f) / size);
            float heat = 0.0f;
            const float tongue = flameTongue(p, heat);
            const glm::vec3 colour = heat > 0.5f ? glm::mix(body, core, heat * 2.0f - 1.0f)
                                                 : glm::mix(rim, body, heat * 2.0f);
            // The outside of a flame is thin, its core dense.
            const float alpha = tongue * (0.75f + 0.25f * heat);
            fire.at(x, y) = glm::vec4(colour, glm::clamp(alpha, 0.0f, 1.0f));
            smoke.at(x, y) = smokePuff(p, uv);
        }
    }
    writeImage(root + "/res/particles/fire.png", fire, 4);
    writeImage(root + "/res/particles/smoke.png", smoke, 4);
}
