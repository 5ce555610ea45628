#include "RobustnessSupport.h"

#include <GLFW/glfw3.h>

#include <cmath>

#include "Controls.h"
#include "Effects/Quad.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "Shell.h"
#include "StdoutCapture.h"

std::vector<SceneBox> floorAndWall() {
    return {{"Floor", {-30, -2.7f, -10}, {30, -1.7f, 40}}, {"Wall", {-6, -1.7f, 10}, {2, 3, 11}}};
}

namespace {
size_t countNonFinite(const std::vector<float>& values) {
    size_t count = 0;
    for (const float value : values) count += !std::isfinite(value);
    return count;
}
}  // namespace

std::string startRenderer(int width, int height) {
    house.meshes.clear();
    StdoutCapture capture;
    renderer.init(static_cast<float>(width), static_cast<float>(height));
    renderer.loadScene();
    return capture.finish();
}

void runFrame(float dt) {
    applyFreeFly(renderer.camera, dt);
    renderer.update(dt);
    renderer.render();
}

FrameHealth inspectFrame() {
    const Quad& scene = *renderer.fullResTarget;
    return {countNonFinite(readFramebufferRgba(0, renderer.viewportWidth, renderer.viewportHeight)),
            countNonFinite(readTextureRgba(scene.getTexture(), scene.width, scene.height))};
}

void RandomKeys::sendSome() {
    // F1 to F10, then pause, path speed and movement.
    static const int kOthers[] = {GLFW_KEY_SPACE, GLFW_KEY_U, GLFW_KEY_I, GLFW_KEY_W, GLFW_KEY_A,
                                  GLFW_KEY_S,     GLFW_KEY_D, GLFW_KEY_Q, GLFW_KEY_E};
    std::uniform_int_distribution<size_t> pick(0, 10 + sizeof(kOthers) / sizeof(kOthers[0]) - 1);
    for (int n = std::uniform_int_distribution<int>(0, 3)(engine); n > 0; --n) {
        const size_t k = pick(engine);
        const int key = k < 10 ? GLFW_KEY_F1 + static_cast<int>(k) : kOthers[k - 10];
        const int action = std::bernoulli_distribution(0.7)(engine) ? GLFW_PRESS : GLFW_RELEASE;
        onKey(nullptr, key, 0, action, 0);
    }
}

float RandomKeys::frameTime() {
    const int kind = std::uniform_int_distribution<int>(0, 9)(engine);
    if (kind == 0) return 0.0f;
    if (kind == 1) return std::uniform_real_distribution<float>(1.0f, 6.0f)(engine);
    if (kind <= 3) return std::uniform_real_distribution<float>(0.0f, 0.5f)(engine);
    return 1.0f / 60.0f;
}

void RandomKeys::moveMouse() {
    std::uniform_real_distribution<double> jump(-400.0, 400.0);
    if (std::bernoulli_distribution(0.5)(engine)) {
        cursorX += jump(engine);
        cursorY += jump(engine);
    }
    applyMouseLook(renderer.camera, cursorX, cursorY, renderer.cameraPath.active);
}
