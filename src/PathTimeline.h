#pragma once

#include <vector>

class CameraPath;

// The flight laid out along a line, in seconds at the speed the path starts with: when each key
// point is reached and which of them fire an event, and where the camera is now. Measured by
// distance, so a changed speed moves the camera along the same line.
struct PathTimeline {
    std::vector<double> keyPointSeconds;
    std::vector<bool> firesEvent;
    double nowSeconds = 0.0;

    double lengthSeconds() const { return keyPointSeconds.empty() ? 0.0 : keyPointSeconds.back(); }
};

// Lays the path out into `timeline`, whose lists keep their memory from one frame to the next.
void layOutPath(const CameraPath& path, PathTimeline& timeline);
