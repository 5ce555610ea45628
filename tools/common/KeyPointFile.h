#pragma once

#include <string>
#include <vector>

#include "KeyPoint.h"

// Reads a camera path recorded with the C key (one key point a line, blank lines skipped) and
// checks that it can be flown: at least two key points, finite numbers, every eye looking at a
// point other than itself. False with a message naming the file (and the line) otherwise.
bool readKeyPointFile(const std::string& path, std::vector<KeyPoint>& keyPoints,
                      std::string& error);

// The key points a tool flies: those of the file when one is named, else the scene's own.
bool loadFlightKeyPoints(const std::string& path, std::vector<KeyPoint>& keyPoints,
                         std::string& error);
