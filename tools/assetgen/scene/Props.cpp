#include "scene/Props.h"

#include "scene/Part.h"

void addCandle(SceneModel& scene, glm::vec3 base, float height, float radius) {
    Part wax = part(scene, "candles", mat::kWax);
    const glm::vec3 top = base + glm::vec3(0, height, 0);
    addTube(wax.mesh, base, top, radius, radius * 0.92f, 8, wax.repeat, true, false, true);
    Part flame = part(scene, "candle_flames", mat::kFlame);
    addLathe(flame.mesh, top + glm::vec3(0, 0.008f, 0),
             {{0.0f, 0.0f}, {radius * 0.45f, 0.012f}, {radius * 0.5f, 0.025f}, {0.0f, 0.07f}}, 6,
             flame.repeat);
}

glm::vec3 addOpenLantern(SceneModel& scene, const char* ironObject, glm::vec3 light, float size) {
    Part iron = part(scene, ironObject, mat::kWroughtIron);
    const float h = size * 0.5f;
    const float bottom = light.y - size * 0.75f;
    const float top = light.y + size * 0.6f;
    addBox(iron.mesh, {light.x - h, bottom - 0.03f, light.z - h},
           {light.x + h, bottom, light.z + h}, iron.repeat);
    const float post = 0.012f;
    for (int i = 0; i < 4; ++i) {
        const float sx = (i & 1) ? 1.0f : -1.0f;
        const float sz = (i & 2) ? 1.0f : -1.0f;
        const glm::vec3 c(light.x + sx * (h - post), 0.0f, light.z + sz * (h - post));
        addBox(iron.mesh, {c.x - post, bottom, c.z - post}, {c.x + post, top, c.z + post},
               iron.repeat, kAllFaces & ~(kFaceNegY | kFacePosY));
    }
    addBox(iron.mesh, {light.x - h - 0.02f, top, light.z - h - 0.02f},
           {light.x + h + 0.02f, top + 0.03f, light.z + h + 0.02f}, iron.repeat);
    const glm::vec3 apex(light.x, top + 0.03f + size * 0.45f, light.z);
    addPyramidSides(iron.mesh,
                    {{light.x - h, top + 0.03f, light.z + h},
                     {light.x + h, top + 0.03f, light.z + h},
                     {light.x + h, top + 0.03f, light.z - h},
                     {light.x - h, top + 0.03f, light.z - h}},
                    apex, iron.repeat);
    addCandle(scene, {light.x, bottom, light.z}, light.y - bottom - 0.03f, 0.03f);
    // Horn panes between the posts, glowing with the candle behind them (the picture has its
    // flame in the middle of each pane).
    Part glass = part(scene, "lantern_panes", mat::kLanternGlass);
    const float inset = h - post;
    const glm::vec3 centre(light.x, 0.0f, light.z);
    const glm::vec3 outward[4] = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-1, 0, 0}};
    for (const glm::vec3& n : outward) {
        const glm::vec3 side(n.z, 0.0f, -n.x);  // along the pane, left to right seen from outside
        const glm::vec3 face = centre + n * inset;
        const glm::vec3 corners[4] = {face - side * inset + glm::vec3(0, bottom, 0),
                                      face + side * inset + glm::vec3(0, bottom, 0),
                                      face + side * inset + glm::vec3(0, top, 0),
                                      face - side * inset + glm::vec3(0, top, 0)};
        const glm::vec2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        glass.mesh.addMappedQuad(corners, uvs, n);
    }
    return apex;
}
