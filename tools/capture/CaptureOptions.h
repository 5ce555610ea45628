#pragma once

#include <glm/glm.hpp>
#include <string>
#include <utility>
#include <vector>

// Command line of the capture tool.
struct CaptureOptions {
    int width = 320;
    int height = 192;
    double time = 0.0;
    double fps = 30.0;
    double warmup = 2.0;
    std::string out = "frame.png";
    bool placeCamera = false;
    glm::vec3 eye{0.0f};
    glm::vec3 look{0.0f, 0.0f, -1.0f};
    std::vector<std::pair<std::string, int>> switches;
};

// Parses the arguments; on a malformed one, returns false with a message in error.
bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error);
