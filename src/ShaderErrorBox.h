#pragma once

#include <string>

// Inside the overlay's frame: the log of a shader that failed to build, in a red box across the top
// of the window (its first lines, each wrapped to the window's width), kept until a good reload.
void buildShaderErrorBox(const std::string& log, int width, int height);
