#pragma once

#include <string>
#include <vector>

#include "KeyPoint.h"
#include "PathClearance.h"

// Closer than this, the near plane (0.1 m) cuts the surfaces in front of the eye open on screen
// once the view turns towards them.
constexpr float kLeastClearance = 0.3f;

// A report, line by line, of the flight over these key points at the default speed: how many,
// how long in metres and seconds, the shortest and longest segments, the sharpest turn of the
// view between two key points, and the eye's closest approach to the meshes, with a warning
// for every stretch that comes closer than kLeastClearance.
std::string describePath(const std::vector<KeyPoint>& keyPoints,
                         const std::vector<SceneMesh>& meshes);
