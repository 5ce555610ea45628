#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

// Bone: 0.5 m a repeat, ivory with brown stains and fine pores.
Texel boneTexel(glm::vec2 uv) {
    const float pores = tiledNoise(uv, 64, 2, 171u);
    const float stain = smoothstepf(0.1f, 0.6f, tiledNoise(uv, 4, 4, 172u));
    glm::vec3 bone = glm::vec3(0.8f, 0.76f, 0.64f) * (0.92f + 0.08f * pores);
    bone = glm::mix(bone, glm::vec3(0.45f, 0.36f, 0.22f), 0.6f * stain);
    Texel t;
    t.albedo = bone;
    t.height = 0.5f + 0.2f * pores;
    t.gloss = 0.3f;
    return t;
}

// Sacking: 0.5 m a repeat, coarse over-and-under weave.
Texel sackingTexel(glm::vec2 uv) {
    const float warp = std::sin(uv.x * 6.2831853f * 80.0f);
    const float weft = std::sin(uv.y * 6.2831853f * 80.0f);
    const float over =
        std::sin(uv.x * 6.2831853f * 40.0f) * std::sin(uv.y * 6.2831853f * 40.0f) > 0.0f ? 1.0f
                                                                                         : 0.0f;
    const float thread = glm::mix(std::abs(weft), std::abs(warp), over);
    const float dirt = tiledNoise(uv, 6, 4, 181u);
    Texel t;
    t.albedo = glm::vec3(0.42f, 0.33f, 0.2f) * (0.6f + 0.4f * thread) * (0.85f + 0.2f * dirt);
    t.height = thread;
    t.gloss = 0.03f;
    return t;
}

// Straw: 0.5 m a repeat, pale strands along v.
Texel strawTexel(glm::vec2 uv) {
    const float strands = stretchedNoise(uv, {90, 4}, 3, 191u);
    const float dark = smoothstepf(0.3f, 0.7f, tiledNoise(uv, 8, 3, 192u));
    Texel t;
    t.albedo = glm::mix(glm::vec3(0.42f, 0.33f, 0.14f), glm::vec3(0.68f, 0.56f, 0.3f),
                        0.5f + 0.5f * strands) *
               (1.0f - 0.4f * dark);
    t.height = 0.5f + 0.5f * strands;
    t.gloss = 0.1f;
    return t;
}

// Pumpkin skin: 1 m a repeat, ribs along v with darker grooves.
Texel pumpkinTexel(glm::vec2 uv) {
    const float ribs = std::abs(std::sin(uv.x * 3.14159265f * 8.0f));
    const float blotch = tiledNoise(uv, 10, 4, 201u);
    glm::vec3 skin =
        glm::mix(glm::vec3(0.45f, 0.16f, 0.02f), glm::vec3(0.85f, 0.4f, 0.06f), std::sqrt(ribs));
    skin *= 0.85f + 0.2f * blotch;
    Texel t;
    t.albedo = skin;
    t.height = std::sqrt(ribs);
    t.gloss = 0.35f;
    return t;
}

// Candle wax: 0.25 m a repeat, creamy with drips.
Texel waxTexel(glm::vec2 uv) {
    const float drips = stretchedNoise(uv, {12, 2}, 3, 211u);
    Texel t;
    t.albedo = glm::vec3(0.85f, 0.8f, 0.66f) * (0.9f + 0.1f * drips);
    t.height = 0.5f + 0.3f * drips;
    t.gloss = 0.4f;
    return t;
}

// The brew's surface, mapped once across the cauldron's mouth: sickly green with bubbles.
Texel brewTexel(glm::vec2 uv) {
    const glm::vec2 p = uv - 0.5f;
    const float swirl =
        tiledNoise(uv + 0.1f * glm::vec2(std::sin(p.y * 9.0f), std::cos(p.x * 9.0f)), 4, 5, 221u);
    const CellularSample bubbles = cellularNoise(uv * 14.0f, 14, 222u);
    const float bubble = (bubbles.id % 3u == 0u) ? smoothstepf(0.3f, 0.22f, bubbles.nearest) : 0.0f;
    const float rim = smoothstepf(0.28f, 0.5f, glm::length(p));
    glm::vec3 brew = glm::mix(glm::vec3(0.12f, 0.4f, 0.05f), glm::vec3(0.45f, 0.85f, 0.15f),
                              0.5f + 0.5f * swirl);
    brew = glm::mix(brew, glm::vec3(0.7f, 1.0f, 0.4f), 0.6f * bubble);
    brew *= 1.0f - 0.5f * rim;
    Texel t;
    t.albedo = brew;
    t.height = 0.4f + 0.3f * swirl + 0.5f * bubble;
    t.gloss = 0.8f;
    return t;
}

// Flame: 0.1 m a repeat, glowing yellow-orange all over, since flames are small solids whose
// texture coordinates run around them.
Texel flameTexel(glm::vec2 uv) {
    const float flicker = tiledNoise(uv, 8, 3, 271u);
    Texel t;
    t.albedo = glm::mix(glm::vec3(1.0f, 0.55f, 0.12f), glm::vec3(1.0f, 0.92f, 0.6f),
                        0.5f + 0.5f * flicker);
    t.height = 0.5f;
    t.gloss = 0.0f;
    return t;
}
