#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

// Ground: 5 m a repeat; dead grass in tufts over bare, damp earth, with a few stones.
Texel groundTexel(glm::vec2 uv) {
    const float patches = tiledNoise(uv, 5, 5, 101u);
    const float grassCover = smoothstepf(-0.25f, 0.25f, patches);
    const float blades = stretchedNoise(uv, {160, 40}, 2, 102u) * 0.5f +
                         stretchedNoise(uv, {40, 170}, 2, 103u) * 0.5f;
    const float clumps = tiledNoise(uv, 40, 3, 104u);
    glm::vec3 grass = glm::mix(glm::vec3(0.16f, 0.16f, 0.07f), glm::vec3(0.3f, 0.27f, 0.13f),
                               0.5f + 0.5f * blades);
    grass = glm::mix(grass, glm::vec3(0.1f, 0.14f, 0.06f), 0.4f * smoothstepf(0.0f, 0.6f, clumps));
    glm::vec3 earth = glm::mix(glm::vec3(0.12f, 0.09f, 0.06f), glm::vec3(0.2f, 0.15f, 0.1f),
                               0.5f + 0.5f * tiledNoise(uv, 30, 4, 105u));
    const CellularSample stones = cellularNoise(uv * 60.0f, 60, 106u);
    const bool isStone = (stones.id % 29u) == 0u && stones.nearest < 0.25f;
    if (isStone) earth = glm::vec3(0.2f, 0.19f, 0.17f) * (0.8f + 0.5f * (0.25f - stones.nearest));
    Texel t;
    t.albedo = glm::mix(earth, grass, grassCover);
    t.height = grassCover * (0.5f + 0.3f * blades) +
               (isStone ? 0.4f * (0.25f - stones.nearest) / 0.25f : 0.0f) + 0.15f * clumps;
    t.gloss = 0.05f + 0.15f * (1.0f - grassCover);
    return t;
}

// Gravel: 1.5 m a repeat, about fifty pebbles across, bedded in dark grit.
Texel gravelTexel(glm::vec2 uv) {
    const glm::vec2 warp(tiledNoise(uv, 20, 2, 111u), tiledNoise(uv, 20, 2, 112u));
    const CellularSample c = cellularNoise(uv * 48.0f + 0.4f * warp, 48, 113u);
    const float border = c.second - c.nearest;
    const float dome = smoothstepf(0.0f, 0.35f, border);
    const float tone = hashUnit(static_cast<int>(c.id & 0xffff), 1, 2, 114u);
    glm::vec3 pebble =
        glm::mix(glm::vec3(0.2f, 0.19f, 0.18f), glm::vec3(0.38f, 0.36f, 0.32f), tone);
    if ((c.id % 5u) == 0u) pebble *= glm::vec3(1.05f, 0.9f, 0.8f);
    pebble *= 0.85f + 0.2f * tiledNoise(uv, 96, 2, 115u);
    const glm::vec3 grit(0.09f, 0.08f, 0.07f);
    Texel t;
    t.albedo = glm::mix(grit, pebble, smoothstepf(0.02f, 0.12f, border));
    t.height = dome;
    t.gloss = 0.1f + 0.25f * dome;
    return t;
}

// Road mud: 4 m a repeat, two wheel ruts along u, puddles in them.
Texel mudTexel(glm::vec2 uv) {
    const float ruts = std::cos(uv.y * 6.2831853f * 2.0f) * 0.5f + 0.5f;
    const float lumps = tiledNoise(uv, 16, 5, 121u);
    const float height = 0.5f * ruts + 0.25f * lumps + 0.1f * stretchedNoise(uv, {2, 30}, 3, 122u);
    const float wet = smoothstepf(0.35f, 0.2f, height);
    glm::vec3 mud = glm::mix(glm::vec3(0.1f, 0.08f, 0.055f), glm::vec3(0.2f, 0.16f, 0.11f),
                             0.5f + 0.5f * lumps);
    mud = glm::mix(mud, glm::vec3(0.05f, 0.05f, 0.05f), 0.7f * wet);
    Texel t;
    t.albedo = mud;
    t.height = std::max(height, 0.2f);
    t.gloss = 0.1f + 0.7f * wet;
    return t;
}

// Ceiling plaster: 2 m a repeat, grey and stained, hairline cracks.
Texel plasterTexel(glm::vec2 uv) {
    const float base = tiledNoise(uv, 8, 5, 131u);
    const CellularSample c =
        cellularNoise(uv * 5.0f + 0.3f * glm::vec2(tiledNoise(uv, 10, 3, 132u)), 5, 133u);
    const float crack = smoothstepf(0.015f, 0.0f, c.second - c.nearest) *
                        smoothstepf(0.1f, 0.4f, tiledNoise(uv, 6, 3, 134u));
    const float stain = smoothstepf(0.2f, 0.6f, tiledNoise(uv, 3, 4, 135u));
    glm::vec3 plaster = glm::vec3(0.5f, 0.49f, 0.45f) * (0.92f + 0.1f * base);
    plaster = glm::mix(plaster, glm::vec3(0.33f, 0.28f, 0.2f), 0.5f * stain);
    Texel t;
    t.albedo = plaster * (1.0f - 0.6f * crack);
    t.height = 0.5f + 0.1f * base - 0.4f * crack;
    t.gloss = 0.05f;
    return t;
}

// Faded damask wallpaper for the hall: 1 m a repeat, stained, peeling to plaster in places.
Texel wallpaperTexel(glm::vec2 uv) {
    const glm::vec2 motif = glm::fract(uv * glm::vec2(4.0f, 3.0f)) - 0.5f;
    const glm::vec2 m(std::abs(motif.x), motif.y);
    // A lily-like figure: a diamond body with curled leaves on its sides.
    const float body = std::abs(m.x) * 1.6f + std::abs(m.y + 0.05f);
    const float leaf = glm::length(glm::vec2(m.x - 0.22f, m.y + 0.15f)) - 0.1f;
    const float figure = std::max(smoothstepf(0.32f, 0.28f, body) - smoothstepf(0.2f, 0.16f, body),
                                  smoothstepf(0.03f, 0.0f, std::abs(leaf)));
    const float stripe = smoothstepf(0.485f, 0.5f, std::abs(motif.x));
    glm::vec3 paper = glm::vec3(0.2f, 0.25f, 0.2f);
    paper = glm::mix(paper, glm::vec3(0.33f, 0.34f, 0.27f), figure * 0.8f);
    paper = glm::mix(paper, glm::vec3(0.14f, 0.16f, 0.13f), stripe);
    const float stain = smoothstepf(0.1f, 0.7f, tiledNoise(uv, 3, 5, 141u)) *
                        (0.6f + 0.4f * stretchedNoise(uv, {14, 2}, 3, 142u));
    paper = glm::mix(paper, glm::vec3(0.2f, 0.15f, 0.08f), 0.6f * stain);
    const float peel = smoothstepf(0.5f, 0.56f, tiledNoise(uv, 4, 5, 143u));
    const Texel under = plasterTexel(uv);
    Texel t;
    t.albedo = glm::mix(paper * (0.9f + 0.1f * tiledNoise(uv, 64, 2, 144u)), under.albedo, peel);
    t.height = 0.6f + 0.1f * figure - 0.4f * peel;
    t.gloss = 0.08f + 0.1f * figure * (1.0f - peel);
    return t;
}
