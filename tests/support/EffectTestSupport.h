#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

#include "ShaderProgram.h"
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

// Sets the colour of pixel p (y * width + x) of an RGBA float image.
inline void setRgb(std::vector<float>& rgba, size_t p, float r, float g, float b) {
    rgba[p * 4] = r, rgba[p * 4 + 1] = g, rgba[p * 4 + 2] = b;
}

// The red channel of every pixel of an RGBA float image.
std::vector<float> redChannel(const std::vector<float>& rgba);

// Runs fn under a stdout capture and returns what was printed.
template <typename Fn>
std::string printedBy(Fn&& fn) {
    StdoutCapture capture;
    fn();
    return capture.finish();
}

// A program the engine's ShaderProgram builds, quietly, from a test's own vertex and fragment
// source.
ShaderProgram programFromSources(const std::string& vertex, const std::string& fragment);
