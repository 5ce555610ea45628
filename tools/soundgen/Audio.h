#pragma once

#include <cstddef>
#include <vector>

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Mono = std::vector<float>;

// Two channels of float samples in [-1, 1] at kSampleRate.
struct Stereo {
    Mono left;
    Mono right;

    Stereo() = default;
    explicit Stereo(size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t frames() const { return left.size(); }
};

size_t framesFor(double seconds);
double secondsOf(size_t frames);

// Adds mono into both channels from the frame offset on, with an equal-power pan in [-1, 1].
void addPanned(Stereo& out, const Mono& in, size_t offset, float pan, float gain = 1.0f);
// Raised-cosine fades at the two ends.
void fadeIn(Stereo& audio, double seconds);
void fadeOut(Stereo& audio, double seconds);
// Removes any offset from zero (a slowly leaking one-pole high-pass at about 10 Hz).
void removeDc(Stereo& audio);
