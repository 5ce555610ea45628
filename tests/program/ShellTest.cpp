// The console side: prompts, arguments, accepted sizes, the loop's keys and mouse, failed starts.
#include <GLFW/glfw3.h>
#include <gmock/gmock.h>

#include <limits>
#include <memory>
#include <sstream>

#include "Camera.h"
#include "Controls.h"
#include "DisplayLock.h"
#include "Globals.h"
#include "KeyPoint.h"
#include "ProcessRun.h"
#include "Shell.h"
#include "ProgramOptions.h"
#include "TestFiles.h"
#include "WindowSize.h"

using ::testing::ContainsRegex;
using ::testing::HasSubstr;

namespace {
const float kHuge = std::numeric_limits<float>::max();
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
}  // namespace

// Typed answers: a failed read leaves the stream failed and every later value at its default.
TEST(ShellPrompts, TypedValuesAreTakenAndFailedReadsKeepTheDefaults) {
    struct Row {
        const char* typed;
        float width, height;
        bool fullScreen, failed;
    };
    const Row rows[] = {
        {"1024\n600.5\ny\n", 1024, 600.5f, true, false},
        {"800\n600\nY\n", 800, 600, false, false},  // only a lower-case y means full screen
        {"", 1280, 768, false, true},
        {"\n", 1280, 768, false, true},
        {"abc\n480\ny\n", 0, 768, false, true},  // a failed conversion stores zero
        {"nan\n480\ny\n", 0, 768, false, true},
        {"1e39\n480\ny\n", kHuge, 768, false, true},  // an overflow stores the largest float
    };
    for (const Row& row : rows) {
        WindowSettings settings;
        std::istringstream in(row.typed);
        std::ostringstream out;
        askWindowSettings(settings, in, out);
        EXPECT_FLOAT_EQ(settings.width, row.width) << row.typed;
        EXPECT_FLOAT_EQ(settings.height, row.height) << row.typed;
        EXPECT_EQ(settings.fullScreen, row.fullScreen) << row.typed;
        EXPECT_EQ(in.fail(), row.failed) << row.typed;
    }
}

// Two or more arguments override the typed answers (full screen typed here); one is ignored.
TEST(ShellArguments, OverrideTheTypedAnswersOrNameTheBadOne) {
    struct Row {
        std::vector<const char*> arguments;
        ArgumentError error;
        float width = 0, height = 0;  // when there is no error
        bool fullScreen = true;
    };
    const Row rows[] = {
        {{"800.9", "600px"}, ArgumentError::None, 800.9f, 600},  // text after the number ignored
        {{"640", "480", "0"}, ArgumentError::None, 640, 480, false},
        {{"abc"}, ArgumentError::None, 1280, 768},
        {{"abc", "600"}, ArgumentError::First},
        {{"nan", "600"}, ArgumentError::First},
        {{"inf", "600"}, ArgumentError::First},
        {{"1e39", "600"}, ArgumentError::First},
        {{"-", "600"}, ArgumentError::First},
        {{"x800", "600"}, ArgumentError::First},
        {{"800", "x"}, ArgumentError::Second},
        {{"800", "600", "true"}, ArgumentError::Third},
        {{"800", "600", "2"}, ArgumentError::Third},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv = {"murkmoor"};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        const std::string label = ::testing::PrintToString(row.arguments);
        WindowSettings settings;
        settings.fullScreen = true;
        std::ostringstream out;
        EXPECT_EQ(applyArguments(static_cast<int>(argv.size()), argv.data(), settings, out),
                  row.error)
            << label;
        if (row.error != ArgumentError::None) continue;
        EXPECT_FLOAT_EQ(settings.width, row.width) << label;
        EXPECT_FLOAT_EQ(settings.height, row.height) << label;
        EXPECT_EQ(settings.fullScreen, row.fullScreen) << label;
    }
}

// "--time SECONDS" and "--path FILE" are taken out wherever they stand, before the positional
// arguments are read.
TEST(ShellArguments, TheStartTimeAndPathAreTakenOutBeforeThePositionalOnes) {
    struct Row {
        std::vector<const char*> arguments;
        std::vector<std::string> left;
        bool valid = true;
        double seconds = 0.0;
    };
    const Row rows[] = {
        {{"--time", "110", "800", "600"}, {"800", "600"}, true, 110.0},
        {{"800", "--time", "0.5", "600", "0"}, {"800", "600", "0"}, true, 0.5},
        {{"800", "600"}, {"800", "600"}},
        {{"800", "600", "--time"}, {"800", "600"}, false},
        {{"--time", "-1"}, {}, false},
        {{"--time", "5s"}, {}, false},
        {{"--time", "nan"}, {}, false},
    };
    for (const Row& row : rows) {
        std::vector<char*> argv = {const_cast<char*>("murkmoor")};
        for (const char* argument : row.arguments) argv.push_back(const_cast<char*>(argument));
        argv.push_back(nullptr);
        int argc = static_cast<int>(argv.size()) - 1;
        const StartTime start = takeStartTime(argc, argv.data());
        const std::string label = ::testing::PrintToString(row.arguments);
        EXPECT_EQ(std::vector<std::string>(argv.begin() + 1, argv.begin() + argc), row.left)
            << label;
        EXPECT_EQ(start.valid, row.valid) << label;
        if (row.valid) {
            EXPECT_DOUBLE_EQ(start.seconds, row.seconds) << label;
        }
    }
    // "--path FILE" is taken out the same way, beside "--time"; one without a file is refused.
    const char* both[] = {"murkmoor", "--path", "a.txt", "800", "--time", "3", "600", nullptr};
    int argc = 7;
    char** argv = const_cast<char**>(both);
    const PathFileOption path = takePathFile(argc, argv);
    EXPECT_TRUE(path.given && path.valid);
    EXPECT_EQ(path.file, "a.txt");
    EXPECT_DOUBLE_EQ(takeStartTime(argc, argv).seconds, 3.0);
    EXPECT_EQ(std::vector<std::string>(argv + 1, argv + argc),
              (std::vector<std::string>{"800", "600"}));
    const char* bare[] = {"murkmoor", "800", "--path", nullptr};
    argc = 3;
    EXPECT_FALSE(takePathFile(argc, const_cast<char**>(bare)).valid);
    EXPECT_EQ(argc, 2);
}

// A size may be converted when it fits an int, and handed to GLFW when it is 0 to 32767 truncated.
TEST(ShellWindowSize, RepresentableAndCreatableSizes) {
    struct Row {
        float width, height;
        bool representable, creatable;
    };
    const Row rows[] = {
        {1280, 768, true, true},    {0, 0, true, true},  // GLFW refuses 0 with its own error
        {-0.9f, 1, true, true},     {32767, 32767.5f, true, true},
        {-1, 600, true, false},     {800, -600, true, false},
        {32768, 600, true, false},  {2e9f, 600, true, false},
        {1e20f, 768, false, false}, {-1e12f, 768, false, false},
        {800, 1e30f, false, false}, {800, kInf, false, false},
        {kNaN, 600, false, false},  {800, kNaN, false, false},
    };
    for (const Row& row : rows) {
        WindowSettings settings;
        settings.width = row.width;
        settings.height = row.height;
        EXPECT_EQ(windowSizeRepresentable(settings), row.representable)
            << row.width << "x" << row.height;
        EXPECT_EQ(windowSizeCreatable(settings), row.creatable) << row.width << "x" << row.height;
    }
}

// The release of any letter stops all movement; repeats and F11 start none; Escape ends the loop.
TEST(ShellFrameLoop, AnyReleaseStopsMovementAndRepeatsStartNone) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 100);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, 0);
    onKey(nullptr, GLFW_KEY_Q, 0, GLFW_PRESS, 0);
    applyFreeFly(camera, 0.1f);
    EXPECT_NEAR(camera.position.y, -1.0f, 1e-5);
    onKey(nullptr, GLFW_KEY_Q, 0, GLFW_RELEASE, 0);
    const glm::vec3 before = camera.position;
    applyFreeFly(camera, 1.0f);
    EXPECT_EQ(camera.position, before);

    onKey(nullptr, GLFW_KEY_W, 0, GLFW_REPEAT, 0);
    EXPECT_FALSE(keyHeld);
    onKey(nullptr, GLFW_KEY_F11, 0, GLFW_PRESS, 0);
    EXPECT_TRUE(showFps);
    EXPECT_FALSE(keyHeld);
    onKey(nullptr, GLFW_KEY_ESCAPE, 0, GLFW_RELEASE, 0);
    EXPECT_FALSE(running);
}

// Shift or Ctrl held at the press flies at a tenth of the speed, as long as the key is held. A
// frame longer than a tenth of a second (a software renderer at a few frames a second) moves as
// far as one of a tenth: 1 metre, or 0.1 with Shift or Ctrl, however long it took.
TEST(ShellFrameLoop, ShiftOrCtrlFliesAtATenthOfTheSpeedAndASlowFrameMovesAMetreAtMost) {
    for (const int mods : {0, GLFW_MOD_SHIFT, GLFW_MOD_CONTROL, GLFW_MOD_SHIFT | GLFW_MOD_ALT}) {
        const float share = mods ? 0.1f : 1.0f;
        Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 100);
        onKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, mods);
        applyFreeFly(camera, 0.05f);
        EXPECT_NEAR(-camera.position.z, 0.5f * share, 1e-5f) << mods;
        applyFreeFly(camera, 2.0f);
        EXPECT_NEAR(-camera.position.z, 1.5f * share, 1e-5f) << mods;
        onKey(nullptr, GLFW_KEY_W, 0, GLFW_RELEASE, mods);
    }
}

// Mouse look turns by whole pixels of motion (500 pixels a radian), up pitches the view up, and
// the motion made while the path flies is taken without turning: 150 pixels after a pause turn
// the view 0.3 radians from where the path left it, whatever the mouse did during the flight.
TEST(ShellFrameLoop, MouseLookTurnsByWholePixelsAndOnlyWhileThePathIsPaused) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 100);
    lastCursorX = 640.0;
    lastCursorY = 384.0;
    const float startYaw = camera.yaw;
    applyMouseLook(camera, 640.7, 384.9, false);  // less than a pixel: the angles do not change
    EXPECT_EQ(camera.yaw, startYaw);
    applyMouseLook(camera, 640.7 + 100.0, 384.9, false);
    EXPECT_FLOAT_EQ(camera.yaw, startYaw + 0.2f);
    applyMouseLook(camera, 740.7, 384.9 - 50.0, false);
    EXPECT_FLOAT_EQ(camera.pitch, 0.1f);  // moving the mouse up pitches the view up

    camera.setLookAt({0, 0, 0}, {1, 0, 0});
    applyMouseLook(camera, 2000.0, -900.0, true);
    EXPECT_EQ(camera.front, glm::vec3(1, 0, 0));
    applyMouseLook(camera, 2150.0, -900.0, false);
    EXPECT_NEAR(camera.front.z, std::sin(0.3f), 1e-5f);
}

// Every failed start ends with code 1 and its message, crashing nowhere (a size let through runs).
TEST(ShellBinary, FailuresEndWithTheirMessageAndCodeOne) {
    const char* const refused = "GLFW could not create window\\. :\\(\nPress enter to exit\\.";
    const char* const prompted =
        "^Enter Width \nEnter Height \nFullscreen: [^\n]*\n(.|\n)*You are executing '";
    struct Row {
        const char* command;  // before the arguments
        const char* arguments;
        const char* answers;
        const char* out;           // a regular expression
        const char* err;           // exactly, or null for anything but an assertion
        bool opensWindow = false;  // for a moment: it would take a running program's keys
    };
    const Row rows[] = {
        // GLFW's description ends its line, so the program's own message starts on a fresh one.
        {"env -u DISPLAY -u WAYLAND_DISPLAY", "", "\n",
         "^GLFW error [0-9]+\n[^\n]+\nGLFW could not be initialized\\. :\\(\nPress enter to "
         "exit\\.$",
         nullptr},
        {"", "abc 600", "800\n600\nn\n", prompted,
         "ERROR: Could not parse first command-line-argument as integer.\n"},
        {"", "800 600 true", "", prompted,
         "ERROR: Could not parse third command-line-argument as boolean.\n"},
        {"", "800 600 --time soon", "", prompted, "ERROR: Could not parse --time as seconds.\n"},
        {"", "800 600 --path", "", prompted, "ERROR: --path needs a file of key points.\n"},
        // The tools' message, with the file, the line and the column.
        {"", "--path bad.txt 800 600", "", prompted,
         "ERROR: bad.txt:2: expected a number at column 47 of a key point line, e.g. "
         "m_keyPoints.push_back(KeyPoint(glm::vec3(0.000000, 0.000000, 0.000000), "
         "glm::vec3(0.000000 ,0.000000 ,-1.000000)));\n"},
        {"", "1e30 600", "", refused, nullptr},
        {"", "0 0", "\n", refused, nullptr},
        {"", "2000000000 600", "\n", refused, nullptr},
        {"", "640 -1", "\n", refused, nullptr},
        {"", "", "abc\n", refused, nullptr},
        {"", "", "-0.5\n-0.5\nn\n", refused, nullptr},
        {"", "", "3e9\n600\nn\n", refused, nullptr},
        {"", "", "40000\n40000\nn\n", refused, nullptr},
        {"", "", "20000\n100\nn\n", refused, nullptr, true},
    };
    // In a folder of its own: no recording left there by another run is kept aside with a line
    // before the prompts.
    const TempDir dir;
    dir.write("bad.txt", keyPointLine({0, 0, 0}, {0, 0, -1}) +
                             "m_keyPoints.push_back(KeyPoint(glm::vec3(1.0, oops\n");
    for (const Row& row : rows) {
        const std::unique_ptr<DisplayLock> lock(row.opensWindow ? new DisplayLock : nullptr);
        const ProcessResult result =
            runProcess("cd '" + dir.path() + "' && " + row.command + " timeout 60 " +
                           MURKMOOR_BINARY + " " + row.arguments,
                       row.answers);
        const std::string label = std::string(row.arguments) + " / " + row.answers;
        EXPECT_EQ(result.exitCode, 1) << label << "\n" << result.out << result.err;
        EXPECT_THAT(result.out, ContainsRegex(row.out)) << label;
        if (row.err) {
            EXPECT_EQ(result.err, row.err) << label;
        } else {
            EXPECT_THAT(result.err, ::testing::Not(HasSubstr("Assertion"))) << label;
        }
    }
}
