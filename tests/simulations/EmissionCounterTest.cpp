#include <gtest/gtest.h>

#include <algorithm>

#include "Effects/EmissionCounter.h"

// Catches a carry that is dropped, reset or rounded instead of kept, and a long frame emitting a
// backlog: over many frames the counts add up to rate times time, each within one of its share.
TEST(EmissionCarry, FrameCountsAddUpToTheRateOverTime) {
    const struct {
        const char* what;
        int rate;
        float dt;
        int frames;
        uint32_t fewest, most;
    } rows[] = {
        {"fire at 60 fps", 300, 1.0f / 60.0f, 600, 5, 5},
        {"fire at 1 ms", 300, 0.001f, 400, 0, 1},
        {"rain at 60 fps", 2000, 1.0f / 60.0f, 300, 33, 34},
        {"fire, stalled frames", 300, 5.0f, 3, 1500, 1500},
        {"zero frames", 300, 0.0f, 10, 0, 0},
    };
    for (const auto& row : rows) {
        float carry = 0.0f;
        int total = 0, sinceLast = 0, longestGap = 0;
        for (int frame = 0; frame < row.frames; ++frame) {
            const uint32_t count = takeEmission(carry, row.rate, row.dt);
            ASSERT_TRUE(count >= row.fewest && count <= row.most)
                << row.what << ", frame " << frame;
            total += static_cast<int>(count);
            sinceLast = count ? 0 : sinceLast + 1;
            longestGap = std::max(longestGap, sinceLast);
        }
        EXPECT_NEAR(total, row.rate * row.dt * row.frames, 1.0) << row.what;
        EXPECT_LE(longestGap, row.dt > 0.0f ? 3 : 10) << row.what;  // at 0.3 a frame, 3 at most
    }
}
