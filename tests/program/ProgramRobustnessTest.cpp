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

// Frame rates printing, so that frames can be counted. F11 toggles them; a press may be lost, or
// may have landed once more than meant while slow frames drew, so F11 is pressed again whenever no
// frame shows within the wait.
bool printingFrameRates(RunningProgram& program, double wait = 10.0) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        program.xdotool("key --window $W F11");
        if (program.waitForFrames(2, wait)) return true;
    }
    return false;
}

// Escape, repeated if the program has not ended after a while; its exit code, or -1.
int quitWithEscape(RunningProgram& program) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        program.xdotool("key --window $W Escape");
        const int code = program.waitForExit(10.0);
        if (code >= 0) return code;
    }
    return -1;
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

    // Two presses that reach the program; a synthetic key event now and then does not, so a
    // press is repeated when its pose has not shown after a while.
    for (size_t press = 1; press <= 2; ++press) {
        EXPECT_TRUE(eventually(kTimeout, [&] {
            if (occurrences(program.out(), "Camera position: ") >= press) return true;
            const size_t mark = program.out().size();
            program.xdotool("key --window $W c");
            return program.waitForOutput("Camera position: ", 5.0, mark);
        }));
    }
    // Every press that printed its pose said that the file cannot be written, on standard error.
    EXPECT_TRUE(eventually(kTimeout, [&] {
        return occurrences(program.err(), "Error writing to ...\n") ==
               occurrences(program.out(), "Camera position: ");
    })) << program.err();
    EXPECT_EQ(quitWithEscape(program), 0) << program.err();
    const size_t poses = occurrences(program.out(), "Camera position: ");
    EXPECT_GE(poses, 2u);
    std::string expected;
    for (size_t i = 0; i < poses; ++i) expected += "Error writing to ...\n";
    EXPECT_EQ(program.err(), expected);
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
    EXPECT_EQ(quitWithEscape(program), 0);
    EXPECT_EQ(program.err(), "");
    EXPECT_THAT(program.out(), Not(HasSubstr("ALSA")));
    EXPECT_THAT(program.out(), Not(HasSubstr("Uniform does not exist")));
}

TEST_F(ProgramRobustnessTest, InputAtItsEndTakesTheDefaultSize) {
    RunningProgram program(scene.path(), "", "");
    ASSERT_TRUE(program.waitForWindow(kStartTimeout)) << program.out() << program.err();
    // Frames of the default size are slow on a software renderer: a long wait for each try.
    ASSERT_TRUE(printingFrameRates(program, kTimeout)) << program.out();
    const ProcessResult geometry =
        runProcess("xdotool getwindowgeometry " + program.windowId(), "");
    EXPECT_THAT(geometry.out, HasSubstr("Geometry: 1280x768"));
    program.requestClose();
    EXPECT_EQ(program.waitForExit(kTimeout), 0);
    EXPECT_THAT(program.out(), HasSubstr("Enter Width \nEnter Height \nFullscreen: "));
}
