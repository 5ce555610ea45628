#include "FrameStats.h"

#include <algorithm>

void FrameStats::add(double seconds) {
    seconds_[count_ % kKept] = std::max(0.0, seconds);
    ++count_;
}

size_t FrameStats::framesWithin(double window) const {
    size_t n = 0;
    // A frame belongs when it ended within the window: the time after it is shorter than that.
    for (double after = 0.0; n < kept() && (n == 0 || after < window); ++n) after += newest(n);
    return n;
}

FrameStats::Summary FrameStats::lastSecond() const {
    Summary summary;
    const size_t n = framesWithin(1.0);
    if (n == 0) return summary;
    double total = 0.0;
    double shortest = newest(0);
    double longest = newest(0);
    for (size_t i = 0; i < n; ++i) {
        total += newest(i);
        shortest = std::min(shortest, newest(i));
        longest = std::max(longest, newest(i));
    }
    summary.frames = static_cast<int>(n);
    summary.fps = total > 0.0 ? n / total : 0.0;
    summary.meanMs = total / n * 1000.0;
    summary.shortestMs = shortest * 1000.0;
    summary.longestMs = longest * 1000.0;
    return summary;
}

std::vector<float> FrameStats::graphMs() const {
    const size_t n = framesWithin(kGraphSeconds);
    std::vector<float> ms(n);
    for (size_t i = 0; i < n; ++i) ms[n - 1 - i] = static_cast<float>(newest(i) * 1000.0);
    return ms;
}
