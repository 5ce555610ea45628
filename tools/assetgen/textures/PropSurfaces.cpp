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
    t.gloss = 1.0f;  // the full specular value marks the flame as emitting its own light
    return t;
}

// The wisp's cold light: pale blue-white, a little uneven, all of it emitting.
Texel wispTexel(glm::vec2 uv) {
    const float swirl = tiledNoise(uv, 2, 3, 275u);
    Texel t;
    t.albedo =
        glm::mix(glm::vec3(0.45f, 0.55f, 1.0f), glm::vec3(0.75f, 0.82f, 1.0f), 0.5f + 0.5f * swirl);
    t.height = 0.5f;
    t.gloss = 1.0f;
    return t;
}

// A lantern's horn pane, mapped once: amber, the candle's flame a bright blur low in the middle,
// the horn's layers streaking the light; all of it emitting.
Texel lanternGlassTexel(glm::vec2 uv) {
    const float flame =
        std::exp(-glm::length((uv - glm::vec2(0.5f, 0.42f)) * glm::vec2(3.5f, 2.2f)));
    const float streaks = stretchedNoise(uv, {1, 12}, 3, 276u);
    Texel t;
    t.albedo = glm::vec3(0.16f, 0.08f, 0.02f) * (0.8f + 0.4f * streaks) +
               glm::vec3(0.85f, 0.55f, 0.2f) * flame * flame;
    t.height = 0.5f;
    t.gloss = 1.0f;
    return t;
}

// The hall's wallpaper, 1 m a repeat: a dark green damask faded to brown, water stains running
// down from above, mould blooms, and strips peeled back to the plaster, their edges curled and
// shadowed.
Texel agedWallpaperTexel(glm::vec2 uv) {
    const glm::vec2 motif = glm::fract(uv * glm::vec2(3.0f, 2.0f)) - 0.5f;
    const glm::vec2 m(std::abs(motif.x), motif.y);
    const float petals = glm::length(glm::vec2(m.x - 0.16f, m.y * 0.8f)) - 0.12f;
    const float stem = std::abs(m.x) + 0.3f * std::abs(m.y);
    const float figure =
        std::max(smoothstepf(0.025f, 0.0f, std::abs(petals)), smoothstepf(0.05f, 0.02f, stem));
    glm::vec3 paper = glm::vec3(0.09f, 0.11f, 0.085f);
    paper = glm::mix(paper, glm::vec3(0.17f, 0.15f, 0.09f), 0.7f * figure);
    // Faded unevenly: brown where damp got in, darker towards the (tiled) top of each drip.
    const float fade = smoothstepf(-0.3f, 0.5f, tiledNoise(uv, 2, 4, 281u));
    paper = glm::mix(paper, glm::vec3(0.13f, 0.1f, 0.07f), 0.5f * fade);
    const float streaks = smoothstepf(0.15f, 0.6f, stretchedNoise(uv, {10, 1}, 4, 282u)) *
                          smoothstepf(-0.2f, 0.4f, tiledNoise(uv, 3, 3, 283u));
    paper = glm::mix(paper, glm::vec3(0.07f, 0.05f, 0.03f), 0.75f * streaks);
    const CellularSample spores = cellularNoise(uv * 9.0f, 9, 284u);
    const float mould = (spores.id % 4u == 0u ? smoothstepf(0.45f, 0.1f, spores.nearest) : 0.0f) *
                        (0.5f + 0.5f * tiledNoise(uv, 40, 2, 285u));
    paper = glm::mix(paper, glm::vec3(0.03f, 0.04f, 0.02f), 0.8f * mould);
    paper *= 0.85f + 0.15f * tiledNoise(uv, 64, 2, 286u);
    // Peeled strips: the plaster shows through, the torn edge throws a dark rim.
    const float tear = tiledNoise(uv, 3, 5, 287u) + 0.3f * stretchedNoise(uv, {2, 8}, 3, 288u);
    const float peel = smoothstepf(0.42f, 0.46f, tear);
    const float rim = smoothstepf(0.34f, 0.42f, tear) * (1.0f - peel);
    const glm::vec3 plaster =
        glm::vec3(0.15f, 0.14f, 0.12f) * (0.8f + 0.2f * tiledNoise(uv, 32, 3, 289u));
    Texel t;
    t.albedo = glm::mix(paper * (1.0f - 0.6f * rim), plaster, peel);
    t.height = 0.6f + 0.05f * figure + 0.2f * rim - 0.4f * peel;
    t.gloss = 0.06f * (1.0f - peel);
    return t;
}

// The hall's ceiling, 2 m a repeat: the plaster gone grey-brown, blackened with soot in blooms.
Texel sootedPlasterTexel(glm::vec2 uv) {
    Texel t = plasterTexel(uv);
    const float soot = smoothstepf(-0.2f, 0.6f, tiledNoise(uv, 2, 5, 291u));
    t.albedo = glm::mix(t.albedo * 0.55f, glm::vec3(0.05f, 0.045f, 0.04f), 0.7f * soot);
    return t;
}

// The fireplace's last embers: charred logs whose cracks still glow. Every texel carries the full
// specular value, which the lighting pass reads as "emits its own colour" (all of them, so that
// the mark survives the averaging of the distant mip levels); the char, near black, emits next
// to nothing.
Texel emberBedTexel(glm::vec2 uv) {
    Texel t = charredWoodTexel(uv);
    const CellularSample cells = cellularNoise(uv * 16.0f, 16, 91u);
    const float crack = smoothstepf(0.0f, 0.08f, cells.second - cells.nearest);
    const float heat = smoothstepf(0.1f, 0.6f, tiledNoise(uv, 4, 3, 92u));
    const bool glowing = crack < 0.7f && heat > 0.2f;
    // The char between the cracks keeps a dull red heat where the bed is hottest.
    t.albedo = glowing ? glm::vec3(0.95f, 0.32f, 0.05f) * (0.6f + 0.4f * heat)
                       : glm::vec3(0.02f, 0.012f, 0.01f) + glm::vec3(0.12f, 0.02f, 0.0f) * heat;
    t.gloss = 1.0f;
    return t;
}
