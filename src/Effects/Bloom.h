#pragma once

#include <GL/glew.h>

class ShaderProgram;

// How strongly the final composite adds the blurred bright image to the scene: at night the lights
// glare.
constexpr float kBloomStrength = 3.5f;

// Bright pass of the bloom while tone mapping is off: writes the over-bright part of the HDR scene
// into the bright texture that the blur spreads.
class Bloom {
public:
    ShaderProgram* program = nullptr;  // "bloom/bloom.comp", 16 x 16 work groups
    GLuint groupsX = 0;
    GLuint groupsY = 0;

    // Built with the viewport size.
    Bloom(int width, int height);

    // Reads input on image unit 0 and writes output on image unit 1 (both GL_RGBA16F, full size).
    void extract(GLuint input, GLuint output);
};
