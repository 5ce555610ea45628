#pragma once

#include <string>

#include "HeadlessContext.h"

struct GLFWwindow;

// The tools' OpenGL 4.3 core context: a hidden GLFW window where there is a display, EGL with no
// window system where there is none or when asked. Either way the tools draw into a framebuffer
// of their own (OutputFrame), so the frames do not depend on which it is.
struct ToolContext {
    GLFWwindow* window = nullptr;  // set when the context is a hidden window's
    HeadlessContext headless;      // set when it is EGL's
};

// Opens the context and makes it current: headless when asked for or when no display is named,
// otherwise a hidden window, and headless after all if that window cannot be opened. False with
// the reasons in error when neither works.
bool openToolContext(int width, int height, const char* title, bool headless, ToolContext& tool,
                     std::string& error);

// Destroys the context (and the window, with GLFW). No GL call may follow.
void closeToolContext(ToolContext& tool);

// "hidden GLFW window" or the EGL platform the context came from.
std::string contextKind(const ToolContext& tool);

// Four lines, "GL vendor: ...", "GL renderer: ...", "GL version: ...", "GL context: ...", each
// ending in a newline, for the current context.
std::string describeGlContext(const ToolContext& tool);
