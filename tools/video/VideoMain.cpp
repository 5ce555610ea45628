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
#include "FileReplacement.h"
#include "FlightTimeline.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "Interruption.h"
#include "KeyPointFile.h"
#include "OptionValues.h"
#include "OutputFrame.h"
#include "OutputPath.h"
#include "Progress.h"
#include "Soundtrack.h"
#include "ToolContext.h"
#include "ToolRenderer.h"
#include "ToolSettings.h"
#include "VideoOptions.h"

// Records nothing: a recorded path in the working folder, maybe the one being flown, stays.
const char* const keyPointFileName = nullptr;

namespace {
void usage(std::FILE* to) {
    std::fprintf(
        to,
        "usage: murkmoor-video [--from S] [--to S] [--size WxH] [--fps N] [--out FILE]\n"
        "                      [--path FILE] [--set NAME=VALUE]... [--warmup S] [--headless]\n"
        "                      [--help]\n"
        "Renders the flight, or a range of it, with its soundtrack into an MP4 through ffmpeg.\n"
        "  --from S, --to S  the range in seconds of the flight (the whole flight, %.1f s\n"
        "                    past its last key point)\n"
        "  --size WxH        even sides (1280x720)\n"
        "  --fps N           frames a second (30)\n"
        "  --out FILE        the MP4 (%s/murkmoor.mp4)\n"
        "  --path FILE       fly the key points recorded in FILE (the C key's filename.txt)\n"
        "  --settings FILE   switches and parameters from a settings file, before any --set\n"
        "  --set NAME=VALUE  a switch for the whole clip, one of\n"
        "%s"
        "  --warmup S        also draw the S seconds before --from frame by frame, as a check\n"
        "  --headless        EGL with no window system, even where there is a display\n",
        kRestAtEndSeconds, kOutputFolder, switchRanges(20).c_str());
}

int fail(const std::string& message) {
    std::fprintf(stderr, "murkmoor-video: %s\n", message.c_str());
    return 1;
}

// The soundtrack's files reach only ffmpeg, which would fail on them late; a missing model means
// a start before the build or outside the repository root. Both are said before anything starts.
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
                  ProgressLine& line, double& seconds) {
    const long before = stepsBefore(options);
    const long frames = frameCount(options);
    const FlightPlan plan = planFlight(renderer, 0, before, frames, options.fps, options.warmup);
    PlannedFlight flight(renderer, plan);
    if (before > 0) {
        char target[48];
        std::snprintf(target, sizeof target,
                      "Flying to %.2f s: ", static_cast<double>(before) / options.fps);
        flight.flyToFirstFrame([&](long done, long total) {
            line.show(target + std::to_string(percentDone(done, total)) + "%");
        });
    }

    std::vector<uint8_t> pixels;
    const auto start = std::chrono::steady_clock::now();
    for (long frame = 0; frame < frames; ++frame) {
        flight.drawNextFrame();
        readOutputFrameTopDown(output, pixels);
        if (!encoder.write(pixels.data(), pixels.size())) return false;
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        seconds = elapsed.count();
        line.show(progressLine(frame + 1, frames, seconds));
    }
    flight.finish();
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    VideoOptions options;
    std::string error;
    if (!parseVideoOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "murkmoor-video: %s\n", error.c_str());
        usage(stderr);
        return 2;
    }
    if (options.help) {
        usage(stdout);
        return 0;
    }
    stopCleanlyOnInterrupt("murkmoor-video");
    std::vector<KeyPoint> keyPoints;
    if (!loadFlightKeyPoints(options.pathFile, keyPoints, error)) return fail(error);
    const FlightTimeline timeline = traceFlight(options.fps, keyPoints);
    if (!resolveVideoRange(options, timeline.arrival + kRestAtEndSeconds, error)) {
        std::fprintf(stderr, "murkmoor-video: %s\n", error.c_str());
        return 2;
    }
    const std::vector<SoundCue> cues = soundtrackCues(timeline);
    if (!assetsPresent(cues, error)) return fail(error);
    if (options.out == std::string(kOutputFolder) + "/murkmoor.mp4" &&
        !makeFolderFor(options.out, error)) {
        return fail(error);
    }
    if (!outputWritable(options.out, error)) return fail(error);

    const long frames = frameCount(options);
    const double duration = static_cast<double>(frames) / options.fps;
    const SoundtrackMix mix =
        soundtrackMix(cues, static_cast<double>(stepsBefore(options)) / options.fps, duration, 1);
    // Until the video is complete, --out stays as it was.
    FileReplacement video(options.out);
    EncoderProcess encoder;
    if (!encoder.start(encoderArguments(options, mix, video.temporary()), error)) {
        return fail(error);
    }

    ToolContext context;
    if (!openToolContext(options.width, options.height, "Murkmoor video", options.headless, context,
                         error)) {
        encoder.abort();
        return fail("no OpenGL 4.3 context: " + error);
    }
    // The video carries the sound: nothing plays through the speakers.
    ProgressLine line;
    OutputFrame output;
    if (!setUpToolRenderer(options.width, options.height, output, line, error)) {
        line.end();
        closeToolContext(context);
        encoder.abort();
        return fail(error);
    }
    if (!options.pathFile.empty()) renderer.cameraPath.follow(keyPoints);
    if (!applyToolSettings(options.settingsFile, error)) {
        closeToolContext(context);
        encoder.abort();
        return fail(error);
    }
    for (const auto& [name, value] : options.switches) renderer.setSwitch(name, value);

    double seconds = 0.0;
    const bool sent = renderFrames(options, output, encoder, line, seconds);
    line.end();
    closeToolContext(context);
    const int status = encoder.finish();
    if (!sent || status != 0) {
        return fail(sent ? "ffmpeg failed (exit status " + std::to_string(status) + ")"
                         : "ffmpeg stopped reading frames (see its message above)");
    }
    if (!sceneComplete(error) || !video.commit(error)) return fail(error);
    std::printf("Wrote %s: %.2f s of video (%ld frames, %dx%d at %.6g fps) in %s, %.2f s a frame\n",
                options.out.c_str(), duration, frames, options.width, options.height, options.fps,
                clockText(seconds).c_str(), seconds / static_cast<double>(frames));
    return 0;
}
