#pragma once

#include <GL/glew.h>

#include <chrono>
#include <string>
#include <vector>

#include "StdoutCapture.h"
#include "TestFiles.h"

// A 2D texture of the given format filled from RGBA floats (rows bottom to top), linear filtering
// and clamped to the edge like the render targets.
GLuint makeRgbaTexture(int width, int height, const std::vector<float>& rgba,
                       GLenum internalFormat = GL_RGBA16F);

// Channel c of pixel (x, y) in an RGBA float image of the given width.
inline float channel(const std::vector<float>& rgba, int width, int x, int y, int c) {
    return rgba[(static_cast<size_t>(y) * width + x) * 4 + c];
}

// Runs fn under a stdout capture and returns what was printed.
template <typename Fn>
std::string printedBy(Fn&& fn) {
    StdoutCapture capture;
    fn();
    return capture.finish();
}

// Wall-clock milliseconds of fn, with the GL pipeline drained before and after.
template <typename Fn>
double gpuMilliseconds(Fn&& fn) {
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    fn();
    glFinish();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count();
}
