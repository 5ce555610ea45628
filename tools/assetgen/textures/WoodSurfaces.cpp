#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

namespace {
// Grain running along u: long streaks with the odd knot.
float woodGrain(glm::vec2 uv, uint32_t seed) {
    const float rings = stretchedNoise(uv, {2, 48}, 4, seed);
    const float fine = stretchedNoise(uv, {8, 160}, 2, seed + 5u);
    return 0.5f + 0.35f * std::sin(rings * 9.0f) * 0.5f + 0.25f * fine;
}
}  // namespace

// Floorboards: 2 m a repeat, eight boards across, each row cut into one or two lengths.
Texel floorboardTexel(glm::vec2 uv) {
    const BondCell cell = bondCell(uv, 8, 2, -1.0f, 51u);
    const float grain = woodGrain(uv + glm::vec2(unitHash(cell.id, 4), 0.0f), 52u);
    const float across = std::min(cell.local.y, 1.0f - cell.local.y) * cell.size.y * 2.0f;
    const float along = std::min(cell.local.x, 1.0f - cell.local.x) * cell.size.x * 2.0f;
    const float seam = smoothstepf(0.002f, 0.006f, std::min(across, along));
    const float tone = unitHash(cell.id, 1);
    glm::vec3 wood = glm::mix(glm::vec3(0.2f, 0.12f, 0.07f), glm::vec3(0.32f, 0.2f, 0.11f), tone);
    wood *= 0.7f + 0.5f * grain;
    const float wear = smoothstepf(0.2f, 0.8f, tiledNoise(uv, 4, 4, 53u));
    wood = glm::mix(wood, glm::vec3(0.1f, 0.08f, 0.06f), 0.35f * wear);
    // Two nail heads at each board end.
    const glm::vec2 m(cell.local.x * cell.size.x * 2.0f, cell.local.y * cell.size.y * 2.0f);
    const float endX = std::min(m.x, cell.size.x * 2.0f - m.x);
    const float nail = std::min(glm::length(glm::vec2(endX - 0.03f, m.y - 0.06f)),
                                glm::length(glm::vec2(endX - 0.03f, m.y - 0.19f)));
    const float nailHead = smoothstepf(0.006f, 0.003f, nail);
    Texel t;
    t.albedo = glm::mix(wood * (0.3f + 0.7f * seam), glm::vec3(0.05f), nailHead);
    t.height = seam * (0.7f + 0.15f * grain) + 0.2f * nailHead;
    t.gloss = 0.15f + 0.25f * (1.0f - wear) * seam;
    return t;
}

// Weathered timber for beams, posts and frames: 1 m a repeat, greyed, with splits.
Texel timberTexel(glm::vec2 uv) {
    const float grain = woodGrain(uv, 61u);
    const float split = smoothstepf(0.04f, 0.0f, std::abs(stretchedNoise(uv, {1, 10}, 3, 62u)));
    glm::vec3 wood = glm::mix(glm::vec3(0.2f, 0.15f, 0.11f), glm::vec3(0.33f, 0.29f, 0.24f), grain);
    wood = glm::mix(wood, glm::vec3(0.25f, 0.25f, 0.24f),
                    0.3f * smoothstepf(0.0f, 0.6f, tiledNoise(uv, 4, 3, 63u)));
    Texel t;
    t.albedo = wood * (1.0f - 0.7f * split);
    t.height = 0.6f + 0.3f * grain - 0.5f * split;
    t.gloss = 0.1f;
    return t;
}

// Polished dark wood for furniture: 1 m a repeat.
Texel darkWoodTexel(glm::vec2 uv) {
    const float grain = woodGrain(uv, 71u);
    glm::vec3 wood =
        glm::mix(glm::vec3(0.12f, 0.05f, 0.03f), glm::vec3(0.28f, 0.13f, 0.07f), grain);
    const float dust = smoothstepf(0.3f, 0.8f, tiledNoise(uv, 6, 4, 72u));
    wood = glm::mix(wood, glm::vec3(0.3f, 0.28f, 0.25f), 0.25f * dust);
    Texel t;
    t.albedo = wood;
    t.height = 0.5f + 0.15f * grain;
    t.gloss = 0.55f * (1.0f - dust);
    return t;
}

// Bark: 1 m a repeat around and along a trunk; deep furrows running along v.
Texel barkTexel(glm::vec2 uv) {
    const float furrows = 1.0f - std::abs(stretchedNoise(uv, {10, 2}, 4, 81u));
    const float plates = tiledNoise(uv, 12, 4, 82u);
    const float ridge = smoothstepf(0.35f, 0.9f, furrows);
    glm::vec3 bark =
        glm::mix(glm::vec3(0.035f, 0.03f, 0.025f), glm::vec3(0.17f, 0.15f, 0.12f), ridge);
    bark *= 0.85f + 0.2f * plates;
    const float lichen = smoothstepf(0.45f, 0.75f, tiledNoise(uv, 6, 4, 83u)) * ridge;
    bark = glm::mix(bark, glm::vec3(0.2f, 0.23f, 0.17f), 0.5f * lichen);
    Texel t;
    t.albedo = bark;
    t.height = ridge * 0.8f + 0.15f * plates;
    t.gloss = 0.05f;
    return t;
}

// Charred logs: black, crazed into blocks, with embers glowing in the cracks.
Texel charredWoodTexel(glm::vec2 uv) {
    const CellularSample cells = cellularNoise(uv * 16.0f, 16, 91u);
    const float crack = smoothstepf(0.0f, 0.08f, cells.second - cells.nearest);
    const float heat = smoothstepf(0.1f, 0.6f, tiledNoise(uv, 4, 3, 92u));
    const glm::vec3 ember =
        glm::mix(glm::vec3(0.4f, 0.05f, 0.0f), glm::vec3(1.0f, 0.45f, 0.05f), heat);
    const glm::vec3 char_ =
        glm::vec3(0.05f, 0.045f, 0.04f) * (0.8f + 0.4f * tiledNoise(uv, 32, 3, 93u));
    Texel t;
    t.albedo = glm::mix(ember * (0.3f + 0.7f * heat), char_, crack);
    t.height = crack * 0.8f;
    t.gloss = 0.05f;
    return t;
}

// The hall's floor, 2 m a repeat: the same boards, darkened with age, grime packed into the seams,
// grey dust lying in drifts and a trodden, duller track where feet once went.
Texel wornFloorboardTexel(glm::vec2 uv) {
    Texel t = floorboardTexel(uv);
    const float seams = 1.0f - glm::clamp(t.height / 0.7f, 0.0f, 1.0f);
    const float dust = smoothstepf(0.0f, 0.7f, tiledNoise(uv, 3, 5, 301u));
    const float stain = smoothstepf(0.3f, 0.7f, tiledNoise(uv, 5, 4, 302u));
    glm::vec3 wood = t.albedo * 0.6f;
    wood = glm::mix(wood, glm::vec3(0.03f, 0.025f, 0.02f), 0.8f * seams + 0.4f * stain);
    wood = glm::mix(wood, glm::vec3(0.16f, 0.15f, 0.13f), 0.35f * dust);
    t.albedo = wood;
    t.gloss *= 0.4f * (1.0f - dust);
    return t;
}

// The rocking chair's wood, 1 m a repeat: the dark wood gone near black and dull, its polish worn
// away under grime, dust grey in the grain.
Texel blackenedWoodTexel(glm::vec2 uv) {
    Texel t = darkWoodTexel(uv);
    const float dust = smoothstepf(0.2f, 0.8f, tiledNoise(uv, 8, 4, 321u));
    t.albedo = glm::mix(t.albedo * 0.45f, glm::vec3(0.09f, 0.085f, 0.08f), 0.3f * dust);
    t.gloss = 0.03f * (1.0f - dust);
    return t;
}
