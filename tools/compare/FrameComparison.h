#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A tightly packed RGB image, top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

struct FrameDifference {
    double meanAbsolute = 0.0;  // over every channel of every pixel, 0 to 255
    int largest = 0;            // the largest difference of one channel
    double share = 0.0;         // the fraction of pixels with a channel more than 8 apart
};

// Compares two images of one size. False with the reason in error when the sizes differ.
bool compareFrames(const RgbImage& a, const RgbImage& b, FrameDifference& difference,
                   std::string& error);

// How far two frames may differ and still match: a channel up to maxStep apart counts as equal,
// and up to maxSharePercent % of the pixels may have a channel further apart than that.
struct FrameLimits {
    int maxStep = 0;
    double maxSharePercent = 0.0;
};

// The fraction of pixels of two same-sized images with a channel more than `step` apart.
double shareApart(const RgbImage& a, const RgbImage& b, int step);
// Whether two same-sized images match within the limits; the defaults ask for equal frames.
bool withinLimits(const RgbImage& a, const RgbImage& b, const FrameLimits& limits);

// a, b and their difference side by side, the difference amplified by `gain` so that what
// filtering leaves (a step or two) stays dark and a real change shows. Same-sized images only.
RgbImage sideBySide(const RgbImage& a, const RgbImage& b, int gain);

// Reads a PNG (or any image stb reads) as RGB; writes one as PNG. False on failure.
bool loadRgbImage(const std::string& path, RgbImage& image);
bool saveRgbImage(const std::string& path, const RgbImage& image);
