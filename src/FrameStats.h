#pragma once

#include <cstddef>
#include <vector>

// The durations of the last frames, for the overlay: the frame rate and the mean, shortest and
// longest frame of the last second, and the frame times of the last few seconds for its graph.
class FrameStats {
public:
    static constexpr double kGraphSeconds = 5.0;

    // One more frame, of this many seconds (0 or more).
    void add(double seconds);

    struct Summary {
        int frames = 0;  // the frames that ended in the last second: 0 before the first
        double fps = 0.0;
        double meanMs = 0.0;
        double shortestMs = 0.0;
        double longestMs = 0.0;
    };
    // Over the frames that ended within the last second of frame time, the newest always among
    // them: a frame longer than a second is the whole second.
    Summary lastSecond() const;
    // The frame times in milliseconds of the last kGraphSeconds, oldest first.
    std::vector<float> graphMs() const;

private:
    // Enough for kGraphSeconds at a few thousand frames a second; older frames are overwritten.
    static constexpr size_t kKept = 16384;
    std::vector<double> seconds_ = std::vector<double>(kKept, 0.0);
    size_t count_ = 0;  // frames added in all

    // The i-th newest frame (0 the newest); i < the number kept.
    double newest(size_t i) const { return seconds_[(count_ - 1 - i) % kKept]; }
    size_t kept() const { return count_ < kKept ? count_ : kKept; }
    // How many of the newest frames lie within the last `window` seconds, the newest always.
    size_t framesWithin(double window) const;
};
