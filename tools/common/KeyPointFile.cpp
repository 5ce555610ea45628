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
    std::ifstream file(path);
    if (!file) {
        error = "cannot read the path file " + path;
        return false;
    }
    std::vector<KeyPoint> read;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (blank(line)) continue;
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
    }
    if (file.bad()) {
        error = "cannot read the path file " + path;
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
