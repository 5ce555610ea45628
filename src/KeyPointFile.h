#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "KeyPoint.h"

// What a path file may hold: a line the C key writes takes some 100 characters, and a recording
// of ten thousand key points is far longer than anyone flies.
constexpr size_t kLongestKeyPointLine = 1024;
constexpr size_t kLargestKeyPointFile = size_t{1} << 20;

// Reads a camera path recorded with the C key (one key point a line, blank lines skipped) and
// checks that it can be flown: at least two key points, finite numbers, every eye looking at a
// point other than itself. A longer line or a larger file is refused as soon as the bound is
// passed. False with a message naming the file (and the line) otherwise.
bool readKeyPointFile(const std::string& path, std::vector<KeyPoint>& keyPoints,
                      std::string& error);

// The key points a tool flies: those of the file when one is named, else the scene's own.
bool loadFlightKeyPoints(const std::string& path, std::vector<KeyPoint>& keyPoints,
                         std::string& error);
