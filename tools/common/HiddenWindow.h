#pragma once

struct GLFWwindow;

// Opens an invisible window with an OpenGL 4.3 core context, makes it current and loads GLEW.
// Returns null (with GLFW terminated again) when any of that fails; GLFW's errors go to stderr.
GLFWwindow* openHiddenWindow(int width, int height, const char* title);
