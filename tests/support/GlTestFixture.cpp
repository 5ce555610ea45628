#include "GlTestFixture.h"

#include <cstdio>
#include <cstdlib>

#include "HiddenWindow.h"

namespace {
GLFWwindow* sharedWindow = nullptr;
bool recordingGroups = false;

std::vector<std::string>& groupsOpened() {
    static std::vector<std::string> groups;
    return groups;
}

void GLAPIENTRY onDebugMessage(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar* message,
                               const void*) {
    if (type == GL_DEBUG_TYPE_ERROR) GlTest::glErrors().emplace_back(message);
    if (type == GL_DEBUG_TYPE_PUSH_GROUP && recordingGroups) groupsOpened().emplace_back(message);
}

void createContext() {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    ASSERT_TRUE(glfwInit()) << "no display: run the GL tests under Xvfb";
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);  // the tools' window keeps this hint
    sharedWindow = openHiddenWindow(GlTest::kWidth, GlTest::kHeight, "test");
    ASSERT_NE(sharedWindow, nullptr);
    glGetError();  // GLEW's probing may leave an error flag behind.
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onDebugMessage, nullptr);
}
}  // namespace

void closeSharedContext() {
    if (!sharedWindow) return;
    glFinish();
    glfwDestroyWindow(sharedWindow);
    sharedWindow = nullptr;
    glfwTerminate();
}

std::vector<std::string>& GlTest::glErrors() {
    static std::vector<std::string> errors;
    return errors;
}

const std::vector<std::string>& GlTest::recordDebugGroups() {
    groupsOpened().clear();
    recordingGroups = true;
    return groupsOpened();
}

GLFWwindow* GlTest::window() {
    return sharedWindow;
}

void GlTest::SetUp() {
    if (!sharedWindow) createContext();
    glErrors().clear();
    capturedBefore = StdoutCapture::everythingCaptured().size();
    testOutput = std::make_unique<StdoutCapture>();
}

size_t GlTest::takeGlErrors() {
    const size_t count = glErrors().size();
    glErrors().clear();
    return count;
}

void GlTest::TearDown() {
    if (testOutput) {
        const std::string shown = testOutput->finish();
        testOutput.reset();
        fwrite(shown.data(), 1, shown.size(), stdout);
        fflush(stdout);
        const std::string printed = StdoutCapture::everythingCaptured().substr(capturedBefore);
        const size_t line = printed.find("Uniform does not exist: ");
        if (!missingUniformsExpected && line != std::string::npos) {
            ADD_FAILURE() << printed.substr(line, printed.find('\n', line) - line);
        }
    }
    for (const std::string& error : glErrors()) ADD_FAILURE() << "GL error: " << error;
    glErrors().clear();
}

std::vector<float> readTextureRgba(GLuint texture, int width, int height) {
    std::vector<float> pixels(static_cast<size_t>(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}

std::vector<float> readFramebufferRgba(GLuint framebuffer, int width, int height) {
    std::vector<float> pixels(static_cast<size_t>(width) * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(framebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}
