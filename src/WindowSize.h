#pragma once

struct WindowSettings;

// True when the size may be handed to glfwCreateWindow: representable as an int, and between 0
// and 32767 once truncated. GLFW refuses a zero size itself, with its own error; a negative one
// trips an assertion in GLFW builds that keep them.
bool windowSizeCreatable(const WindowSettings& settings);

// With a current context: true when the GL can hold the frame's targets and viewport at this size.
// A larger window may be created by the window system and still be impossible to draw or show.
bool windowSizeRenderable(int width, int height);
