#pragma once

#include <string>
#include <vector>

// The files that failed to load, compile or link while the scene was set up: the model, a
// texture, a shader. The loaders report them on the console in their own words and go on with
// what loaded, as the program does; they note them here as well, so that a tool can refuse to
// draw a scene with a hole in it.
struct LoadFailure {
    std::string file;  // e.g. "shaders/lighting.frag"
    std::string what;  // e.g. "cannot be opened"
};

void noteLoadFailure(const std::string& file, const std::string& what);
// In the order they happened.
const std::vector<LoadFailure>& loadFailures();

// Whether a shader file that cannot be opened waits for Enter before the build goes on: the
// program's console does (the default), the tools never read standard input.
void setMissingShaderWaitsForEnter(bool wait);
bool missingShaderWaitsForEnter();
