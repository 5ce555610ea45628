// Runs the real renderer without console prompts and writes one frame of the flight as PNG.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "CaptureOptions.h"
#include "Globals.h"

namespace {
void usage() {
    std::fprintf(stderr,
                 "usage: murkmoor-capture [--size WxH] [--time S] [--fps N] [--warmup S] "
                 "[--out FILE] [--eye x,y,z --look x,y,z] [--set NAME=VALUE]...\n");
}

bool writeBackBuffer(const std::string& path, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    stbi_flip_vertically_on_write(1);  // GL's first row is the bottom one
    return stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
}
}  // namespace

int main(int argc, char** argv) {
    CaptureOptions options;
    std::string error;
    if (!parseCaptureOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        usage();
        return 2;
    }

    glfwSetErrorCallback([](int code, const char* description) {
        std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
    });
    if (!glfwInit()) return 1;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window =
        glfwCreateWindow(options.width, options.height, "Murkmoor capture", nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        return 1;
    }

    soundEngine = nullptr;  // a capture is silent
    renderer.init(static_cast<float>(options.width), static_cast<float>(options.height));
    renderer.loadScene();
    for (const auto& [name, value] : options.switches) {
        if (!renderer.setSwitch(name, value)) {
            std::fprintf(stderr, "murkmoor-capture: unknown switch %s\n", name.c_str());
            glfwTerminate();
            return 2;
        }
    }
    if (options.placeCamera) {
        renderer.cameraPath.active = false;
        renderer.camera.setLookAt(options.eye, options.look);
    }

    const float dt = static_cast<float>(1.0 / options.fps);
    const long frames = std::lround(options.time * options.fps);
    const long rendered = std::clamp(std::lround(options.warmup * options.fps), 1L,
                                     std::max(frames, 1L));
    // Before the warm-up the flight and the animated meshes advance alone: the simulations are
    // held off, as their keys would hold them, since they cost the same at any size.
    int* const simulations[3] = {&renderer.doSmoke, &renderer.doFire, &renderer.doRain};
    int saved[3];
    for (int i = 0; i < 3; ++i) saved[i] = *simulations[i];
    for (int i = 0; i < 3; ++i) *simulations[i] = 0;
    for (long frame = 0; frame < frames - rendered; ++frame) renderer.update(dt);
    for (int i = 0; i < 3; ++i) *simulations[i] = saved[i];
    const long warmFrames = std::min(frames, rendered);
    for (long frame = 0; frame < warmFrames; ++frame) {
        renderer.update(dt);
        renderer.render();
    }
    if (warmFrames == 0) {
        renderer.update(0.0f);
        renderer.render();
    }
    glFinish();

    const bool written = writeBackBuffer(options.out, options.width, options.height);
    glfwTerminate();
    if (!written) {
        std::fprintf(stderr, "murkmoor-capture: could not write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
