// Renders the flight, or a range of it, with the soundtrack into an MP4 video through ffmpeg.
#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "EncoderCommand.h"
#include "EncoderProcess.h"
#include "FlightTimeline.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "KeyPointFile.h"
#include "OutputFrame.h"
#include "OutputPath.h"
#include "Progress.h"
#include "Soundtrack.h"
#include "ToolContext.h"
#include "VideoOptions.h"

// Records nothing: a recorded path in the working folder, maybe the one being flown, stays.
const char* const keyPointFileName = nullptr;

namespace {
constexpr double kWarmUpSeconds = 2.0;

void usage() {
    std::fprintf(
        stderr,
        "usage: murkmoor-video [--from S] [--to S] [--size WxH] [--out FILE] [--fps N] "
        "[--path FILE] [--headless]\n"
        "  defaults: the whole flight (the scene's path), 1280x720, 30 fps, murkmoor.mp4\n");
}

int fail(const std::string& message) {
    std::fprintf(stderr, "\nmurkmoor-video: %s\n", message.c_str());
    return 1;
}

// The loaders would wait at the console for a missing file; better to stop before.
bool assetsPresent(const std::vector<SoundCue>& cues, std::string& error) {
    std::vector<std::string> files = {"res/myhouse/myhouse.obj"};
    for (const SoundCue& cue : cues) files.push_back(cue.file);
    for (const std::string& name : files) {
        if (FILE* file = std::fopen(name.c_str(), "rb")) {
            std::fclose(file);
            continue;
        }
        error = "missing " + name + " (build first, and run from the repository root)";
        return false;
    }
    return true;
}

// Flies to the first frame, then renders and sends each frame, printing progress. False when
// the encoder stopped reading.
bool renderFrames(const VideoOptions& options, const OutputFrame& output, EncoderProcess& encoder,
                  double& seconds) {
    const float dt = static_cast<float>(1.0 / options.fps);
    // Frame k shows the flight after step stepsBefore + k, the moment it is on screen in the
    // program, where the sounds of that step start.
    const long before = stepsBefore(options);
    const long frames = frameCount(options);
    const long flown = std::max(before - 1, 0L);
    const long warm = std::min(flown, std::lround(kWarmUpSeconds * options.fps));
    if (flown > 0) {
        std::printf("Flying to %.2f s (the last %.2f s drawn to warm up)\n",
                    static_cast<double>(before) / options.fps,
                    static_cast<double>(warm) / options.fps);
        std::fflush(stdout);
    }
    flyWithWarmUp(renderer, flown - warm, warm, dt);

    std::vector<uint8_t> pixels;
    const auto start = std::chrono::steady_clock::now();
    for (long frame = 0; frame < frames; ++frame) {
        // Step 0 is the flight's start: the renderer still needs its frame set-up.
        renderer.update(before + frame == 0 ? 0.0f : dt);
        renderer.render();
        readOutputFrameTopDown(output, pixels);
        if (!encoder.write(pixels.data(), pixels.size())) return false;
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        seconds = elapsed.count();
        std::printf("\r%s   ", progressLine(frame + 1, frames, seconds).c_str());
        std::fflush(stdout);
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    VideoOptions options;
    std::string error;
    if (!parseVideoOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "murkmoor-video: %s\n", error.c_str());
        usage();
        return 2;
    }
    std::vector<KeyPoint> keyPoints;
    if (!loadFlightKeyPoints(options.pathFile, keyPoints, error)) return fail(error);
    const FlightTimeline timeline = traceFlight(options.fps, keyPoints);
    if (!resolveVideoRange(options, timeline.arrival + kRestAtEndSeconds, error)) {
        std::fprintf(stderr, "murkmoor-video: %s\n", error.c_str());
        return 2;
    }
    const std::vector<SoundCue> cues = soundtrackCues(timeline);
    if (!assetsPresent(cues, error) || !outputWritable(options.out, error)) return fail(error);

    const long frames = frameCount(options);
    const double duration = static_cast<double>(frames) / options.fps;
    const SoundtrackMix mix =
        soundtrackMix(cues, static_cast<double>(stepsBefore(options)) / options.fps, duration, 1);
    EncoderProcess encoder;
    if (!encoder.start(encoderArguments(options, mix), error)) return fail(error);

    ToolContext context;
    if (!openToolContext(options.width, options.height, "Murkmoor video", options.headless, context,
                         error)) {
        encoder.abort();
        std::remove(options.out.c_str());
        return fail("no OpenGL 4.3 context: " + error);
    }
    // The video carries the sound: nothing plays through the speakers.
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
    renderer.init(static_cast<float>(options.width), static_cast<float>(options.height));
    OutputFrame output;
    const bool attached = attachOutputFrame(renderer, output);
    renderer.loadScene();
    if (!options.pathFile.empty()) renderer.cameraPath.follow(keyPoints);

    double seconds = 0.0;
    const bool sent = attached && renderFrames(options, output, encoder, seconds);
    closeToolContext(context);
    const int status = encoder.finish();
    if (!sent || status != 0) {
        std::remove(options.out.c_str());
        return fail(sent ? "ffmpeg failed (exit status " + std::to_string(status) + ")"
                         : "ffmpeg stopped reading frames (see its message above)");
    }
    std::printf(
        "\nWrote %s: %.2f s of video (%ld frames, %dx%d at %.6g fps) in %s, %.2f s a frame\n",
        options.out.c_str(), duration, frames, options.width, options.height, options.fps,
        clockText(seconds).c_str(), seconds / static_cast<double>(frames));
    return 0;
}
