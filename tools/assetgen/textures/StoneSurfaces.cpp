#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

// Stone wall: 2.4 m a repeat, eight courses of dressed blocks of uneven length.
Texel stoneWallTexel(glm::vec2 uv) {
    const glm::vec2 warp(tiledNoise(uv, 16, 3, 11u), tiledNoise(uv, 16, 3, 12u));
    const glm::vec2 p = uv + 0.004f * warp;
    const int rows = 8;
    const int row = (static_cast<int>(std::floor(p.y * rows)) % rows + rows) % rows;
    const int perRow = 3 + static_cast<int>(hashUnit(row, 0, 0, 13u) * 3.0f);
    const BondCell cell = bondCell(p, rows, perRow, -1.0f, 14u + static_cast<uint32_t>(row));
    const float edge = edgeDistance(cell) * 2.4f;  // metres
    const float mortar = 0.012f + 0.006f * tiledNoise(uv, 32, 2, 15u);
    const float inBlock = smoothstepf(mortar, mortar + 0.03f, edge);
    const float grain = tiledNoise(uv, 24, 5, 16u);
    const float chips = std::max(0.0f, tiledNoise(uv, 48, 3, 17u) - 0.35f);

    const float tone = unitHash(cell.id, 1);
    glm::vec3 stone =
        glm::mix(glm::vec3(0.34f, 0.33f, 0.31f), glm::vec3(0.48f, 0.46f, 0.42f), tone);
    stone = glm::mix(stone, glm::vec3(0.36f, 0.32f, 0.27f), 0.5f * unitHash(cell.id, 2));
    stone *= 0.85f + 0.25f * grain - 0.4f * chips;
    // Moss creeps along the lower edges of the blocks; grime runs down the wall.
    const float moss = smoothstepf(0.55f, 0.0f, cell.local.y) *
                       smoothstepf(0.1f, 0.5f, tiledNoise(uv, 12, 4, 18u) + 0.2f);
    stone = glm::mix(stone, glm::vec3(0.17f, 0.22f, 0.1f), 0.6f * moss);
    const float streaks = stretchedNoise(uv, {40, 3}, 3, 19u);
    stone *= 0.85f + 0.15f * streaks;
    const glm::vec3 mortarColour = glm::vec3(0.27f, 0.26f, 0.23f) * (0.9f + 0.2f * grain);

    Texel t;
    t.albedo = glm::mix(mortarColour, stone, inBlock);
    t.height = inBlock * (0.75f + 0.15f * grain - 0.3f * chips) + 0.1f * grain;
    t.gloss = 0.08f + 0.1f * inBlock * (1.0f - moss);
    return t;
}

// Brick: 1.2 m a repeat, sixteen courses of five bricks in running bond.
Texel brickTexel(glm::vec2 uv) {
    const BondCell cell = bondCell(uv, 16, 5, 0.5f, 21u);
    const float edge = edgeDistance(cell) * 1.2f;
    const float inBrick = smoothstepf(0.006f, 0.012f, edge + 0.003f * tiledNoise(uv, 40, 2, 22u));
    const float grain = tiledNoise(uv, 32, 4, 23u);
    const float tone = unitHash(cell.id, 1);
    glm::vec3 brick =
        glm::mix(glm::vec3(0.36f, 0.14f, 0.09f), glm::vec3(0.48f, 0.24f, 0.15f), tone);
    if (unitHash(cell.id, 2) < 0.15f) brick *= 0.45f;  // burnt bricks
    brick *= 0.85f + 0.2f * grain;
    const float soot = smoothstepf(0.2f, 0.7f, tiledNoise(uv, 6, 4, 24u));
    brick = glm::mix(brick, glm::vec3(0.08f, 0.07f, 0.06f), 0.4f * soot);
    Texel t;
    t.albedo = glm::mix(glm::vec3(0.3f, 0.28f, 0.25f) * (0.9f + 0.15f * grain), brick, inBrick);
    t.height = inBrick * (0.8f + 0.2f * grain);
    t.gloss = 0.1f;
    return t;
}

// Roof slates: 1.5 m a repeat, ten rows of six overlapping slates; each lower edge stands proud.
Texel roofSlateTexel(glm::vec2 uv) {
    const glm::vec2 p = uv + 0.002f * glm::vec2(tiledNoise(uv, 20, 2, 31u), 0.0f);
    const BondCell cell = bondCell(p, 10, 6, 0.5f, 32u);
    const float grain = tiledNoise(uv, 40, 4, 33u);
    const float side = std::min(cell.local.x, 1.0f - cell.local.x) * cell.size.x * 1.5f;
    const float gap = smoothstepf(0.004f, 0.009f, side);
    const bool missing = unitHash(cell.id, 3) < 0.03f;
    const float tone = unitHash(cell.id, 1);
    glm::vec3 slate =
        glm::mix(glm::vec3(0.13f, 0.14f, 0.16f), glm::vec3(0.22f, 0.22f, 0.25f), tone);
    slate = glm::mix(slate, glm::vec3(0.22f, 0.18f, 0.15f), 0.4f * unitHash(cell.id, 2));
    slate *= 0.85f + 0.2f * grain;
    const float lichen = smoothstepf(0.45f, 0.7f, tiledNoise(uv, 10, 4, 34u));
    slate = glm::mix(slate, glm::vec3(0.35f, 0.36f, 0.22f), 0.5f * lichen);
    Texel t;
    t.albedo = missing ? glm::vec3(0.05f, 0.04f, 0.035f) : slate * (0.35f + 0.65f * gap);
    t.height = missing ? 0.0f : (0.35f + 0.55f * (1.0f - cell.local.y)) * gap + 0.05f * grain;
    t.gloss = missing ? 0.0f : 0.25f + 0.15f * tone;
    return t;
}

// Weathered grave stone: 1 m a repeat, pale with lichen and dark runs.
Texel tombstoneTexel(glm::vec2 uv) {
    const float grain = tiledNoise(uv, 16, 6, 41u);
    const float pits = std::max(0.0f, tiledNoise(uv, 64, 2, 42u) - 0.4f);
    glm::vec3 stone = glm::vec3(0.5f, 0.5f, 0.48f) * (0.85f + 0.2f * grain - 0.5f * pits);
    const float lichen = smoothstepf(0.3f, 0.6f, tiledNoise(uv, 8, 5, 43u));
    stone = glm::mix(stone, glm::vec3(0.45f, 0.47f, 0.25f), 0.6f * lichen);
    const float dark = smoothstepf(0.2f, 0.7f, stretchedNoise(uv, {12, 2}, 3, 44u));
    stone = glm::mix(stone, glm::vec3(0.15f, 0.15f, 0.14f), 0.5f * dark);
    Texel t;
    t.albedo = stone;
    t.height = 0.5f + 0.3f * grain - pits + 0.2f * lichen;
    t.gloss = 0.12f;
    return t;
}

// Statue stone: 1 m a repeat, a pale limestone gone grey, green moss in patches, pale lichen
// spots and dark streaks where the rain has run down it.
Texel statueStoneTexel(glm::vec2 uv) {
    // Weathered limestone, 1 m a repeat, its marks large enough to read from across the yard:
    // grey stone gone blotchy with age, long black streaks where the rain runs down, cracks, pits,
    // and moss and yellow lichen holding to the folds.
    const float grain = tiledNoise(uv, 20, 5, 51u);
    const float blotch = tiledNoise(uv, 3, 4, 58u);
    const float pits = std::max(0.0f, tiledNoise(uv, 80, 2, 52u) - 0.45f);
    glm::vec3 stone = glm::mix(glm::vec3(0.36f, 0.36f, 0.34f), glm::vec3(0.5f, 0.49f, 0.45f),
                               smoothstepf(-0.4f, 0.5f, blotch));
    stone *= 0.86f + 0.18f * grain - 0.7f * pits;
    // Rain streaks: narrow, long, dark, denser in bands.
    const float runs = smoothstepf(0.15f, 0.55f, stretchedNoise(uv, {12, 1}, 3, 53u)) *
                       smoothstepf(-0.3f, 0.3f, tiledNoise(uv, 4, 2, 59u));
    stone = glm::mix(stone, glm::vec3(0.1f, 0.1f, 0.095f), 0.7f * runs);
    // Hairline cracks along a few edges of large cells, wandering in and out.
    const CellularSample cells = cellularNoise(uv * 4.0f, 4, 60u);
    const float crack = smoothstepf(0.025f, 0.0f, cells.second - cells.nearest) *
                        smoothstepf(0.2f, 0.45f, tiledNoise(uv, 6, 3, 61u));
    stone = glm::mix(stone, glm::vec3(0.05f), 0.8f * crack);
    const float moss = smoothstepf(0.25f, 0.55f, tiledNoise(uv, 6, 5, 54u));
    const float mossGrain = tiledNoise(uv, 96, 2, 55u);
    stone =
        glm::mix(stone, glm::vec3(0.12f, 0.19f, 0.06f) * (0.8f + 0.4f * mossGrain), 0.85f * moss);
    const float lichen = smoothstepf(0.5f, 0.65f, tiledNoise(uv, 14, 3, 56u));
    stone = glm::mix(stone, glm::vec3(0.55f, 0.5f, 0.28f), 0.6f * lichen * (1.0f - moss));
    Texel t;
    t.albedo = stone;
    t.height =
        0.5f + 0.25f * grain - pits - 0.5f * crack + 0.35f * moss * (0.6f + 0.4f * mossGrain);
    t.gloss = 0.08f * (1.0f - moss);
    return t;
}

// The inside of the statue's hood: the same stone, blackened by damp, barely catching light.
Texel statueHollowTexel(glm::vec2 uv) {
    const float grain = tiledNoise(uv, 20, 4, 57u);
    Texel t;
    t.albedo = glm::vec3(0.1f, 0.095f, 0.085f) * (0.85f + 0.3f * grain);
    t.height = 0.5f + 0.3f * grain;
    t.gloss = 0.0f;
    return t;
}
