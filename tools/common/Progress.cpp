#include "Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Interruption.h"

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

std::string durationText(double seconds) {
    if (seconds >= 59.95) return clockText(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", std::max(seconds, 0.0));
    return text;
}

long percentDone(long done, long total) {
    return total > 0 ? done * 100 / total : 100;
}

std::string progressLine(long done, long total, double elapsedSeconds) {
    char text[96];
    std::snprintf(text, sizeof text, "frame %ld of %ld (%ld%%), ", done, total,
                  percentDone(done, total));
    if (done <= 0) return std::string(text) + "estimating the time left";
    const double left =
        elapsedSeconds / static_cast<double>(done) * static_cast<double>(total - done);
    return std::string(text) + "about " + clockText(left) + " left";
}

ProgressLine::ProgressLine(std::FILE* to) : to(to), start(std::chrono::steady_clock::now()) {}

void ProgressLine::show(const std::string& text) {
    if (text == shownText) return;
    shownText = text;
    // Spaces cover what is left of a longer text before it.
    const size_t cover = shownLength > text.size() ? shownLength - text.size() : 0;
    std::fprintf(to, "\r%s%*s", text.c_str(), static_cast<int>(cover), "");
    std::fflush(to);
    shownLength = text.size();
    noteProgressLineOpen(true);
}

void ProgressLine::end() {
    if (shownLength == 0) return;
    std::fprintf(to, "\n");
    std::fflush(to);
    shownLength = 0;
    shownText.clear();
    noteProgressLineOpen(false);
}

double ProgressLine::seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
