#pragma once

#include <iosfwd>

struct GLFWwindow;
class Camera;

// GLFW input callbacks, installed once the scene has loaded.
void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
void handleKeyPress(GLFWwindow* window, int key, int scancode, int action);
// The frame study's keys: H shows or hides the overlay, V and shift+V step through the views, F12
// asks for a screenshot, P shows or hides the path. False for any other key. Like the switches,
// they leave the movement as it is.
bool handleFrameStudyKey(int key, int mods);
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onScroll(GLFWwindow* window, double xoffset, double yoffset);

// Prints the camera pose and appends it as a key-point line to the file, or says on standard
// error that the file cannot be written. True when the line went into the file.
bool recordKeyPoint(const Camera& camera, std::ostream& file);
