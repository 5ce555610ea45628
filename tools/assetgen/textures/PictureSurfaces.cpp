#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

// The hall rug, mapped once: a faded, dusty red field, a dark border and a diamond medallion.
Texel rugTexel(glm::vec2 uv) {
    const glm::vec2 p = glm::abs(uv - 0.5f) * 2.0f;  // 0 at the centre, 1 at the edges
    const float edge = std::max(p.x, p.y);
    const float border = smoothstepf(0.8f, 0.82f, edge) * smoothstepf(0.95f, 0.93f, edge);
    const float diamond = p.x + p.y * 1.4f;
    const float medallion = smoothstepf(0.62f, 0.6f, diamond) -
                            0.6f * smoothstepf(0.42f, 0.4f, diamond) +
                            0.8f * smoothstepf(0.2f, 0.18f, diamond);
    const float pattern = 0.5f + 0.5f * std::sin(uv.x * 120.0f) * std::sin(uv.y * 90.0f);
    glm::vec3 rug = glm::vec3(0.2f, 0.045f, 0.035f);
    rug = glm::mix(rug, glm::vec3(0.04f, 0.05f, 0.08f), border);
    rug = glm::mix(rug, glm::vec3(0.3f, 0.22f, 0.11f), glm::clamp(medallion, 0.0f, 1.0f) * 0.8f);
    rug *= 0.85f + 0.15f * pattern * border;
    const float wear = smoothstepf(0.0f, 0.6f, tiledNoise(uv, 5, 5, 231u));
    rug = glm::mix(rug, glm::vec3(0.14f, 0.12f, 0.1f), 0.55f * wear);
    const float fringe = smoothstepf(0.96f, 0.97f, p.y);
    rug = glm::mix(
        rug, glm::vec3(0.6f, 0.55f, 0.45f) * (0.6f + 0.4f * std::abs(std::sin(uv.x * 600.0f))),
        fringe);
    Texel t;
    t.albedo = rug * (0.9f + 0.1f * tiledNoise(uv, 128, 1, 232u));
    t.height = 0.5f + 0.1f * tiledNoise(uv, 128, 1, 232u);
    t.gloss = 0.02f;
    return t;
}

// The portrait above the fireplace: a pale, hollow-eyed sitter in black on a dark ground, the
// varnish crazed with age.
Texel portraitTexel(glm::vec2 uv) {
    const glm::vec2 head = (uv - glm::vec2(0.5f, 0.66f)) / glm::vec2(0.14f, 0.19f);
    const float face = smoothstepf(1.02f, 0.95f, glm::length(head));
    const glm::vec2 eyeL = (uv - glm::vec2(0.45f, 0.68f)) / glm::vec2(0.035f, 0.025f);
    const glm::vec2 eyeR = (uv - glm::vec2(0.55f, 0.68f)) / glm::vec2(0.035f, 0.025f);
    const float eyes = smoothstepf(1.0f, 0.6f, std::min(glm::length(eyeL), glm::length(eyeR)));
    const float mouth = smoothstepf(
        1.0f, 0.5f, glm::length((uv - glm::vec2(0.5f, 0.56f)) / glm::vec2(0.04f, 0.008f)));
    // Long dark hair framing the face and falling to the shoulders.
    const float hair =
        smoothstepf(1.05f, 0.95f,
                    glm::length((uv - glm::vec2(0.5f, 0.62f)) / glm::vec2(0.2f, 0.27f))) *
        smoothstepf(0.4f, 0.46f, uv.y);
    const float shoulders =
        (uv.y < 0.48f - 0.9f * std::pow(std::abs(uv.x - 0.5f), 2.0f) * 2.0f) ? 1.0f : 0.0f;
    const float collar =
        smoothstepf(0.05f, 0.03f, std::abs(uv.y - 0.47f + 0.5f * std::abs(uv.x - 0.5f))) *
        (std::abs(uv.x - 0.5f) < 0.12f ? 1.0f : 0.0f);
    glm::vec3 paint = glm::mix(glm::vec3(0.09f, 0.06f, 0.035f), glm::vec3(0.2f, 0.13f, 0.07f),
                               smoothstepf(0.8f, 0.0f, glm::length(uv - glm::vec2(0.4f, 0.75f))));
    paint = glm::mix(paint, glm::vec3(0.03f, 0.03f, 0.035f), shoulders);
    paint = glm::mix(paint, glm::vec3(0.7f, 0.68f, 0.6f), collar);
    const float shade = 0.75f + 0.25f * head.x * -1.0f;
    paint = glm::mix(paint, glm::vec3(0.05f, 0.03f, 0.03f), hair);
    paint = glm::mix(paint, glm::vec3(0.72f, 0.66f, 0.56f) * shade, face);
    paint = glm::mix(paint, glm::vec3(0.02f, 0.01f, 0.01f), face * std::max(eyes, mouth));
    const CellularSample craze = cellularNoise(uv * 30.0f, 30, 241u);
    const float crack = smoothstepf(0.05f, 0.0f, craze.second - craze.nearest);
    Texel t;
    t.albedo = paint * (1.0f - 0.35f * crack) * glm::vec3(1.0f, 0.95f, 0.8f);
    t.height = 0.5f - 0.3f * crack;
    t.gloss = 0.45f;
    return t;
}

// A row of dusty book spines, mapped along one shelf (u) and up one shelf's height (v); repeats
// in u.
Texel booksTexel(glm::vec2 uv) {
    const int slots = 40;
    const float x = uv.x * slots;
    const int slot = static_cast<int>(std::floor(x)) % slots;
    const float local = x - std::floor(x);
    const float h = 0.62f + 0.3f * hashUnit(slot, 0, 0, 251u);
    static const glm::vec3 palette[6] = {{0.3f, 0.05f, 0.04f},  {0.06f, 0.16f, 0.08f},
                                         {0.22f, 0.13f, 0.06f}, {0.05f, 0.07f, 0.18f},
                                         {0.05f, 0.05f, 0.05f}, {0.35f, 0.3f, 0.2f}};
    const glm::vec3 cover =
        palette[hashInts(slot, 1, 0, 252u) % 6u] * (0.8f + 0.4f * hashUnit(slot, 2, 0, 253u));
    const bool gap = hashUnit(slot, 3, 0, 254u) < 0.08f;
    const float spine = smoothstepf(0.0f, 0.08f, local) * smoothstepf(1.0f, 0.92f, local);
    const float band = std::max(smoothstepf(0.012f, 0.0f, std::abs(uv.y - h * 0.88f)),
                                smoothstepf(0.012f, 0.0f, std::abs(uv.y - h * 0.12f)));
    const bool book = !gap && uv.y < h && uv.y > 0.02f;
    // Decades of dust lie grey on the spines and gather thickest along their tops.
    const float dust = 0.35f + 0.4f * smoothstepf(h - 0.15f, h, uv.y);
    const glm::vec3 spineColour =
        glm::mix(cover * (0.5f + 0.5f * spine), glm::vec3(0.45f, 0.34f, 0.12f), band * spine);
    Texel t;
    t.albedo = book ? glm::mix(spineColour * 0.7f, glm::vec3(0.12f, 0.115f, 0.1f), dust)
                    : glm::vec3(0.02f, 0.015f, 0.01f);
    t.height = book ? 0.3f + 0.7f * spine : 0.0f;
    t.gloss = book ? (0.2f + 0.5f * band) * (1.0f - dust) : 0.0f;
    return t;
}
