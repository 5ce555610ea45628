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
    // tapSpacing > 1 (up to 2) spreads the taps that many texels apart: a wider blur for an image
    // that is smooth already, where it skips nothing.
    void blur(GLuint input, float tapSpacing = 1.0f);
};
