#include <gmock/gmock.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "ProcessRun.h"
#include "RobustnessSupport.h"
#include "RunningProgram.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
const double kStartTimeout = 90.0;
const double kTimeout = 30.0;

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

template <typename Check>
bool eventually(double seconds, Check check) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!check()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// Frame rates printing, so that frames can be counted. F11 toggles them, and the presses that found
// the frame loop may have left them either way when the first frames were slow.
bool printingFrameRates(RunningProgram& program) {
    if (program.waitForFrames(2, 10.0)) return true;
    program.xdotool("key --window $W F11");
    return program.waitForFrames(2, kTimeout);
}

class ProgramRobustnessTest : public ::testing::Test {
protected:
    TestScene scene{floorAndWall()};
};
}  // namespace

TEST_F(ProgramRobustnessTest, UnwritableKeyPointFileIsReportedAtEveryPress) {
    // A directory where the file should be: the stream cannot open it, whoever runs the test.
    std::filesystem::create_directory(scene.path() + "/filename.txt");
    RunningProgram program(scene.path(), "320 192", "1\n1\nn\n");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout)) << program.out();

    for (size_t press = 1; press <= 2; ++press) {
        program.xdotool("key --window $W c");
        EXPECT_TRUE(eventually(kTimeout, [&] {
            return occurrences(program.err(), "Error writing to ...\n") == press;
        })) << program.err();
    }
    EXPECT_EQ(occurrences(program.out(), "Camera position: "), 2u);
    program.xdotool("key --window $W Escape");
    EXPECT_EQ(program.waitForExit(kTimeout), 0) << program.err();
    EXPECT_EQ(program.err(), "Error writing to ...\nError writing to ...\n");
}

TEST_F(ProgramRobustnessTest, WithoutASoundDeviceRunsResizesAndQuitsSilently) {
    setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
    RunningProgram program(scene.path(), "320 192", "1\n1\nn\n");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout)) << program.out();

    // Frames go on while the window shrinks to a pixel and grows back; the flight passes the
    // gate's key point, whose sound has no device to play on.
    ASSERT_TRUE(printingFrameRates(program)) << program.out();
    program.xdotool("windowsize --sync $W 1 1");
    EXPECT_THAT(runProcess("xdotool getwindowgeometry " + program.windowId(), "").out,
                HasSubstr("Geometry: 1x1"));
    ASSERT_TRUE(program.waitForFrames(3, kTimeout));
    program.xdotool("windowsize --sync $W 320 192");
    ASSERT_TRUE(program.waitForFrames(3, kTimeout));
    program.xdotool("key --window $W Escape");
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_EQ(program.err(), "");
    EXPECT_THAT(program.out(), Not(HasSubstr("ALSA")));
    EXPECT_THAT(program.out(), Not(HasSubstr("Uniform does not exist")));
}

TEST_F(ProgramRobustnessTest, InputAtItsEndTakesTheDefaultSize) {
    RunningProgram program(scene.path(), "", "");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    ASSERT_TRUE(program.waitForFrameLoop(kStartTimeout)) << program.out();
    const ProcessResult geometry =
        runProcess("xdotool getwindowgeometry " + program.windowId(), "");
    EXPECT_THAT(geometry.out, HasSubstr("Geometry: 1280x768"));
    program.requestClose();
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_THAT(program.out(), HasSubstr("Enter Width \nEnter Height \nFullscreen: "));
}
