#include "KeyPointFile.h"

#include <cmath>
#include <fstream>

#include "CameraPath.h"

namespace {
bool finite(glm::vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool blank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}
}  // namespace

bool readKeyPointFile(const std::string& path, std::vector<KeyPoint>& keyPoints,
                      std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the path file " + path;
        return false;
    }
    std::vector<KeyPoint> read;
    const auto take = [&](const std::string& line, int number) {
        if (blank(line)) return true;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        KeyPoint keyPoint;
        std::string expected;
        size_t column = 0;
        if (!parseKeyPointLine(line, keyPoint, expected, column)) {
            error = where + "expected " + expected + " at column " + std::to_string(column) +
                    " of a key point line, e.g. " + keyPointLine({0, 0, 0}, {0, 0, -1});
            error.pop_back();  // the example's line break
            return false;
        }
        if (!finite(keyPoint.position) || !finite(keyPoint.target)) {
            error = where + "a number is not finite";
            return false;
        }
        if (keyPoint.position == keyPoint.target) {
            error = where + "the eye and the point it looks at are the same: no direction to look";
            return false;
        }
        read.push_back(keyPoint);
        return true;
    };
    // Read a character at a time up to the bounds, so that no file (a device that never ends,
    // one line of gigabytes) holds more than a line of them in memory.
    std::string line;
    int number = 1;
    size_t size = 0;
    for (char c; file.get(c);) {
        if (++size > kLargestKeyPointFile) {
            error = path + ": larger than " + std::to_string(kLargestKeyPointFile >> 20) +
                    " MiB, more than a recorded path holds";
            return false;
        }
        if (c == '\n') {
            if (!take(line, number++)) return false;
            line.clear();
        } else if (line.size() == kLongestKeyPointLine) {
            error = path + ":" + std::to_string(number) + ": longer than " +
                    std::to_string(kLongestKeyPointLine) + " characters, not a key point line";
            return false;
        } else {
            line += c;
        }
    }
    if (file.bad() || !take(line, number)) {
        if (file.bad()) error = "cannot read the path file " + path;
        return false;
    }
    if (read.size() < 2) {
        error = path + ": " + (read.empty() ? "no key points" : "only one key point") +
                "; a path needs two at least";
        return false;
    }
    keyPoints = std::move(read);
    return true;
}

bool loadFlightKeyPoints(const std::string& path, std::vector<KeyPoint>& keyPoints,
                         std::string& error) {
    if (path.empty()) {
        keyPoints = CameraPath::builtInKeyPoints();
        return true;
    }
    return readKeyPointFile(path, keyPoints, error);
}
