#include <gtest/gtest.h>

#include <vector>

#include "Effects/EmissionCounter.h"

namespace {
std::vector<uint32_t> emissions(int rate, float dt, int frames) {
    float carry = 0.0f;
    std::vector<uint32_t> counts;
    for (int i = 0; i < frames; ++i) counts.push_back(takeEmission(carry, rate, dt));
    return counts;
}
}  // namespace

TEST(EmissionCarry, FireAtSixtyFramesPerSecondEmitsFiveEveryFrame) {
    for (uint32_t count : emissions(300, 1.0f / 60.0f, 600)) EXPECT_EQ(count, 5u);
}

TEST(EmissionCarry, FireAtOneMillisecondEmitsOneEveryThirdOrFourthFrame) {
    const std::vector<uint32_t> counts = emissions(300, 0.001f, 400);
    int lastEmission = -1;
    int emitted = 0;
    for (int frame = 0; frame < static_cast<int>(counts.size()); ++frame) {
        ASSERT_LE(counts[frame], 1u);
        if (counts[frame] == 0) continue;
        ++emitted;
        if (lastEmission >= 0) {
            const int gap = frame - lastEmission;
            EXPECT_TRUE(gap == 3 || gap == 4) << "gap " << gap << " at frame " << frame;
        }
        lastEmission = frame;
    }
    EXPECT_NEAR(emitted, 120, 1);  // 300 per second over 0.4 s
}

TEST(EmissionCarry, RainAtSixtyFramesPerSecondEmitsThirtyThreeTwiceThenThirtyFour) {
    const std::vector<uint32_t> counts = emissions(2000, 1.0f / 60.0f, 300);
    for (size_t frame = 0; frame < counts.size(); ++frame) {
        EXPECT_EQ(counts[frame], frame % 3 == 2 ? 34u : 33u) << "frame " << frame;
    }
}

TEST(EmissionCarry, LongFrameEmitsRateTimesThatFrameOnly) {
    float carry = 0.25f;
    EXPECT_EQ(takeEmission(carry, 300, 5.0f), 1500u);
    EXPECT_FLOAT_EQ(carry, 0.25f);
    EXPECT_EQ(takeEmission(carry, 300, 0.0f), 0u);
    EXPECT_FLOAT_EQ(carry, 0.25f);
}
