#include <GLFW/glfw3.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "Camera.h"
#include "Globals.h"
#include "ProcessRun.h"
#include "Controls.h"
#include "Shell.h"

using ::testing::HasSubstr;

namespace {
ArgumentError apply(std::vector<const char*> args, WindowSettings& settings) {
    std::ostringstream out;
    return applyArguments(static_cast<int>(args.size()), args.data(), settings, out);
}
}  // namespace

TEST(ShellPrompts, AskAllThreeAndUseTheTypedValues) {
    WindowSettings settings;
    std::istringstream in("1024\n600.5\ny\n");
    std::ostringstream out;
    askWindowSettings(settings, in, out);
    EXPECT_EQ(out.str(),
              "Enter Width \nEnter Height \nFullscreen: Yes = 'y', NO = everything else!\n");
    EXPECT_FLOAT_EQ(settings.width, 1024.0f);
    EXPECT_FLOAT_EQ(settings.height, 600.5f);
    EXPECT_TRUE(settings.fullScreen);
}

TEST(ShellPrompts, UpperCaseYMeansWindowedAndFailedReadsKeepDefaults) {
    WindowSettings upper;
    std::istringstream yes("800\n600\nY\n");
    std::ostringstream out;
    askWindowSettings(upper, yes, out);
    EXPECT_FALSE(upper.fullScreen);

    WindowSettings closed;
    std::istringstream empty("");
    askWindowSettings(closed, empty, out);
    EXPECT_FLOAT_EQ(closed.width, 1280.0f);
    EXPECT_FLOAT_EQ(closed.height, 768.0f);
    EXPECT_FALSE(closed.fullScreen);
}

TEST(ShellArguments, OverrideTypedSizeAndIgnoreTextAfterTheNumber) {
    WindowSettings settings;
    settings.fullScreen = true;  // typed at the prompt; two arguments leave it alone
    EXPECT_EQ(apply({"murkmoor", "800.9", "600px"}, settings), ArgumentError::None);
    EXPECT_FLOAT_EQ(settings.width, 800.9f);
    EXPECT_FLOAT_EQ(settings.height, 600.0f);
    EXPECT_TRUE(settings.fullScreen);
    EXPECT_EQ(static_cast<int>(settings.width), 800);

    EXPECT_EQ(apply({"murkmoor", "640", "480", "0"}, settings), ArgumentError::None);
    EXPECT_FALSE(settings.fullScreen);
}

TEST(ShellArguments, OneArgumentIsIgnoredAndBadOnesAreNamed) {
    WindowSettings settings;
    EXPECT_EQ(apply({"murkmoor", "abc"}, settings), ArgumentError::None);
    EXPECT_FLOAT_EQ(settings.width, 1280.0f);
    EXPECT_EQ(apply({"murkmoor", "abc", "600"}, settings), ArgumentError::First);
    EXPECT_EQ(apply({"murkmoor", "800", "x"}, settings), ArgumentError::Second);
    EXPECT_EQ(apply({"murkmoor", "800", "600", "true"}, settings), ArgumentError::Third);
    EXPECT_EQ(apply({"murkmoor", "800", "600", "2"}, settings), ArgumentError::Third);
    EXPECT_STREQ(argumentErrorMessage(ArgumentError::Third),
                 "ERROR: Could not parse third command-line-argument as boolean.");
}

TEST(ShellArguments, SizesBeyondAnIntAreNotRepresentable) {
    WindowSettings settings;
    EXPECT_TRUE(windowSizeRepresentable(settings));
    settings.width = 1e20f;
    EXPECT_FALSE(windowSizeRepresentable(settings));
    settings.width = -1e12f;
    EXPECT_FALSE(windowSizeRepresentable(settings));
    settings.width = 800.0f;
    settings.height = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(windowSizeRepresentable(settings));
    settings.height = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(windowSizeRepresentable(settings));
    settings.height = 0.0f;  // GLFW itself refuses this one
    EXPECT_TRUE(windowSizeRepresentable(settings));
}

TEST(ShellFrameLoop, HeldLetterMovesTenUnitsPerSecondOnlyWhileHeld) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 100);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, 0);
    applyFreeFly(camera, 0.5f);
    EXPECT_NEAR(camera.position.z, -5.0f, 1e-5);

    // Holding W, then pressing and releasing Q: the release stops all movement.
    onKey(nullptr, GLFW_KEY_Q, 0, GLFW_PRESS, 0);
    applyFreeFly(camera, 0.1f);
    EXPECT_NEAR(camera.position.y, -1.0f, 1e-5);
    onKey(nullptr, GLFW_KEY_Q, 0, GLFW_RELEASE, 0);
    const glm::vec3 before = camera.position;
    applyFreeFly(camera, 1.0f);
    EXPECT_EQ(camera.position, before);

    // A repeat does not restart movement; F11 toggles the frame rate without moving.
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_REPEAT, 0);
    EXPECT_FALSE(keyHeld);
    onKey(nullptr, GLFW_KEY_F11, 0, GLFW_PRESS, 0);
    EXPECT_TRUE(showFps);
    EXPECT_FALSE(keyHeld);
    onKey(nullptr, GLFW_KEY_ESCAPE, 0, GLFW_RELEASE, 0);
    EXPECT_FALSE(running);
}

TEST(ShellFrameLoop, MouseLookTurnsByWholePixelsFromTheStartPosition) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 100);
    lastCursorX = 640.0;
    lastCursorY = 384.0;
    applyMouseLook(camera, 640.7, 384.9);  // less than a pixel: the angles do not change
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
    EXPECT_DOUBLE_EQ(lastCursorX, 640.7);

    applyMouseLook(camera, 640.7 + 100.0, 384.9);
    EXPECT_FLOAT_EQ(camera.yaw, 0.2f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    applyMouseLook(camera, 740.7, 384.9 - 50.0);
    EXPECT_FLOAT_EQ(camera.pitch, 0.1f);  // moving the mouse up pitches the view up
}

TEST(ShellBinary, WithoutDisplayReportsTheGlfwFailureOnItsOwnLinesAndFails) {
    const ProcessResult result =
        runProcess(std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + MURKMOOR_BINARY, "\n");
    EXPECT_EQ(result.exitCode, 1);
    // GLFW's description ends its line, so the program's own message starts on a fresh one.
    EXPECT_THAT(result.out, ::testing::ContainsRegex("GLFW error [0-9]+\n[^\n]+\n"
                                                     "GLFW could not be initialized\\. :\\(\n"
                                                     "Press enter to exit\\.$"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("Enter Width")));
}

TEST(ShellBinary, BadArgumentExitsWithCodeOneAfterThePrompts) {
    const ProcessResult bad =
        runProcess(std::string(MURKMOOR_BINARY) + " abc 600", "800\n600\nn\n");
    EXPECT_EQ(bad.exitCode, 1) << bad.out << bad.err;
    EXPECT_THAT(bad.out, HasSubstr("Enter Width \nEnter Height \nFullscreen:"));
    EXPECT_THAT(bad.out, HasSubstr("You are executing '"));
    EXPECT_EQ(bad.err, "ERROR: Could not parse first command-line-argument as integer.\n");

    const ProcessResult third =
        runProcess(std::string(MURKMOOR_BINARY) + " 800 600 true", "");
    EXPECT_EQ(third.exitCode, 1) << third.out << third.err;
    EXPECT_EQ(third.err, "ERROR: Could not parse third command-line-argument as boolean.\n");
}

TEST(ShellBinary, UnrepresentableSizeEndsThroughTheWindowFailure) {
    const ProcessResult result =
        runProcess(std::string(MURKMOOR_BINARY) + " 1e30 600", "");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("GLFW could not create window. :(\nPress enter to exit."));
}
