// Jumps through the running flight: arriving at a moment is arriving there by flying.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

#include "Controls.h"
#include "FlightKeys.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "OutputFrame.h"
#include "RobustnessSupport.h"
#include "StdoutCapture.h"

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 192;
// The hall, where no simulation is in sight.
constexpr int kHallKeyPoint = 69;
// Steps a second of the jumps and the capture here: few, to keep the flights short.
constexpr double kStepsPerSecond = 1.0;

class FlightJumpTest : public GlTest {
protected:
    OutputFrame output;

    void SetUp() override {
        GlTest::SetUp();
        startRenderer(kWidth, kHeight);
        ASSERT_TRUE(createOutputFrame(kWidth, kHeight, output));
        renderer.outputFramebuffer = output.framebuffer;
        flightJumps.stepsPerSecond = kStepsPerSecond;
    }
    std::vector<uint8_t> frame() {
        overlay.notify("", 0.0);  // the notices are the overlay's, not the frame's
        renderer.render();
        std::vector<uint8_t> pixels;
        readOutputFrameTopDown(output, pixels);
        return pixels;
    }
    // The key pressed in the program and the frame loop's next frame: the jump, then the frame
    // of the moment arrived at. Returns the console's lines.
    std::string press(int key, int mods = 0) {
        StdoutCapture console;
        onKey(nullptr, key, 0, GLFW_PRESS, mods);
        EXPECT_TRUE(flyPendingJump());
        return console.finish();
    }
};
}  // namespace

// A frame after a jump is the capture's at that moment, to the bit: forward from the start, back
// (from the start again, everything the flight changed put back), and forward again. Pause and the
// path's speed stay; a held movement key stops.
TEST_F(FlightJumpTest, AJumpArrivesAtTheCapturesFrameForwardBackAndForwardAgain) {
    const double hall = flightJumps.timeline().keyPointArrivals[kHallKeyPoint];
    flyToMoment(renderer, hall, kStepsPerSecond);
    const std::vector<uint8_t> captured = frame();

    renderer.restartFlight();
    flightJumps.request(hall);
    ASSERT_TRUE(flyPendingJump());
    EXPECT_TRUE(frame() == captured) << "forward from the start";

    renderer.cameraPath.active = false;
    keyHeld = true;
    EXPECT_NE(press(GLFW_KEY_RIGHT).find("key point"), std::string::npos);
    EXPECT_NEAR(flightJumps.now(), hall + kShortJumpSeconds, 1.0 / kStepsPerSecond);
    EXPECT_FALSE(renderer.cameraPath.active);
    EXPECT_FALSE(keyHeld);
    const std::vector<uint8_t> later = frame();
    EXPECT_FALSE(later == captured);

    char expected[64];
    std::snprintf(expected, sizeof expected, "Time %.1f s, key point %d\n", hall, kHallKeyPoint);
    EXPECT_EQ(press(GLFW_KEY_LEFT), expected);
    EXPECT_TRUE(frame() == captured) << "back";
    press(GLFW_KEY_RIGHT);
    EXPECT_TRUE(frame() == later) << "forward again";
}
