#include <gtest/gtest.h>

#include <string>

#include "ProcessRun.h"

// The tools take a hidden window where a display is named and EGL with no window system where
// none is, when asked, or when the named display cannot be opened; each way the context is
// 4.3 core on the same driver.
TEST(ToolContext, AWindowWhereThereIsADisplayAndEglWhereThereIsNoneOrWhenAsked) {
    const std::string info = std::string(MURKMOOR_CAPTURE) + " --gl-info";
    const struct {
        std::string command;
        const char* context;
    } cases[] = {
        {info, "GL context: hidden GLFW window"},
        {info + " --headless", "GL context: EGL "},
        {"env -u DISPLAY -u WAYLAND_DISPLAY " + info, "GL context: EGL "},
        {"DISPLAY=:4711 " + info, "GL context: EGL "},
    };
    for (const auto& c : cases) {
        const ProcessResult run = runProcess(c.command, "");
        EXPECT_EQ(run.exitCode, 0) << c.command << "\n" << run.err;
        EXPECT_NE(run.out.find(c.context), std::string::npos) << c.command << "\n" << run.out;
        EXPECT_NE(run.out.find("GL renderer: llvmpipe"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Core Profile"), std::string::npos) << run.out;
    }
}
