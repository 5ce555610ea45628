// Runs the real renderer without console prompts and writes one frame of the flight as PNG.
#include <GL/glew.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <vector>

#include "CaptureOptions.h"
#include "FlightTimeline.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "KeyPointFile.h"
#include "OutputFrame.h"
#include "ToolContext.h"

// Records nothing: a recorded path in the working folder, maybe the one being flown, stays.
const char* const keyPointFileName = nullptr;

namespace {
void usage() {
    std::fprintf(
        stderr,
        "usage: murkmoor-capture [--size WxH] [--time S | --key N] [--fps N] "
        "[--warmup S] [--out FILE] [--path FILE] [--eye x,y,z --look x,y,z] [--set NAME=VALUE]... "
        "[--headless] [--gl-info] [--view NAME] [--overlay]\n");
}

bool writeFrame(const std::string& path, const OutputFrame& frame) {
    std::vector<uint8_t> pixels;
    readOutputFrameTopDown(frame, pixels);
    return stbi_write_png(path.c_str(), frame.width, frame.height, 3, pixels.data(),
                          frame.width * 3) != 0;
}

// The moment of --key: when the flight, in steps of 1 / fps, reaches the key point.
bool keyPointMoment(CaptureOptions& options, const std::vector<KeyPoint>& keyPoints,
                    std::string& error) {
    if (options.keyPoint < 0) return true;
    const FlightTimeline timeline = traceFlight(options.fps, keyPoints);
    const auto& arrivals = timeline.keyPointArrivals;
    if (static_cast<size_t>(options.keyPoint) >= arrivals.size()) {
        error = "no key point " + std::to_string(options.keyPoint) + ": the path has " +
                std::to_string(arrivals.size()) + ", numbered from 0";
        return false;
    }
    options.time = arrivals[options.keyPoint];
    return true;
}

int fail(ToolContext& context, const std::string& message, int status) {
    closeToolContext(context);
    std::fprintf(stderr, "murkmoor-capture: %s\n", message.c_str());
    return status;
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
    std::vector<KeyPoint> keyPoints;
    if (!loadFlightKeyPoints(options.pathFile, keyPoints, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        return 1;
    }
    if (!keyPointMoment(options, keyPoints, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        usage();
        return 2;
    }

    ToolContext context;
    if (!openToolContext(options.width, options.height, "Murkmoor capture", options.headless,
                         context, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        return 1;
    }
    if (options.glInfo) {
        std::fputs(describeGlContext(context).c_str(), stdout);
        closeToolContext(context);
        return 0;
    }

    // A capture is silent: the engine goes, with its device and decoding thread.
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
    renderer.init(static_cast<float>(options.width), static_cast<float>(options.height));
    OutputFrame frame;
    if (!attachOutputFrame(renderer, frame)) return fail(context, "no frame to draw into", 1);
    renderer.loadScene();
    if (!options.pathFile.empty()) renderer.cameraPath.follow(keyPoints);
    for (const auto& [name, value] : options.switches) {
        if (!renderer.setSwitch(name, value)) return fail(context, "unknown switch " + name, 2);
    }
    renderer.view = options.view;
    overlay.visible = options.overlay;
    if (options.placeCamera) {
        renderer.cameraPath.active = false;
        renderer.camera.setLookAt(options.eye, options.look);
    }

    flyToMoment(renderer, options.time, options.fps, options.warmup);
    glFinish();

    const bool written = writeFrame(options.out, frame);
    closeToolContext(context);
    if (!written) {
        std::fprintf(stderr, "murkmoor-capture: could not write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
