#pragma once

#include <cstdint>
#include <vector>

// Counts the flashes of a run of frames by the general flash threshold for photosensitive
// viewers: a flash is a pair of opposing changes of 0.1 or more in relative luminance (sRGB
// decoded, Rec. 709 weights), the darker state below 0.8, over an area the size of a quarter of a
// 10-degree field; no more than three are allowed in any one second. A 10-degree field at a
// typical viewing distance is about 341 x 256 px of a 1024 x 768 screen, so a quarter of it is a
// sixth of the frame's width by a sixth of its height. Blocks of that size, overlapping, each
// follow their mean's turning points; the block that flashes most decides.
class FlashCounter {
public:
    static constexpr double kChange = 0.1;  // the smallest change that counts
    static constexpr double kDarker = 0.8;  // the darker state of a flash lies below this

    FlashCounter(int width, int height, double fps);

    // One frame of 8-bit RGB, rows top to bottom, in display (sRGB) values.
    void add(const uint8_t* rgb);

    // The most flashes in any one second, in the block that has the most.
    int worstSecond() const;
    // The largest difference between the brightest and the darkest frame of any block: below
    // kChange no change can count.
    double largestSwing() const;

private:
    int width, height;
    double fps;
    int blockWidth, blockHeight, stepX, stepY, blocksX, blocksY;
    std::vector<std::vector<float>> series;  // per block, its mean luminance in every frame
    std::vector<double> summed;              // the frame's summed-area table, reused
};
