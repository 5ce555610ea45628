#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

// Wrought iron: 0.5 m a repeat, hammered black with rust blooming through.
Texel wroughtIronTexel(glm::vec2 uv) {
    const float hammer = cellularNoise(uv * 20.0f, 20, 151u).nearest;
    const float rust = smoothstepf(0.1f, 0.55f, tiledNoise(uv, 6, 5, 152u));
    const float flakes = tiledNoise(uv, 48, 3, 153u);
    glm::vec3 iron = glm::vec3(0.07f, 0.07f, 0.075f) * (0.9f + 0.3f * flakes);
    iron = glm::mix(iron, glm::vec3(0.28f, 0.12f, 0.05f) * (0.8f + 0.4f * flakes), rust);
    Texel t;
    t.albedo = iron;
    t.height = 0.5f - 0.3f * hammer * hammer + 0.2f * rust * flakes;
    t.gloss = 0.5f * (1.0f - rust);
    return t;
}

// Cast iron: 1 m a repeat, sooty black, pitted, with rust where the brew has spilled.
Texel castIronTexel(glm::vec2 uv) {
    const float pits = std::max(0.0f, tiledNoise(uv, 64, 2, 161u) - 0.45f);
    const float soot = tiledNoise(uv, 8, 4, 162u);
    const float rust = smoothstepf(0.35f, 0.65f, stretchedNoise(uv, {12, 3}, 4, 163u));
    glm::vec3 iron = glm::vec3(0.05f, 0.05f, 0.05f) * (1.0f + 0.4f * soot);
    iron = glm::mix(iron, glm::vec3(0.22f, 0.1f, 0.05f), 0.7f * rust);
    Texel t;
    t.albedo = iron * (1.0f - 2.0f * pits);
    t.height = 0.6f - 1.5f * pits + 0.1f * soot;
    t.gloss = 0.6f * (1.0f - rust) - pits;
    return t;
}
