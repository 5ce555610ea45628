#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "RunningProgram.h"
#include "TestScene.h"

using ::testing::HasSubstr;

namespace {
const double kStartTimeout = 60.0;
const double kTimeout = 20.0;

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

std::vector<std::string> lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> result;
    for (std::string line; std::getline(file, line);) result.push_back(line);
    return result;
}

class EndToEndTest : public ::testing::Test {
protected:
    TestScene scene{{{"Floor", {-30, -2.7f, -10}, {30, -1.7f, 40}},
                     {"Wall", {-6, -1.7f, 10}, {2, 3, 11}}}};
};
}  // namespace

TEST_F(EndToEndTest, KeysAndMouseDriveTheRunningProgram) {
    RunningProgram program(scene.path(), "", "320\n192\nn\n");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    // Input is handled only once the scene has loaded and the loop runs; a middle click shows when.
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout)) << program.out();

    program.xdotool("key --window $W F6");
    ASSERT_TRUE(program.waitForOutput("FOG: OFF\n", kTimeout)) << program.out();
    program.xdotool("key --window $W F3");
    ASSERT_TRUE(program.waitForOutput("Bloom: COMP\n", kTimeout));
    program.xdotool("key --window $W F11");
    ASSERT_TRUE(program.waitForOutput("FPS: ", kTimeout));
    program.xdotool("key --window $W F11");

    // Pause, record, fly forward, turn, record again: the pose follows the keys and the mouse.
    program.xdotool("key --window $W space");
    size_t mark = program.out().size();
    program.xdotool("key --window $W c");
    ASSERT_TRUE(program.waitForOutput("Camera position: ", kTimeout, mark));
    Pose before{};
    ASSERT_TRUE(lastPrintedPose(program.out(), before));

    // Held for seconds, W moves the camera ten units a second of whatever frames pass meanwhile.
    program.xdotool("keydown --window $W w sleep 3 keyup --window $W w");
    // Other tests' windows may share the display: move this one clear of them, then move the
    // pointer inside it and give the frames time to turn the view.
    program.xdotool("windowmove $W 900 600 windowraise $W mousemove --window $W 60 60");
    program.xdotool("sleep 0.5 mousemove --window $W 180 100 sleep 2");
    mark = program.out().size();
    program.xdotool("key --window $W c");
    ASSERT_TRUE(program.waitForOutput("Camera position: ", kTimeout, mark));
    Pose after{};
    ASSERT_TRUE(lastPrintedPose(program.out(), after));
    const float moved = std::hypot(after.p[0] - before.p[0], after.p[1] - before.p[1],
                                   after.p[2] - before.p[2]);
    EXPECT_GT(moved, 0.5f);
    EXPECT_GT(std::hypot(after.d[0] - before.d[0], after.d[2] - before.d[2]), 0.05f);

    mark = program.out().size();
    program.xdotool("click --window $W 2");
    ASSERT_TRUE(program.waitForOutput("Mouse middle click\n", kTimeout, mark));
    program.xdotool("click --window $W 5");
    ASSERT_TRUE(program.waitForOutput("Mouse wheel scrolled: -1.000000\n", kTimeout));

    program.xdotool("key --window $W Escape");
    EXPECT_EQ(program.waitForExit(kTimeout), 0);

    // Each C press wrote one line, and the last one parses back into the printed pose.
    const std::vector<std::string> recorded = lines(scene.path() + "/filename.txt");
    ASSERT_EQ(recorded.size(), 2u);
    float p[3];
    float t[3];
    ASSERT_EQ(std::sscanf(recorded[1].c_str(),
                          "m_keyPoints.push_back(KeyPoint(glm::vec3(%f, %f, %f), "
                          "glm::vec3(%f ,%f ,%f)));",
                          &p[0], &p[1], &p[2], &t[0], &t[1], &t[2]),
              6)
        << recorded[1];
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(p[i], after.p[i], 1e-3f);
        EXPECT_NEAR(t[i] - p[i], after.d[i], 2e-3f);
    }
    EXPECT_THAT(program.out(), ::testing::Not(HasSubstr("Uniform does not exist")));
}

TEST_F(EndToEndTest, WindowCloseRequestEndsTheProgram) {
    RunningProgram program(scene.path(), "320 192", "1\n1\nn\n");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout));
    program.requestClose();
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_THAT(program.out(), HasSubstr("You are executing '"));
}
