#pragma once

#include <GL/glew.h>

class ShaderProgram;

// Separable Gaussian blur in compute shaders, in work groups of 256 invocations along the blurred
// axis. Used by bloom in "COMP" mode on the half-resolution bright image.
class BlurComp {
public:
    ShaderProgram* programX = nullptr;  // "bloom/blur256x.comp", 256 x 1 work groups
    ShaderProgram* programY = nullptr;  // "bloom/blur256y.comp", 1 x 256 work groups
    GLuint width = 0;
    GLuint height = 0;
    float groupWidth = 256.0f;
    GLuint result = 0;  // texture that holds the last blurred image

    // Built with the half-resolution size.
    BlurComp(int width, int height);

    // Blurs image in place (GL_RGBA16F, width x height): rows into scratch, then columns back into
    // image. Sets result to image. tapSpacing as for BlurFrag::blur.
    void blur(GLuint image, GLuint scratch, int tapSpacing = 1);
};
