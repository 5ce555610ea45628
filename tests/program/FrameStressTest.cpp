#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Effects/SmokeVolume.h"
#include "Globals.h"
#include "RobustnessSupport.h"
#include "Shell.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
class FrameStressTest : public SceneGlTest {
protected:
    void start(int width, int height) {
        scene = std::make_unique<TestScene>(floorAndWall());
        ASSERT_THAT(startRenderer(width, height), Not(HasSubstr("not complete")));
    }
    // Sum of the final image's colour: zero means the window went black.
    static float windowBrightness() {
        const std::vector<float> window =
            readFramebufferRgba(0, renderer.viewportWidth, renderer.viewportHeight);
        float sum = 0.0f;
        for (size_t i = 0; i < window.size(); ++i) sum += i % 4 == 3 ? 0.0f : window[i];
        return sum;
    }
};
class TinyWindowTest : public FrameStressTest, public testing::WithParamInterface<const char*> {};
}  // namespace

// Ten-second stalls leave no value NaN and no picture black, in any tone-mapping mode.
TEST_F(FrameStressTest, TenSecondStallsKeepEveryValueFiniteInEveryToneMapping) {
    start(kWidth, kHeight);
    runFrame(1.0f / 60.0f);
    for (int mode = 0; mode <= 3; ++mode) {
        renderer.setSwitch("hdrMode", mode);
        runFrame(10.0f);
        runFrame(1.0f / 60.0f);
        const FrameHealth health = inspectFrame();
        EXPECT_EQ(health.nonFiniteWindow + health.nonFiniteScene, 0u) << "mode " << mode;
        EXPECT_GT(windowBrightness(), 0.0f) << "mode " << mode;
    }
}

// Random keys, mouse jumps and frame times from zero to stalls: no checked frame holds a NaN.
// MURKMOOR_LONG_SOAK=1 runs ten thousand frames instead of sixty.
TEST_F(FrameStressTest, RandomKeysAndFrameTimesNeverBreakAFrame) {
    const int frames = std::getenv("MURKMOOR_LONG_SOAK") ? 10000 : 60;
    start(96, 64);
    // A cheaper pressure solve lets the suite afford the frames; the stall test runs the full one.
    renderer.smoke->jacobiIterations = 4;
    RandomKeys keys(20240607u);
    StdoutCapture quiet;
    for (int frame = 0; frame < frames && !HasFailure(); ++frame) {
        keys.sendSome();
        runFrame(keys.frameTime());
        keys.moveMouse();
        if (frame % 10 != 9) continue;
        const FrameHealth health = inspectFrame();
        EXPECT_EQ(health.nonFiniteWindow + health.nonFiniteScene, 0u) << "frame " << frame;
    }
}

// The renderer accepts the smallest windows: half-size targets of one pixel, single work groups.
TEST_P(TinyWindowTest, SetUpAndFramesWithEveryEffectStayClean) {
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(GetParam(), "%dx%d", &width, &height), 2);
    start(width, height);
    for (int bloom = 0; bloom < 3; ++bloom) {
        renderer.setSwitch("bloomMode", bloom);
        runFrame(1.0f / 60.0f);
        renderer.setSwitch("doSmoke", 0);  // once is enough for the size-independent simulation
    }
    const FrameHealth health = inspectFrame();
    EXPECT_EQ(health.nonFiniteWindow + health.nonFiniteScene, 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TinyWindowTest, testing::Values("1x1", "3x2", "1x200"),
                         [](const auto& info) { return std::string(info.param); });
