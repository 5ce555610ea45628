#include "RobustnessSupport.h"

#include <GLFW/glfw3.h>
#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

#include "Controls.h"
#include "Effects/Quad.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "Shell.h"
#include "StdoutCapture.h"

std::vector<SceneBox> floorAndWall() {
    return {{"Floor", {-30, -2.7f, -10}, {30, -1.7f, 40}}, {"Wall", {-6, -1.7f, 10}, {2, 3, 11}}};
}

size_t countNonFinite(const std::vector<float>& values) {
    size_t count = 0;
    for (const float value : values) count += !std::isfinite(value);
    return count;
}

size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

size_t heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

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
    FrameHealth health;
    health.nonFiniteWindow =
        countNonFinite(readWindowRgba(renderer.viewportWidth, renderer.viewportHeight));
    const Quad& scene = *renderer.fullResTarget;
    health.nonFiniteScene =
        countNonFinite(readTextureRgba(scene.getTexture(), scene.width, scene.height));
    return health;
}

void RandomKeys::sendOne() {
    static const int kKeys[] = {GLFW_KEY_F1,    GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4, GLFW_KEY_F5,
                                GLFW_KEY_F6,    GLFW_KEY_F7, GLFW_KEY_F8, GLFW_KEY_F9, GLFW_KEY_F10,
                                GLFW_KEY_SPACE, GLFW_KEY_U,  GLFW_KEY_I,  GLFW_KEY_W,  GLFW_KEY_A,
                                GLFW_KEY_S,     GLFW_KEY_D,  GLFW_KEY_Q,  GLFW_KEY_E};
    std::uniform_int_distribution<size_t> pick(0, sizeof(kKeys) / sizeof(kKeys[0]) - 1);
    const int key = kKeys[pick(engine)];
    const int action = std::bernoulli_distribution(0.7)(engine) ? GLFW_PRESS : GLFW_RELEASE;
    onKey(nullptr, key, 0, action, 0);
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
    applyMouseLook(renderer.camera, cursorX, cursorY);
}
