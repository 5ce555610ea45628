#include "title/LoadingCard.h"

#include <cmath>
#include <string>

#include "core/Image.h"
#include "core/Noise.h"
#include "core/Random.h"
#include "sky/NightSky.h"
#include "title/Silhouette.h"
#include "title/StrokeFont.h"

namespace {
// The sky seen through a camera turned so that the moon stands upper right of the house.
glm::vec3 skyBehindCard(float x, float y, int width, int height) {
    const float yaw = std::atan2(kMoonDirection.x, -kMoonDirection.z) - glm::radians(28.0f);
    const float pitch = glm::radians(11.0f);
    const glm::vec3 forward(std::sin(yaw) * std::cos(pitch), std::sin(pitch),
                            -std::cos(yaw) * std::cos(pitch));
    const glm::vec3 right = glm::normalize(glm::cross(forward, glm::vec3(0.0f, 1.0f, 0.0f)));
    const glm::vec3 up = glm::cross(right, forward);
    const float tanHalf = std::tan(glm::radians(37.0f));
    const float nx = (2.0f * x / width - 1.0f) * tanHalf;
    const float ny = (1.0f - 2.0f * y / height) * tanHalf * height / width;
    return nightSkyColour(glm::normalize(forward + nx * right + ny * up));
}

// The house, tower and chimneys as seen from the road, in metres, then placed on the card.
void paintHouse(CoverageMask& mask, CoverageMask& litWindows, glm::vec2 base, float scale) {
    auto at = [&](float u, float v) { return glm::vec2(base.x + u * scale, base.y - v * scale); };
    auto rect = [&](CoverageMask& m, float u0, float v0, float u1, float v1) {
        m.rect(at(u0, v1), at(u1, v0));
    };
    rect(mask, -9.8f, -1.0f, 5.5f, 6.1f);
    mask.convex({at(-10.1f, 5.8f), at(5.8f, 5.8f), at(5.0f, 9.9f), at(-9.3f, 9.9f)});
    mask.convex({at(-3.9f, 5.6f), at(1.0f, 5.6f), at(-1.45f, 10.6f)});
    rect(mask, 2.5f, 8.5f, 3.3f, 11.4f);
    rect(mask, 2.35f, 11.4f, 3.45f, 11.7f);
    rect(mask, -4.4f, 9.0f, -3.6f, 11.0f);
    rect(mask, -9.8f, -1.0f, -7.0f, 12.2f);
    mask.convex({at(-10.3f, 12.2f), at(-6.5f, 12.2f), at(-8.4f, 17.4f)});
    mask.line(at(-8.4f, 17.2f), at(-8.4f, 18.4f), 0.06f * scale);
    rect(mask, -3.3f, -1.0f, 0.4f, 3.3f);
    for (int i = 0; i < 40; ++i) {  // iron cresting along the ridge
        const float u = -9.0f + i * 0.35f;
        mask.line(at(u, 9.9f), at(u, 10.35f), 0.035f * scale);
    }
    rect(litWindows, 2.0f, 0.9f, 3.2f, 2.6f);
    rect(litWindows, -8.8f, 6.0f, -8.0f, 7.6f);
    rect(litWindows, -5.8f, 4.0f, -4.7f, 5.3f);
}

void paintTree(CoverageMask& mask, Random& random, glm::vec2 from, float angle, float length,
               float radius, int depth) {
    const glm::vec2 to = from + length * glm::vec2(std::sin(angle), -std::cos(angle));
    mask.line(from, to, radius);
    if (depth == 0) return;
    const int children = depth > 3 ? 2 : 2 + random.below(2);
    for (int i = 0; i < children; ++i) {
        const float spread = random.range(0.35f, 0.8f) * (i % 2 == 0 ? 1.0f : -1.0f);
        paintTree(mask, random, to, angle + spread + random.range(-0.15f, 0.15f),
                  length * random.range(0.62f, 0.8f), radius * 0.68f, depth - 1);
    }
}

void paintText(CoverageMask& mask, const std::string& text, glm::vec2 origin, float size,
               float spacing, float radius, float softness = 1.0f) {
    glm::vec2 pen = origin;
    for (char c : text) {
        for (const Stroke& s : glyphStrokes(c)) {
            mask.line(pen + glm::vec2(s.from.x, -s.from.y) * size,
                      pen + glm::vec2(s.to.x, -s.to.y) * size, radius, softness);
        }
        pen.x += (kGlyphWidth + spacing) * size;
    }
}

float textWidth(const std::string& text, float size, float spacing) {
    return (text.size() * (kGlyphWidth + spacing) - spacing) * size;
}
}  // namespace

void writeLoadingCard(const std::string& root, int width, int height) {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    CoverageMask house(width, height);
    CoverageMask windows(width, height);
    CoverageMask trees(width, height);
    CoverageMask fence(width, height);
    CoverageMask title(width, height);
    CoverageMask titleGlow(width, height);
    CoverageMask loading(width, height);

    const float groundLine = 0.8f * h;
    paintHouse(house, windows, glm::vec2(0.52f * w, groundLine), 0.0175f * w);
    Random random(404u);
    paintTree(trees, random, glm::vec2(0.11f * w, groundLine + 0.02f * h), -0.08f, 0.17f * h,
              0.012f * w, 6);
    paintTree(trees, random, glm::vec2(0.86f * w, groundLine + 0.01f * h), 0.12f, 0.12f * h,
              0.008f * w, 5);
    for (float x = 4.0f; x < w; x += 0.0125f * w) {
        fence.line(glm::vec2(x, 0.99f * h), glm::vec2(x, 0.885f * h), 0.0016f * w);
        fence.convex({{x - 0.004f * w, 0.888f * h}, {x + 0.004f * w, 0.888f * h}, {x, 0.862f * h}});
    }
    fence.rect(glm::vec2(0.0f, 0.9f * h), glm::vec2(w, 0.907f * h));
    fence.rect(glm::vec2(0.0f, 0.96f * h), glm::vec2(w, 0.967f * h));

    const std::string name = "MURKMOOR";
    const float titleSize = 0.105f * h;
    const float titleLeft = 0.5f * (w - textWidth(name, titleSize, 0.32f));
    paintText(title, name, glm::vec2(titleLeft, 0.2f * h), titleSize, 0.32f, 0.0065f * h);
    paintText(titleGlow, name, glm::vec2(titleLeft, 0.2f * h), titleSize, 0.32f, 0.0f, 0.06f * h);
    const std::string wait = "LOADING...";
    const float waitSize = 0.032f * h;
    paintText(loading, wait, glm::vec2(w - textWidth(wait, waitSize, 0.5f) - 0.05f * w, 0.93f * h),
              waitSize, 0.5f, 0.0022f * h);

    Image card(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float fx = x + 0.5f;
            const float fy = y + 0.5f;
            glm::vec3 colour = skyBehindCard(fx, fy, width, height);
            const float hills =
                groundLine - 0.035f * h -
                0.03f * h * (0.5f + 0.5f * fractalNoise(glm::vec2(fx / w * 3.0f, 0.5f), 64, 4, 5u));
            const glm::vec3 hillColour(0.035f, 0.045f, 0.05f);
            colour = glm::mix(colour, hillColour, smoothstepf(hills - 1.0f, hills + 1.0f, fy));
            const float groundBlend = smoothstepf(groundLine - 2.0f, groundLine + 2.0f, fy);
            colour = glm::mix(colour, glm::vec3(0.02f, 0.025f, 0.025f), groundBlend);

            const glm::vec3 silhouette(0.008f, 0.009f, 0.012f);
            colour = glm::mix(colour, silhouette, house.at(x, y));
            colour = glm::mix(colour, glm::vec3(0.75f, 0.38f, 0.1f), windows.at(x, y));
            colour = glm::mix(colour, silhouette, trees.at(x, y));

            // Ground mist: a glowing band over the grass, torn by noise.
            const float mistBand = std::exp(-std::pow((fy - groundLine) / (0.06f * h), 2.0f));
            const float torn =
                0.5f + 0.5f * fractalNoise(glm::vec2(fx / w * 6.0f, fy / h * 14.0f), 64, 5, 6u);
            colour += glm::vec3(0.16f, 0.19f, 0.2f) * mistBand * torn;
            colour = glm::mix(colour, glm::vec3(0.0f), fence.at(x, y));

            colour += glm::vec3(0.25f, 0.32f, 0.22f) * titleGlow.at(x, y);
            colour = glm::mix(colour, glm::vec3(0.86f, 0.9f, 0.78f), title.at(x, y));
            colour = glm::mix(colour, glm::vec3(0.7f, 0.74f, 0.68f), loading.at(x, y));

            const glm::vec2 centred(fx / w - 0.5f, fy / h - 0.5f);
            colour *= 1.0f - 0.9f * glm::dot(centred, centred);
            card.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    writeImage(root + "/res/loading.jpg", card, 3);
}
