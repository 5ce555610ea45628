#include "ToolContext.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

#include "HiddenWindow.h"

namespace {
bool setInEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// A window system is named in the environment.
bool displayNamed() {
    return setInEnvironment("DISPLAY") || setInEnvironment("WAYLAND_DISPLAY");
}

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "(unknown)";
}
}  // namespace

bool openToolContext(int width, int height, const char* title, bool headless, ToolContext& tool,
                     std::string& error) {
    tool = ToolContext{};
    if (!headless && displayNamed()) {
        tool.window = openHiddenWindow(width, height, title);
        if (tool.window) return true;
        std::fprintf(stderr, "no OpenGL 4.3 window on this display; trying EGL without one\n");
    }
    return openHeadlessContext(tool.headless, false, error);
}

void closeToolContext(ToolContext& tool) {
    if (tool.window) {
        glfwTerminate();
        tool.window = nullptr;
    }
    closeHeadlessContext(tool.headless);
}

std::string contextKind(const ToolContext& tool) {
    return tool.window ? "hidden GLFW window" : tool.headless.platform;
}

std::string describeGlContext(const ToolContext& tool) {
    return "GL vendor: " + glString(GL_VENDOR) + "\nGL renderer: " + glString(GL_RENDERER) +
           "\nGL version: " + glString(GL_VERSION) + "\nGL context: " + contextKind(tool) + "\n";
}
