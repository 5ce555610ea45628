// Runs the real renderer without console prompts and writes one frame of the flight as PNG.
#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "CameraPath.h"
#include "CaptureOptions.h"
#include "ContactSheet.h"
#include "FileReplacement.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "Interruption.h"
#include "KeyPointFile.h"
#include "OptionValues.h"
#include "OutputFrame.h"
#include "OutputPath.h"
#include "Progress.h"
#include "ToolContext.h"
#include "ToolRenderer.h"
#include "ToolSettings.h"

// Records nothing: a recorded path in the working folder, maybe the one being flown, stays.
const char* const keyPointFileName = nullptr;

namespace {
// Frames a row on the contact sheet of --sheet, each at half its size.
constexpr int kSheetColumns = 4;
// Seconds drawn before each moment with --overlay (unless --warmup says otherwise), so that its
// frame times, graph and pass times have frames to show: the pass times arrive two frames late.
constexpr double kOverlayWarmUpSeconds = 0.5;

// The names of the views, in lines that start with `indent` spaces, for the usage.
std::string viewNames(size_t indent) {
    std::string text = std::string(indent, ' ');
    size_t lineStart = 0;
    for (int i = 0; i < kTargetViewCount; ++i) {
        const std::string name = viewName(static_cast<TargetView>(i));
        if (text.size() - lineStart + name.size() + 2 > 90) {
            text += "\n";
            lineStart = text.size();
            text += std::string(indent, ' ');
        } else if (i > 0) {
            text += " ";
        }
        text += name;
    }
    return text + "\n";
}

void usage(std::FILE* to) {
    std::fprintf(
        to,
        "usage: murkmoor-capture [--size WxH] [--time S | --key N]... [--events] [--fps N]\n"
        "                        [--warmup S] [--out FILE] [--sheet FILE] [--path FILE]\n"
        "                        [--eye x,y,z --look x,y,z]\n"
        "                        [--set NAME=VALUE]... [--view NAME] [--overlay] [--show-path]\n"
        "                        [--headless] [--gl-info] [--help]\n"
        "Renders moments of the flight with the real renderer and writes each as PNG.\n"
        "  --size WxH        picture size (320x192)\n"
        "  --time S          a moment, seconds into the flight (none: 0)\n"
        "  --key N           the moment the camera reaches key point N; --time and --key\n"
        "                    repeat, in any order, for several frames of one flight\n"
        "  --events          every key point that fires an event (a sound, the rain, the\n"
        "                    window's pictures), and the last one\n"
        "  --fps N           steps a second the flight is flown in (30)\n"
        "  --warmup S        also draw the last S seconds frame by frame, as a check: the\n"
        "                    frame is the same without, which draws only what it depends on\n"
        "  --out FILE        the PNG; with several moments, or ending in /, their folder\n"
        "                    (%s/, each named keypoint-NN.png, or frame-Ss.png)\n"
        "  --sheet FILE      also the frames side by side, at half size, four to a row\n"
        "  --path FILE       fly the key points recorded in FILE (the C key's filename.txt)\n"
        "  --eye, --look     hold the path and place the camera at eye, looking at look\n"
        "  --settings FILE   switches and parameters from a settings file (the program's\n"
        "                    murkmoor-settings.ini), before any --set\n"
        "  --set NAME=VALUE  a switch before the first frame, one of\n"
        "%s"
        "  --view NAME       a render target instead of the final frame, as V shows it:\n"
        "%s"
        "  --overlay         the overlay (the H key's) drawn over the frame, with the last\n"
        "                    0.5 s drawn before it (or --warmup's) for its times\n"
        "  --show-path       the camera path drawn over the frame, as P shows it\n"
        "  --headless        EGL with no window system, even where there is a display\n"
        "  --gl-info         print the OpenGL vendor, renderer, version and context, and stop\n",
        kOutputFolder, switchRanges(20).c_str(), viewNames(20).c_str());
}

// Reads the frame and writes it as PNG; the picture stays in `picture` for a contact sheet.
bool writeFrame(FileReplacement& file, const OutputFrame& frame, RgbImage& picture,
                std::string& error) {
    picture.width = frame.width;
    picture.height = frame.height;
    readOutputFrameTopDown(frame, picture.pixels);
    if (!saveRgbImage(file.temporary(), picture)) {
        error = "could not write " + file.target();
        return false;
    }
    return file.commit(error);
}

// "key point 20 at 41.23 s", "41.23 s", or "the placed camera at 41.23 s".
std::string momentText(const CaptureOptions& options, const CaptureMoment& moment) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f s", moment.time);
    if (moment.keyPoint >= 0) return "key point " + std::to_string(moment.keyPoint) + " at " + text;
    return options.placeCamera ? std::string("the placed camera at ") + text : std::string(text);
}

int fail(ToolContext& context, ProgressLine& progress, const std::string& message, int status) {
    closeToolContext(context);
    progress.end();
    std::fprintf(stderr, "murkmoor-capture: %s\n", message.c_str());
    return status;
}
}  // namespace

int main(int argc, char** argv) {
    CaptureOptions options;
    std::string error;
    if (!parseCaptureOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        usage(stderr);
        return 2;
    }
    if (options.help) {
        usage(stdout);
        return 0;
    }
    stopCleanlyOnInterrupt("murkmoor-capture");
    std::vector<KeyPoint> keyPoints;
    if (!loadFlightKeyPoints(options.pathFile, keyPoints, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        return 1;
    }
    if (!resolveMoments(options, keyPoints, error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        usage(stderr);
        return 2;
    }
    if (!options.glInfo && capturesIntoFolder(options) &&
        !makeFolderFor(captureFileName(options, options.moments.front()), error)) {
        std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
        return 1;
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

    ProgressLine progress;
    OutputFrame frame;
    if (!setUpToolRenderer(options.width, options.height, frame, progress, error)) {
        return fail(context, progress, error, 1);
    }
    if (!options.pathFile.empty()) renderer.cameraPath.follow(keyPoints);
    if (!applyToolSettings(options.settingsFile, error)) return fail(context, progress, error, 2);
    for (const auto& [name, value] : options.switches) {
        if (!renderer.setSwitch(name, value)) {
            return fail(context, progress, "unknown switch " + name, 2);
        }
    }
    renderer.view = options.view;
    overlay.visible = options.overlay;
    overlay.path.shown = options.showPath;
    // The overlay shows the times of the frames drawn before the captured one: give it some.
    const double warmUp =
        options.overlay && options.warmup < 0.0 ? kOverlayWarmUpSeconds : options.warmup;
    if (options.placeCamera) {
        renderer.cameraPath.active = false;
        renderer.camera.setLookAt(options.eye, options.look);
    }

    long flown = 0;
    std::vector<RgbImage> pictures;
    for (size_t i = 0; i < options.moments.size(); ++i) {
        const CaptureMoment& moment = options.moments[i];
        const std::string text = momentText(options, moment);
        const std::string count = options.moments.size() > 1
                                      ? " (" + std::to_string(i + 1) + " of " +
                                            std::to_string(options.moments.size()) + ")"
                                      : "";
        // Made before the flight, so that a stop on the way says which file it leaves as it was.
        FileReplacement file(captureFileName(options, moment));
        const FlightPlan plan = planFlight(renderer, flown, std::lround(moment.time * options.fps),
                                           1, options.fps, warmUp);
        PlannedFlight flight(renderer, plan);
        flight.flyToFirstFrame([&](long done, long total) {
            progress.show("Flying to " + text + count + ": " +
                          std::to_string(percentDone(done, total)) + "%");
        });
        progress.show("Drawing " + text + count);
        flight.drawNextFrame();
        flight.finish();
        flown = plan.lastFrameStep();

        pictures.emplace_back();
        if (!sceneComplete(error) || !writeFrame(file, frame, pictures.back(), error)) {
            return fail(context, progress, error, 1);
        }
        progress.show("Wrote " + file.target() + ": " + std::to_string(options.width) + "x" +
                      std::to_string(options.height) + ", " + text + ", in " +
                      durationText(progress.seconds()));
        if (options.moments.size() > 1) progress.end();
    }
    progress.end();
    closeToolContext(context);
    if (!options.sheet.empty()) {
        const RgbImage sheet = contactSheet(pictures, kSheetColumns);
        const auto write = [&](const std::string& file) { return saveRgbImage(file, sheet); };
        if (!makeFolderFor(options.sheet, error) ||
            !writeFileReplacing(options.sheet, write, error)) {
            std::fprintf(stderr, "murkmoor-capture: %s\n", error.c_str());
            return 1;
        }
        std::printf("Wrote %s: the %zu frames side by side\n", options.sheet.c_str(),
                    pictures.size());
    }
    return 0;
}
