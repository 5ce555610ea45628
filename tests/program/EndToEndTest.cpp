#include <gmock/gmock.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <glm/glm.hpp>

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
    glm::vec3 p;
    glm::vec3 d;
};

// The last "Camera position" line of the output.
bool lastPrintedPose(const std::string& out, Pose& pose) {
    const size_t at = out.rfind("Camera position: ");
    if (at == std::string::npos) return false;
    return std::sscanf(out.c_str() + at,
                       "Camera position: %f, %f, %f | Camera direction: %f, %f, %f", &pose.p.x,
                       &pose.p.y, &pose.p.z, &pose.d.x, &pose.d.y, &pose.d.z) == 6;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Presses C and reads the pose it printed.
Pose recordPose(const RunningProgram& program) {
    Pose pose{};
    const size_t mark = program.out().size();
    EXPECT_TRUE(program.pressUntilOutput("c", "Camera position: ", kTimeout));
    EXPECT_TRUE(lastPrintedPose(program.out().substr(mark), pose)) << program.out();
    return pose;
}

// The picture's right, level, for a view direction.
glm::vec3 sideways(glm::vec3 direction) {
    return glm::normalize(glm::cross(direction, glm::vec3(0, 1, 0)));
}

// The angle between two directions seen from above.
float levelTurn(glm::vec3 from, glm::vec3 to) {
    const glm::vec2 a = glm::normalize(glm::vec2(from.x, from.z));
    const glm::vec2 b = glm::normalize(glm::vec2(to.x, to.z));
    return std::acos(glm::clamp(glm::dot(a, b), -1.0f, 1.0f));
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

// Without a sound device, so that the program must run silently as well. The folder holds the
// recordings of two earlier runs, the last in filename.txt: this run keeps it beside the first.
TEST_F(EndToEndTest, KeysMouseAndResizesDriveTheRunningProgram) {
    setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
    const std::string earlier = keyPointLine({1, 2, 3}, {1, 2, 2});
    std::ofstream(scene.path() + "/filename-1.txt") << "first run\n";
    std::ofstream(scene.path() + "/filename.txt") << earlier;
    RunningProgram program(scene.path(), "", "320\n192\nn\n");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    // Input is handled only once the scene has loaded and the loop runs; a middle click shows when.
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout)) << program.out();
    EXPECT_EQ(occurrences(program.out(),
                          "Key points recorded earlier are kept in filename-2.txt; "
                          "filename.txt starts empty\n"),
              1u);
    // The key list, once, after every loader line.
    const std::string loaded = program.out();
    EXPECT_EQ(occurrences(loaded, "\nKeys: Space pause / fly"), 1u);
    EXPECT_GT(loaded.find("\nKeys: "), loaded.rfind("Texture loaded: "));

    // Keys go to the focused window, and are pressed again if another window took the focus.
    ASSERT_TRUE(program.pressUntilOutput("F6", "FOG: OFF\n", kTimeout)) << program.out();
    ASSERT_TRUE(program.pressUntilOutput("F3", "Bloom: COMP\n", kTimeout));
    // The smoke's simulation, a large share of each frame here, plays no part in what follows.
    ASSERT_TRUE(program.pressUntilOutput("F8", "SMOKE: OFF\n", kTimeout));

    // Other tests' windows may share the display: move this one clear of them. The mouse moves
    // while the path flies, which must not turn the view later. With the frame rate printing, each
    // step waits for frames to pass (a frame may take a second on llvmpipe).
    program.xdotool("windowmove $W 900 600 windowraise $W windowfocus --sync $W");
    program.xdotool("mousemove_relative -- 100 -60");
    ASSERT_TRUE(printingFrameRates(program)) << program.out();
    const auto framesPass = [&] { return program.waitForFrames(2, kTimeout); };
    const auto hold = [&](const char* key) {
        program.xdotool(std::string("windowfocus --sync $W keydown --window $W ") + key);
        const bool passed = framesPass();
        program.xdotool(std::string("keyup --window $W ") + key);
        return passed;
    };
    // Pause and record; fly left, turn and record; fly forward and record: the poses follow the
    // keys and the mouse.
    program.xdotool("windowfocus --sync $W key --window $W space");
    const Pose paused = recordPose(program);
    ASSERT_TRUE(hold("a"));
    // 150 pixels to the right turn the view 0.3 radians (17 degrees) from where it stands.
    program.xdotool("mousemove_relative -- 150 0");
    ASSERT_TRUE(framesPass());
    const Pose turned = recordPose(program);
    const glm::vec3 shift = turned.p - paused.p;
    EXPECT_GT(glm::length(shift), 0.1f);
    EXPECT_LT(glm::dot(shift, sideways(paused.d)), -0.95f * glm::length(shift));  // A: left
    EXPECT_NEAR(levelTurn(paused.d, turned.d), 0.3f, 0.01f);
    EXPECT_GT(glm::dot(turned.d, sideways(paused.d)), 0.0f);
    EXPECT_NEAR(turned.d.y, paused.d.y, 0.01f);
    ASSERT_TRUE(hold("w"));
    const Pose after = recordPose(program);
    EXPECT_GT(glm::dot(after.p - turned.p, turned.d), 0.1f);

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
    program.xdotool("windowsize --sync $W 1 1");
    EXPECT_THAT(geometryOf(program), HasSubstr("Geometry: 1x1"));
    ASSERT_TRUE(program.waitForFrames(3, kTimeout));
    program.xdotool("windowsize --sync $W 320 192");
    ASSERT_TRUE(program.waitForFrames(3, kTimeout));

    program.xdotool("windowfocus --sync $W key --window $W Escape");
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_EQ(program.err(), "");
    EXPECT_THAT(program.out(), Not(HasSubstr("ALSA")));

    // Nothing recorded is lost: each C press wrote one line, the last one parses back into the
    // printed pose, and both earlier runs' recordings are kept.
    EXPECT_EQ(readFile(scene.path() + "/filename-2.txt"), earlier);
    EXPECT_EQ(readFile(scene.path() + "/filename-1.txt"), "first run\n");
    const std::string recorded = readFile(scene.path() + "/filename.txt");
    const std::string out = program.out();
    ASSERT_EQ(occurrences(recorded, "\n"), occurrences(out, "| Camera direction"));
    EXPECT_EQ(occurrences(out, " appended to filename.txt\n"), occurrences(recorded, "\n"));
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

    // The recorded file previews: flown to its last key point, where the camera comes to rest, a
    // capture shows what a capture placed at that pose at that moment shows (a capture flying the
    // scene's path would not).
    const std::string file = scene.path() + "/filename.txt";
    std::vector<KeyPoint> keys;
    std::string error;
    ASSERT_TRUE(readKeyPointFile(file, keys, error)) << error;
    ASSERT_EQ(keys.size(), 3u);
    char placed[256];
    std::snprintf(placed, sizeof placed, " --time %.6f --eye %f,%f,%f --look %f,%f,%f",
                  traceFlight(30.0, keys).keyPointArrivals.at(2), keys[2].position.x,
                  keys[2].position.y, keys[2].position.z, keys[2].target.x, keys[2].target.y,
                  keys[2].target.z);
    // In the house, not the test scene: the capture loads the whole scene's assets.
    const std::string capture = "cd " MURKMOOR_TEST_WORK_DIR " && " +
                                std::string(MURKMOOR_CAPTURE) +
                                " --headless --size 64x48 --warmup 0.1 --set doFire=0 "
                                "--set doSmoke=0 --out " +
                                scene.path();
    for (const std::string& moment :
         {"/flown.png --key 2 --path " + file, "/placed.png" + std::string(placed)}) {
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
