#pragma once

#include <glm/glm.hpp>
#include <string>
#include <utility>
#include <vector>

#include "KeyPoint.h"

// A moment to capture: seconds into the flight, or a key point (--key), whose time is known
// once the path is.
struct CaptureMoment {
    double time = 0.0;
    int keyPoint = -1;  // with --key: the moment the camera reaches this key point
};
#include "TargetView.h"

// Command line of the capture tool.
struct CaptureOptions {
    int width = 320;
    int height = 192;
    std::vector<CaptureMoment> moments;  // as given; none: the start of the flight
    bool events = false;  // with --events: every key point that fires an event, and the last
    std::string sheet;    // with --sheet FILE: the frames side by side in one PNG as well
    double fps = 30.0;
    double warmup = -1.0;  // below 0: only the frames that the captured one depends on
    std::string out;       // the PNG, or with several moments their folder; empty: the default
    std::string pathFile;  // with --path: the key points recorded in this file, not the scene's
    bool placeCamera = false;
    glm::vec3 eye{0.0f};
    glm::vec3 look{0.0f, 0.0f, -1.0f};
    std::string settingsFile;  // with --settings FILE: its switches and parameters, before --set
    std::vector<std::pair<std::string, int>> switches;
    bool headless = false;  // EGL with no window system, even where there is a display
    bool glInfo = false;    // print what the context is and stop
    bool help = false;      // print the usage and stop
    TargetView view = TargetView::Final;  // with --view NAME: that render target, as V shows it
    bool overlay = false;                 // with --overlay: the overlay drawn over the frame
    bool showPath = false;                // with --show-path: the camera path drawn over it (P)
};

// Parses the arguments; on a malformed one, returns false with a message in error.
bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error);

// Adds the moments of --events, puts the moments in the order of the flight, which flies once
// through them all, drops a moment asked for twice, and works out the times of the --key moments
// on the path of these key points, flown in steps of 1 / fps. A start of the flight stands in for
// no moment. False with a message in error for a key point the path lacks.
bool resolveMoments(CaptureOptions& options, const std::vector<KeyPoint>& keyPoints,
                    std::string& error);

// Whether the frames go into a folder: without --out (kOutputFolder), with several moments, or
// with an --out that ends in "/" or names a folder.
bool capturesIntoFolder(const CaptureOptions& options);
// The file a moment is written to: --out, or a file of the folder named after the moment:
// "keypoint-20.png", "frame-41.5s.png", or "view-41.5s.png" for a placed camera; with --view and
// --overlay the view's name and "overlay" follow, then with --show-path "path", e.g.
// "frame-96s-normal-overlay-path.png".
std::string captureFileName(const CaptureOptions& options, const CaptureMoment& moment);
