// Jumps through the running flight: arriving at a moment is arriving there by flying.
#include <GLFW/glfw3.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "Controls.h"
#include "Effects/SmokeVolume.h"
#include "FlightKeys.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "KeyPointFile.h"
#include "OutputFrame.h"
#include "RecordedFlight.h"
#include "RobustnessSupport.h"
#include "RunningProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"
#include "TestScene.h"

namespace fs = std::filesystem;

namespace {
constexpr double kTimeout = 60.0;
constexpr int kWidth = 320;
constexpr int kHeight = 192;
// The hall, where no simulation is in sight.
constexpr int kHallKeyPoint = 69;
// The cauldron, with its smoke in view; the rain's event comes next after the hall.
constexpr int kCauldronKeyPoint = 20;
constexpr int kRainKeyPoint = 79;
// Steps a second of the jumps and the capture here: few, to keep the flights short.
constexpr double kStepsPerSecond = 1.0;

// The seconds of the last "Time" line after `from`; -1 where there is none.
double lastTime(const std::string& out, size_t from) {
    const size_t at = out.rfind("Time ");
    double seconds = -1.0;
    if (at != std::string::npos && at >= from) std::sscanf(out.c_str() + at, "Time %lf", &seconds);
    return seconds;
}

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
// (from the start again, everything the flight changed put back: the rain begun at key point 79
// among it), and forward again; in the hall, and at the cauldron with its smoke. Pause stays; a
// held movement key stops.
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

    // At the cauldron the smoke is in view, simulated from its lead before the moment as the
    // capture does; the fire, whose spawn order follows the driver's threads, is off.
    renderer.setSwitch("doFire", 0);
    renderer.smoke->jacobiIterations = 4;  // the same in both: a cheaper step
    renderer.cameraPath.active = true;     // the capture flies the path
    const double cauldron = flightJumps.timeline().keyPointArrivals[kCauldronKeyPoint];
    renderer.restartFlight();
    flyToMoment(renderer, cauldron, kStepsPerSecond);
    const std::vector<uint8_t> smoke = frame();
    flightJumps.request(hall);
    ASSERT_TRUE(flyPendingJump());
    press(GLFW_KEY_PAGE_DOWN);
    EXPECT_EQ(renderer.cameraPath.keyPointReached(), kRainKeyPoint);
    // Page Up goes back to the event before, and past it only within a second of its key point.
    flightJumps.request(cauldron + 2.0);
    ASSERT_TRUE(flyPendingJump());
    press(GLFW_KEY_PAGE_UP);
    EXPECT_EQ(renderer.cameraPath.keyPointReached(), kCauldronKeyPoint);
    EXPECT_TRUE(frame() == smoke) << "at the cauldron";
}

// A recorded path followed as --path follows it: a jump arrives at the capture's frame of that
// path, also back, which flies the recorded path again from its start, not the scene's.
TEST_F(FlightJumpTest, AFollowedPathsJumpsArriveAtTheCapturesFrameOfThatPath) {
    const std::vector<KeyPoint> scene = CameraPath::builtInKeyPoints();
    std::string text;
    for (int i = kHallKeyPoint - 3; i <= kHallKeyPoint + 3; ++i) {
        text += keyPointLine(scene[i].position, scene[i].target);
    }
    const TempDir dir;
    std::vector<KeyPoint> path;
    std::string error;
    ASSERT_TRUE(readKeyPointFile(dir.write("path.txt", text), path, error)) << error;
    renderer.cameraPath.follow(path);
    const std::vector<double> arrivals = flightJumps.timeline().keyPointArrivals;
    const double moment = (arrivals[2] + arrivals[3]) / 2.0;
    flyToMoment(renderer, moment, kStepsPerSecond);
    const std::vector<uint8_t> captured = frame();
    const int reached = renderer.cameraPath.keyPointReached();

    flightJumps.request(flightJumps.timeline().arrival);
    ASSERT_TRUE(flyPendingJump());
    flightJumps.request(moment);
    ASSERT_TRUE(flyPendingJump());
    EXPECT_TRUE(renderer.cameraPath.m_keyPoints == path);
    EXPECT_EQ(renderer.cameraPath.keyPointReached(), reached);
    EXPECT_TRUE(frame() == captured);
}

// C records the camera's poses; K flies them from the first at once (two at least), K again goes
// back to the path before; Backspace takes exactly the last line back out of the file.
TEST_F(FlightJumpTest, KFliesTheKeyPointsRecordedAndBackspaceTakesTheLastBack) {
    const std::vector<KeyPoint> scene = CameraPath::builtInKeyPoints();
    const auto press = [](int key) {
        StdoutCapture console;
        onKey(nullptr, key, 0, GLFW_PRESS, 0);
        onKey(nullptr, key, 0, GLFW_RELEASE, 0);
        return console.finish();
    };
    renderer.cameraPath.active = false;
    EXPECT_THAT(press(GLFW_KEY_K), ::testing::HasSubstr("two key points at least"));
    for (int i : {60, 66, 69}) {
        renderer.camera.setLookAt(scene[i].position, scene[i].target);
        press(GLFW_KEY_C);
    }
    ASSERT_EQ(recordedFlight.recorded.size(), 3u);
    EXPECT_EQ(recordedFlight.recorded[1], scene[66]);

    EXPECT_EQ(press(GLFW_KEY_K), "Flying the 3 key points recorded\n");
    EXPECT_TRUE(renderer.cameraPath.m_keyPoints == recordedFlight.recorded);
    EXPECT_TRUE(renderer.cameraPath.active);
    const glm::vec3 first = scene[60].position;
    const glm::vec3 second = scene[66].position;
    EXPECT_LT(glm::distance(renderer.camera.getPosition(), first), 1e-4f);
    renderer.update(0.5f);
    const glm::vec3 now = renderer.camera.getPosition();
    EXPECT_NEAR(glm::distance(now, first), 0.5f * renderer.cameraPath.speed, 1e-3f);
    EXPECT_NEAR(glm::distance(now, first) + glm::distance(now, second),
                glm::distance(first, second), 1e-3f);
    press(GLFW_KEY_K);
    EXPECT_TRUE(renderer.cameraPath.m_keyPoints == scene);
    EXPECT_LT(glm::distance(renderer.camera.getPosition(), scene[0].position), 1e-4f);

    // The suite's recording file is /dev/null, which is never rewritten.
    EXPECT_THAT(press(GLFW_KEY_BACKSPACE), ::testing::HasSubstr("is not a file"));
    const TempDir dir;
    const std::string file = dir.write("filename.txt", "first\nsecond\nthird\n");
    std::ofstream out(file, std::ios::app);
    EXPECT_EQ(recordedFlight.takeBackLast(file, out), "Key point 3 taken back out of " + file);
    out << "fourth\n" << std::flush;
    EXPECT_EQ(readFile(file), "first\nsecond\nfourth\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    ASSERT_EQ(recordedFlight.recorded.size(), 2u);
    EXPECT_EQ(recordedFlight.recorded.back(), scene[66]);
    recordedFlight.recorded.clear();
    EXPECT_EQ(recordedFlight.takeBackLast(file, out),
              "No key point recorded in this run to take back");
    EXPECT_EQ(readFile(file), "first\nsecond\nfourth\n");
}

// The keys in the running program: --time starts the flight there, and while it is paused Right
// jumps on, ',' steps back, L marks a loop's start, '.' steps on, L marks its end and clears it,
// Home and Page Down go to the start and the gate's key point; Escape quits.
TEST(FlightJumpProgram, TheKeysJumpStepAndLoopTheRunningFlight) {
    TestScene scene({});
    RunningProgram program(scene.path(), "--time 20", "320\n192\nn\n");
    ASSERT_TRUE(program.waitForWindow(kTimeout)) << program.out() << program.err();
    ASSERT_TRUE(program.waitForFrameLoop(kTimeout)) << program.out();
    ASSERT_TRUE(program.waitForOutput("Time 20.0 s, key point ", kTimeout)) << program.out();
    // The smoke's steps play no part here, and the time stays where a key puts it.
    ASSERT_TRUE(program.pressUntilOutput("F8", "SMOKE: OFF\n", kTimeout));
    program.xdotool("windowfocus --sync $W key --window $W space");

    size_t mark = program.out().size();
    ASSERT_TRUE(program.pressUntilOutput("Right", "Time ", kTimeout)) << program.out();
    const double later = lastTime(program.out(), mark);
    EXPECT_GE(later, 25.0);
    EXPECT_LT(later, 30.0);
    mark = program.out().size();
    ASSERT_TRUE(program.pressUntilOutput("comma", "Time ", kTimeout)) << program.out();
    const double stepBack = lastTime(program.out(), mark);
    // Printed to a tenth of a second.
    EXPECT_LE(stepBack, later);
    EXPECT_GE(stepBack, later - 0.11);
    char loop[64];
    std::snprintf(loop, sizeof loop, "Loop start %.1f s\n", stepBack);
    EXPECT_TRUE(program.pressUntilOutput("l", loop, kTimeout)) << program.out();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(program.pressUntilOutput("period", "Time ", kTimeout)) << program.out();
    }
    std::snprintf(loop, sizeof loop, "Loop %.1f to %.1f s\n", stepBack, stepBack + 0.1);
    EXPECT_TRUE(program.pressUntilOutput("l", loop, kTimeout)) << program.out();
    EXPECT_TRUE(program.pressUntilOutput("l", "Loop cleared\n", kTimeout));
    EXPECT_TRUE(program.pressUntilOutput("Home", "Time 0.0 s, key point 0\n", kTimeout));
    const double gate = traceFlight(kFlightStepsPerSecond).keyPointArrivals[1];
    char atGate[64];
    std::snprintf(atGate, sizeof atGate, "Time %.1f s, key point 1\n", gate);
    EXPECT_TRUE(program.pressUntilOutput("Next", atGate, kTimeout)) << program.out();
    program.xdotool("windowfocus --sync $W key --window $W Escape");
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
}
