#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "FlightTimeline.h"
#include "FrameComparison.h"
#include "KeyPointFile.h"
#include "ProcessRun.h"
#include "RobustnessSupport.h"
#include "RunningProgram.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
const double kStartTimeout = 90.0;
const double kTimeout = 30.0;

struct Pose {
    float p[3];
    float d[3];
};

// The last "Camera position" line of the output.
bool lastPrintedPose(const std::string& out, Pose& pose) {
    const size_t at = out.rfind("Camera position: ");
    if (at == std::string::npos) return false;
    return std::sscanf(out.c_str() + at,
                       "Camera position: %f, %f, %f | Camera direction: %f, %f, %f", &pose.p[0],
                       &pose.p[1], &pose.p[2], &pose.d[0], &pose.d[1], &pose.d[2]) == 6;
}

size_t occurrences(const std::string& text, char part) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), part));
}

// Frame rates printing, to count frames: F11 again whenever none shows (lost, or one too many).
bool printingFrameRates(RunningProgram& program, double wait = 10.0) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        program.xdotool("windowfocus --sync $W key --window $W F11");
        if (program.waitForFrames(2, wait)) return true;
    }
    return false;
}

std::string geometryOf(const RunningProgram& program) {
    return runProcess("xdotool getwindowgeometry " + program.windowId(), "").out;
}

class EndToEndTest : public ::testing::Test {
protected:
    TestScene scene{floorAndWall()};
};
}  // namespace

// Without a sound device, so that the program must run silently as well.
TEST_F(EndToEndTest, KeysMouseAndResizesDriveTheRunningProgram) {
    setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
    RunningProgram program(scene.path(), "", "320\n192\nn\n");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    // Input is handled only once the scene has loaded and the loop runs; a middle click shows when.
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout)) << program.out();

    // Keys go to the focused window, and are pressed again if another window took the focus.
    ASSERT_TRUE(program.pressUntilOutput("F6", "FOG: OFF\n", kTimeout)) << program.out();
    ASSERT_TRUE(program.pressUntilOutput("F3", "Bloom: COMP\n", kTimeout));

    // Pause, record, fly forward, turn, record again: the pose follows the keys and the mouse.
    program.xdotool("windowfocus --sync $W key --window $W space");
    ASSERT_TRUE(program.pressUntilOutput("c", "Camera position: ", kTimeout));
    Pose before{};
    ASSERT_TRUE(lastPrintedPose(program.out(), before));

    // Held for a second, W moves the camera ten units a second of whatever frames pass meanwhile.
    program.xdotool("windowfocus --sync $W keydown --window $W w sleep 1 keyup --window $W w");
    // Other tests' windows may share the display: move this one clear of them, then move the
    // pointer inside it and give the frames time to turn the view.
    program.xdotool("windowmove $W 900 600 windowraise $W mousemove --window $W 60 60");
    program.xdotool("sleep 0.3 mousemove --window $W 180 100 sleep 1");
    ASSERT_TRUE(program.pressUntilOutput("c", "Camera position: ", kTimeout));
    Pose after{};
    ASSERT_TRUE(lastPrintedPose(program.out(), after));
    const float moved =
        std::hypot(after.p[0] - before.p[0], after.p[1] - before.p[1], after.p[2] - before.p[2]);
    EXPECT_GT(moved, 0.5f);
    EXPECT_GT(std::hypot(after.d[0] - before.d[0], after.d[2] - before.d[2]), 0.05f);

    // The frame study's keys: the overlay on, a view and back, the overlay off; then F12 writes
    // the window's picture, the still scene as the X server shows it (flames may flicker).
    ASSERT_TRUE(program.pressUntilOutput("h", "Overlay: ON\n", kTimeout));
    ASSERT_TRUE(program.pressUntilOutput("v", "View: albedo\n", kTimeout));
    ASSERT_TRUE(program.pressUntilOutput("shift+v", "View: final frame\n", kTimeout));
    ASSERT_TRUE(program.pressUntilOutput("h", "Overlay: OFF\n", kTimeout));
    ASSERT_TRUE(program.pressUntilOutput("F12", "Screenshot: ", kTimeout));
    const std::string shot = program.out().substr(program.out().rfind("Screenshot: ") + 12);
    RgbImage written;
    ASSERT_TRUE(loadRgbImage(scene.path() + "/" + shot.substr(0, shot.find('\n')), written));
    ASSERT_TRUE(written.width == 320 && written.height == 192);
    const RgbImage shown{written.width, written.height,
                         program.windowPixels(written.width, written.height)};
    FrameDifference shotDifference;
    std::string shotError;
    ASSERT_TRUE(compareFrames(written, shown, shotDifference, shotError)) << shotError;
    EXPECT_LT(shotDifference.meanAbsolute, 2.0);

    const size_t mark = program.out().size();
    program.xdotool("click --window $W 2");
    ASSERT_TRUE(program.waitForOutput("Mouse middle click\n", kTimeout, mark));
    program.xdotool("click --window $W 5");
    ASSERT_TRUE(program.waitForOutput("Mouse wheel scrolled: -1.000000\n", kTimeout));

    // Frames go on while the window shrinks to a pixel and grows back.
    ASSERT_TRUE(printingFrameRates(program)) << program.out();
    program.xdotool("windowsize --sync $W 1 1");
    EXPECT_THAT(geometryOf(program), HasSubstr("Geometry: 1x1"));
    ASSERT_TRUE(program.waitForFrames(3, kTimeout));
    program.xdotool("windowsize --sync $W 320 192");
    ASSERT_TRUE(program.waitForFrames(3, kTimeout));

    program.xdotool("windowfocus --sync $W key --window $W Escape");
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_EQ(program.err(), "");
    EXPECT_THAT(program.out(), Not(HasSubstr("ALSA")));

    // Each C press wrote one line, and the last one parses back into the printed pose.
    const std::string recorded = readFile(scene.path() + "/filename.txt");
    const std::string out = program.out();
    ASSERT_EQ(occurrences(recorded, '\n'), occurrences(out, '|'));  // "| Camera direction"
    const std::string last = recorded.substr(recorded.rfind('\n', recorded.size() - 2) + 1);
    float p[3];
    float t[3];
    ASSERT_EQ(std::sscanf(last.c_str(),
                          "m_keyPoints.push_back(KeyPoint(glm::vec3(%f, %f, %f), "
                          "glm::vec3(%f ,%f ,%f)));",
                          &p[0], &p[1], &p[2], &t[0], &t[1], &t[2]),
              6)
        << last;
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(p[i], after.p[i], 1e-3f);
        EXPECT_NEAR(t[i] - p[i], after.d[i], 2e-3f);
    }
    EXPECT_THAT(program.out(), Not(HasSubstr("Uniform does not exist")));

    // The recorded file previews: flown to its second key point, a capture shows what a capture
    // placed at that pose at that moment shows (a capture flying the scene's path would not).
    const std::string file = scene.path() + "/filename.txt";
    std::vector<KeyPoint> keys;
    std::string error;
    ASSERT_TRUE(readKeyPointFile(file, keys, error)) << error;
    char placed[256];
    std::snprintf(placed, sizeof placed, " --time %.6f --eye %f,%f,%f --look %f,%f,%f",
                  traceFlight(30.0, keys).keyPointArrivals.at(1), keys[1].position.x,
                  keys[1].position.y, keys[1].position.z, keys[1].target.x, keys[1].target.y,
                  keys[1].target.z);
    // In the house, not the test scene: the capture loads the whole scene's assets.
    const std::string capture = "cd " MURKMOOR_TEST_WORK_DIR " && " +
                                std::string(MURKMOOR_CAPTURE) +
                                " --headless --size 64x48 --warmup 0.1 --set doFire=0 "
                                "--set doSmoke=0 --out " +
                                scene.path();
    for (const std::string& moment :
         {"/flown.png --key 1 --path " + file, "/placed.png" + std::string(placed)}) {
        const ProcessResult run = runProcess(capture + moment, "");
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    RgbImage flown, atPose;
    ASSERT_TRUE(loadRgbImage(scene.path() + "/flown.png", flown) &&
                loadRgbImage(scene.path() + "/placed.png", atPose));
    FrameDifference difference;
    ASSERT_TRUE(compareFrames(flown, atPose, difference, error)) << error;
    EXPECT_LT(difference.meanAbsolute, 4.0);
    size_t lit = 0;
    for (uint8_t channel : atPose.pixels) lit += channel > 16;
    EXPECT_GT(lit, atPose.pixels.size() / 4);
}

// Input ending at the prompts leaves the default size; a close request ends the program cleanly.
TEST_F(EndToEndTest, InputAtItsEndTakesTheDefaultSizeAndACloseRequestEndsTheProgram) {
    RunningProgram program(scene.path(), "", "");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    EXPECT_THAT(geometryOf(program), HasSubstr("Geometry: 1280x768"));
    program.requestClose();  // taken by the frame loop once the scene has loaded
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_THAT(program.out(), HasSubstr("Enter Width \nEnter Height \nFullscreen: "));
}
