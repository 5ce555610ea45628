#include "HiddenWindow.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <string>

#include "GlEntryPoints.h"

GLFWwindow* openHiddenWindow(int width, int height, const char* title) {
    glfwSetErrorCallback([](int code, const char* description) {
        std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
    });
    if (!glfwInit()) return nullptr;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window = glfwCreateWindow(width, height, title, nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    std::string error;
    if (!loadGlEntryPoints(false, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        glfwTerminate();
        return nullptr;
    }
    return window;
}
