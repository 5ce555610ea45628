// Runs the real renderer without console prompts and writes one frame of the flight as PNG.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <vector>

#include "CaptureOptions.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "HiddenWindow.h"
#include "OutputFrame.h"

namespace {
void usage() {
    std::fprintf(stderr,
                 "usage: murkmoor-capture [--size WxH] [--time S] [--fps N] [--warmup S] "
                 "[--out FILE] [--eye x,y,z --look x,y,z] [--set NAME=VALUE]...\n");
}

bool writeFrame(const std::string& path, const OutputFrame& frame) {
    std::vector<uint8_t> pixels;
    readOutputFrameTopDown(frame, pixels);
    return stbi_write_png(path.c_str(), frame.width, frame.height, 3, pixels.data(),
                          frame.width * 3) != 0;
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

    GLFWwindow* window = openHiddenWindow(options.width, options.height, "Murkmoor capture");
    if (!window) return 1;

    // A capture is silent: the engine goes, with its device and decoding thread.
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
    renderer.init(static_cast<float>(options.width), static_cast<float>(options.height));
    OutputFrame frame;
    if (!attachOutputFrame(renderer, frame)) {
        glfwTerminate();
        return 1;
    }
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

    flyToMoment(renderer, options.time, options.fps, options.warmup);
    glFinish();

    const bool written = writeFrame(options.out, frame);
    glfwTerminate();
    if (!written) {
        std::fprintf(stderr, "murkmoor-capture: could not write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
