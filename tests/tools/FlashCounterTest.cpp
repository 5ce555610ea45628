#include <gtest/gtest.h>

#include <vector>

#include "FlashCounter.h"

namespace {
constexpr int kWidth = 96, kHeight = 60, kFps = 30;

// Frames of a dark grey picture with a rectangle that takes the given grey in frame n.
struct Clip {
    int x = 0, y = 0, width = kWidth, height = kHeight;
    FlashCounter run(int frames, int (*grey)(int n)) const {
        FlashCounter counter(kWidth, kHeight, kFps);
        std::vector<uint8_t> rgb(3 * kWidth * kHeight);
        for (int n = 0; n < frames; ++n) {
            for (int py = 0; py < kHeight; ++py) {
                for (int px = 0; px < kWidth; ++px) {
                    const bool in = px >= x && px < x + width && py >= y && py < y + height;
                    for (int c = 0; c < 3; ++c) rgb[3 * (py * kWidth + px) + c] = in ? grey(n) : 20;
                }
            }
            counter.add(rgb.data());
        }
        return counter;
    }
};
}  // namespace

// Flashes count in the worst second, only over a quarter field or more, off any grid, and only
// for changes of 0.1 in relative luminance with the darker state below 0.8.
TEST(FlashCounter, CountsOpposingChangesOfATenthOverAQuarterFieldInTheWorstSecond) {
    const Clip whole;
    // Grey 20 is 0.007 in relative luminance, 120 is 0.19, 255 is 1.
    const auto threePerSecond = [](int n) { return n % 10 < 3 ? 120 : 20; };
    const FlashCounter fast = whole.run(2 * kFps, threePerSecond);
    EXPECT_EQ(fast.worstSecond(), 3);
    EXPECT_NEAR(fast.largestSwing(), 0.18, 0.01);
    EXPECT_EQ(whole.run(3 * kFps, [](int n) { return n % 30 < 3 ? 120 : 20; }).worstSecond(), 1);
    EXPECT_EQ(whole.run(kFps, [](int n) { return n % 10 < 3 ? 100 : 80; }).worstSecond(), 0)
        << "0.13 to 0.08: under a tenth";
    EXPECT_EQ(whole.run(kFps, [](int n) { return n % 10 < 3 ? 255 : 235; }).worstSecond(), 0)
        << "both states brighter than 0.8";
    // A rise that stays, then dips that come back by less than a tenth: one change, no flash.
    EXPECT_EQ(
        whole.run(kFps, [](int n) { return n < 5        ? 20
                                           : n % 4 == 0 ? 110
                                                        : 120; }).worstSecond(),
        0);

    // A quarter field is a sixth of the width by a sixth of the height: 16 x 10 here, found off
    // the blocks' grid; the same change over a smaller patch is under a tenth over a quarter field.
    const Clip quarter{37, 23, 16, 10}, smaller{37, 23, 10, 6};
    EXPECT_EQ(quarter.run(2 * kFps, threePerSecond).worstSecond(), 3);
    EXPECT_EQ(smaller.run(kFps, threePerSecond).worstSecond(), 0);
}
