#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "StdoutCapture.h"

// A hidden window with an OpenGL 4.3 core debug context, made once per process and kept current.
// Every GL debug message of type error that arrives during a test fails that test, and so does a
// "Uniform does not exist: " line printed during it, even inside a capture the test keeps quiet.
class GlTest : public ::testing::Test {
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 192;
    static std::vector<std::string>& glErrors();
    // From now on, the names of the debug groups opened, in order (kept only when asked: a
    // frame's own allocations are counted by some tests).
    static const std::vector<std::string>& recordDebugGroups();
    static GLFWwindow* window();

protected:
    void SetUp() override;
    void TearDown() override;
    // Discards the errors reported so far and returns how many there were: for tests whose
    // behaviour under a failing compile or link is what they check.
    static size_t takeGlErrors();
    // For tests whose subject is the missing-uniform line itself.
    void expectMissingUniformLines() { missingUniformsExpected = true; }

private:
    std::unique_ptr<StdoutCapture> testOutput;
    size_t capturedBefore = 0;
    bool missingUniformsExpected = false;
};

// Ends the shared context and GLFW before the process exits, so the driver's threads are not torn
// down by the exit handlers underneath a live context.
void closeSharedContext();

// Level 0 of a 2D texture, and a framebuffer's first colour attachment (the window's back buffer
// for 0), read back as RGBA floats, rows bottom to top.
std::vector<float> readTextureRgba(GLuint texture, int width, int height);
std::vector<float> readFramebufferRgba(GLuint framebuffer, int width, int height);
