#include "Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string clockText(double seconds) {
    const long whole = std::lround(std::max(seconds, 0.0));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    }
    return text;
}

std::string progressLine(long done, long total, double elapsedSeconds) {
    const long percent = total > 0 ? done * 100 / total : 100;
    char text[96];
    std::snprintf(text, sizeof text, "frame %ld of %ld (%ld%%), ", done, total, percent);
    if (done <= 0) return std::string(text) + "estimating the time left";
    const double left =
        elapsedSeconds / static_cast<double>(done) * static_cast<double>(total - done);
    return std::string(text) + "about " + clockText(left) + " left";
}
