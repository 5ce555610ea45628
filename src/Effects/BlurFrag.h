#pragma once

#include <GL/glew.h>

#include "Effects/Quad.h"

class ShaderProgram;

// Two-pass separable Gaussian blur drawn with fragment shaders into two half-resolution ping-pong
// targets. Used by bloom ("FRAG" mode) and to soften the ambient occlusion.
class BlurFrag {
public:
    Quad* targetA = nullptr;  // horizontal pass result
    Quad* targetB = nullptr;  // vertical pass result: the blurred image
    ShaderProgram* programH = nullptr;
    ShaderProgram* programV = nullptr;
    GLuint result = 0;  // texture of the last blurred image; set by the users of the blur

    // Built with the half-resolution size.
    BlurFrag(int width, int height);

    // One horizontal and one vertical pass; the input may be full size (the first pass then also
    // downsamples). The blurred image is targetB's texture, which result is set to as well.
    void blur(GLuint input);
};
