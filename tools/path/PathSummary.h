#pragma once

#include <string>
#include <vector>

#include "KeyPoint.h"
#include "PathClearance.h"

// A report, line by line, of the flight over these key points at the default speed: how many,
// how long in metres and seconds, the shortest and longest segments, the sharpest turn of the
// view between two key points, and the eye's closest approach to the meshes, with a warning
// for every segment too short to fly or turning the view too fast to follow, and for every
// stretch that comes closer than kLeastClearance.
std::string describePath(const std::vector<KeyPoint>& keyPoints,
                         const std::vector<SceneMesh>& meshes);
