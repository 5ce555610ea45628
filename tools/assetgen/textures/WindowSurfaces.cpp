#include <cmath>

#include "textures/Patterns.h"
#include "textures/Recipes.h"

namespace {
// How much of the window's wooden frame covers uv: the outer frame, a centre mullion, a transom
// and thin glazing bars.
float frameCover(glm::vec2 uv) {
    const float outer = std::min(std::min(uv.x, 1.0f - uv.x), std::min(uv.y, 1.0f - uv.y));
    const float mullion = std::abs(uv.x - 0.5f);
    const float transom = std::abs(uv.y - 0.66f);
    const float barX = std::min(std::abs(uv.x - 0.25f), std::abs(uv.x - 0.75f));
    const float barY = std::min(std::abs(uv.y - 0.36f), std::abs(uv.y - 0.85f));
    float cover = smoothstepf(0.075f, 0.065f, outer);
    cover = std::max(cover, smoothstepf(0.03f, 0.022f, mullion));
    cover = std::max(cover, smoothstepf(0.026f, 0.018f, transom));
    cover = std::max(cover, smoothstepf(0.011f, 0.006f, std::min(barX, barY)));
    return cover;
}

glm::vec3 nightGlass(glm::vec2 uv) {
    // Old glass catching the moon in a diagonal sheen, a faint warm glow from deep inside.
    const float sheen = smoothstepf(0.25f, 0.0f, std::abs(uv.x - uv.y * 0.8f - 0.1f));
    const float ripple = tiledNoise(uv, 6, 3, 261u);
    glm::vec3 glass = glm::vec3(0.05f, 0.07f, 0.09f) +
                      glm::vec3(0.12f, 0.14f, 0.18f) * sheen * (0.7f + 0.3f * ripple);
    glass += glm::vec3(0.12f, 0.06f, 0.015f) * smoothstepf(0.6f, 0.0f, uv.y);
    return glass;
}

// Lamplight behind old glass: warm, brightest low in the middle where the lamp stands, dimmer
// towards the top corners, the panes' grime catching it unevenly.
glm::vec3 lampGlass(glm::vec2 uv) {
    const float lamp =
        std::exp(-glm::length((uv - glm::vec2(0.5f, 0.3f)) * glm::vec2(1.6f, 1.2f)) * 1.5f);
    const float ripple = tiledNoise(uv, 6, 3, 265u);
    return glm::vec3(0.34f, 0.2f, 0.07f) * (0.45f + 0.55f * lamp) * (0.85f + 0.15f * ripple);
}

// A hooded figure standing against the lamplight: a head and shoulders, a body widening to the
// sill; 1 where it blocks the light.
float figureShape(glm::vec2 uv) {
    const glm::vec2 head = (uv - glm::vec2(0.5f, 0.62f)) / glm::vec2(0.12f, 0.15f);
    const float widthAt = 0.16f + 0.22f * smoothstepf(0.55f, 0.0f, uv.y);
    const float body = uv.y < 0.58f
                           ? smoothstepf(widthAt + 0.015f, widthAt - 0.015f, std::abs(uv.x - 0.5f))
                           : 0.0f;
    return std::max(smoothstepf(1.05f, 0.9f, glm::length(head)), body);
}
}  // namespace

Texel windowTexel(glm::vec2 uv, WindowPanes panes) {
    const float frame = frameCover(uv);
    const float grain = stretchedNoise(uv, {2, 40}, 3, 263u);
    const glm::vec3 wood = glm::vec3(0.14f, 0.1f, 0.07f) * (0.8f + 0.3f * grain);
    glm::vec3 glass;
    switch (panes) {
        case WindowPanes::Night:
            glass = nightGlass(uv);
            break;
        case WindowPanes::Black:
            glass = glm::vec3(0.01f, 0.01f, 0.012f);
            break;
        case WindowPanes::Lit:
        case WindowPanes::Figure:
            glass = lampGlass(uv);
            break;
    }
    // Grime gathers in the corners of every pane.
    const float grime = smoothstepf(0.2f, 0.7f, tiledNoise(uv, 5, 4, 264u));
    glass = glm::mix(glass, glm::vec3(0.07f, 0.07f, 0.05f), 0.35f * grime);
    Texel t;
    t.albedo = glm::mix(glass, wood, frame);
    t.height = frame;
    t.gloss = glm::mix(0.9f, 0.1f, frame);
    return t;
}

Texel litWindowTexel(glm::vec2 uv, WindowPanes panes) {
    Texel t = windowTexel(uv, panes);
    const float frame = frameCover(uv);
    glm::vec3 glass = t.albedo;
    if (panes == WindowPanes::Figure) glass *= 1.0f - 0.97f * figureShape(uv);
    // Emitting, the frame would glow at its own colour: it is painted nearly black.
    t.albedo = glm::mix(glass, glm::vec3(0.012f, 0.009f, 0.007f), frame);
    t.gloss = 1.0f;
    return t;
}

// From inside the dark hall the panes show the night: near black, a cold sheen of moonlight, the
// grime of years dulling them. The frame and its layout are those of the outer picture.
Texel insideWindowTexel(glm::vec2 uv) {
    Texel t = windowTexel(uv, WindowPanes::Black);
    const float frame = frameCover(uv);
    const float sheen = smoothstepf(0.3f, 0.0f, std::abs(uv.x * 0.7f - uv.y + 0.2f));
    const float grime = smoothstepf(0.0f, 0.8f, tiledNoise(uv, 4, 4, 311u));
    glm::vec3 glass = glm::vec3(0.012f, 0.016f, 0.026f) + glm::vec3(0.03f, 0.04f, 0.06f) * sheen;
    glass = glm::mix(glass, glm::vec3(0.05f, 0.045f, 0.035f), 0.5f * grime);
    t.albedo = glm::mix(glass, t.albedo * 0.6f, frame);
    t.gloss = glm::mix(0.45f * (1.0f - grime), 0.05f, frame);
    return t;
}
