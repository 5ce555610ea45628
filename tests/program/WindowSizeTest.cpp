#include <gmock/gmock.h>

#include <limits>
#include <sstream>

#include "DisplayLock.h"
#include "GlTestFixture.h"
#include "ProcessRun.h"
#include "Shell.h"
#include "WindowSize.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
const char* const kRefused = "GLFW could not create window. :(\nPress enter to exit.";

WindowSettings sized(float width, float height) {
    WindowSettings settings;
    settings.width = width;
    settings.height = height;
    return settings;
}

// The program with the given arguments and prompt answers; a size that slipped through would
// open a window and run, so the run is cut short.
ProcessResult runProgram(const std::string& arguments, const std::string& answers) {
    return runProcess("timeout 60 " + std::string(MURKMOOR_BINARY) + " " + arguments, answers);
}
}  // namespace

TEST(WindowSize, OnlySizesBetweenZeroAndTheWindowSystemLimitAreCreatable) {
    EXPECT_TRUE(windowSizeCreatable(sized(1280, 768)));
    EXPECT_TRUE(windowSizeCreatable(sized(0, 0)));      // GLFW refuses it with its own error
    EXPECT_TRUE(windowSizeCreatable(sized(-0.9f, 1)));  // truncates to 0
    EXPECT_TRUE(windowSizeCreatable(sized(32767, 32767.5f)));
    EXPECT_FALSE(windowSizeCreatable(sized(-1, 600)));
    EXPECT_FALSE(windowSizeCreatable(sized(800, -600)));
    EXPECT_FALSE(windowSizeCreatable(sized(32768, 600)));
    EXPECT_FALSE(windowSizeCreatable(sized(2e9f, 600)));
    EXPECT_FALSE(windowSizeCreatable(sized(800, 1e30f)));
    EXPECT_FALSE(windowSizeCreatable(sized(std::numeric_limits<float>::quiet_NaN(), 600)));
}

TEST(WindowSize, NonNumericPromptsFailTheStreamAndBadArgumentsAreRefused) {
    const auto typed = [](const char* text) {
        WindowSettings settings;
        std::istringstream in(text);
        std::ostringstream out;
        askWindowSettings(settings, in, out);
        EXPECT_TRUE(in.fail()) << text;
        EXPECT_FALSE(settings.fullScreen) << text;
        EXPECT_FLOAT_EQ(settings.height, 768.0f) << text;  // every read after the failed one fails
        return settings;
    };
    EXPECT_FLOAT_EQ(typed("\n").width, 1280.0f);  // end of input: the defaults
    // A failed conversion stores zero, which GLFW refuses; an overflow stores the largest float.
    EXPECT_FLOAT_EQ(typed("abc\n480\ny\n").width, 0.0f);
    EXPECT_FLOAT_EQ(typed("nan\n480\ny\n").width, 0.0f);
    EXPECT_FALSE(windowSizeCreatable(typed("1e39\n480\ny\n")));

    for (const char* width : {"nan", "inf", "1e39", "-", "x800"}) {
        WindowSettings settings;
        std::ostringstream out;
        const char* argv[] = {"murkmoor", width, "600"};
        EXPECT_EQ(applyArguments(3, argv, settings, out), ArgumentError::First) << width;
    }
}

class WindowSizeGlTest : public GlTest {};

TEST_F(WindowSizeGlTest, RenderableSizesStayWithinTheGlLimits) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    EXPECT_TRUE(windowSizeRenderable(kWidth, kHeight));
    EXPECT_TRUE(windowSizeRenderable(1, 1));
    EXPECT_FALSE(windowSizeRenderable(0, kHeight));
    EXPECT_FALSE(windowSizeRenderable(kWidth, 0));
    EXPECT_FALSE(windowSizeRenderable(largest + 1, kHeight));
    EXPECT_FALSE(windowSizeRenderable(kWidth, largest + 1));
}

// Every size that cannot give a working window ends through the window failure, whether typed at
// the prompts or given as arguments, and nothing crashes on the way.
TEST(WindowSizeBinary, RefusedSizesEndThroughTheWindowFailure) {
    const DisplayLock lock;  // some of these open a window for a moment
    struct Case {
        const char* arguments;
        const char* answers;
    };
    const Case cases[] = {
        {"", "abc\n"},
        {"", "-0.5\n-0.5\nn\n"},
        {"", "0\n0\nn\n"},
        {"", "-640\n480\nn\n"},
        {"", "1e30\n600\nn\n"},
        {"", "3e9\n600\nn\n"},
        {"", "40000\n40000\nn\n"},
        {"", "20000\n100\nn\n"},
        {"0 0", "\n"},
        {"-640 480", "\n"},
        {"99999999999 600", "\n"},
        {"2000000000 600", "\n"},
        {"640 -1", "\n"},
        {"100000 100", "\n"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = runProgram(c.arguments, c.answers);
        const std::string label =
            std::string("arguments '") + c.arguments + "', answers '" + c.answers + "'";
        EXPECT_EQ(result.exitCode, 1) << label << "\n" << result.out << result.err;
        EXPECT_THAT(result.out, HasSubstr(kRefused)) << label;
        EXPECT_THAT(result.err, Not(HasSubstr("Assertion"))) << label;
    }
}
