#pragma once

#include <glm/glm.hpp>
#include <string>
#include <utility>
#include <vector>

#include "TargetView.h"

// Command line of the capture tool.
struct CaptureOptions {
    int width = 320;
    int height = 192;
    double time = 0.0;
    int keyPoint = -1;  // with --key: the frame at the moment the camera reaches this key point
    double fps = 30.0;
    double warmup = 2.0;
    std::string out = "frame.png";
    std::string pathFile;  // with --path: the key points recorded in this file, not the scene's
    bool placeCamera = false;
    glm::vec3 eye{0.0f};
    glm::vec3 look{0.0f, 0.0f, -1.0f};
    std::vector<std::pair<std::string, int>> switches;
    bool headless = false;  // EGL with no window system, even where there is a display
    bool glInfo = false;    // print what the context is and stop
    TargetView view = TargetView::Final;  // with --view NAME: that render target, as V shows it
    bool overlay = false;                 // with --overlay: the overlay drawn over the frame
};

// Parses the arguments; on a malformed one, returns false with a message in error.
bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error);
