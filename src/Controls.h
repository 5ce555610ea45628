#pragma once

#include <iosfwd>

struct GLFWwindow;
class Camera;

// GLFW input callbacks, installed once the scene has loaded.
void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
void handleKeyPress(GLFWwindow* window, int key, int scancode, int action);
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onScroll(GLFWwindow* window, double xoffset, double yoffset);

// Prints the camera pose and appends it as a key-point line to the file, or says on standard
// error that the file cannot be written.
void recordKeyPoint(const Camera& camera, std::ostream& file);
