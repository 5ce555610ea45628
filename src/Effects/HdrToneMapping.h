#pragma once

#include <GL/glew.h>

class ShaderProgram;

// Tone mapping of the HDR scene in place, in one of three modes ("LINEAR", "DRAGO", "DRAGO
// MODIFIED"), from luminance statistics measured on the GPU and read back each frame; also writes
// the bright parts of the mapped image for the bloom blur.
class HdrToneMapping {
public:
    ShaderProgram* lumProgram = nullptr;   // "hdr/lum.comp"
    ShaderProgram* toneProgram = nullptr;  // "hdr/hdr.comp"
    GLuint lumBuffer = 0;                  // three fixed-point words at binding point 1
    GLuint lumReset[3] = {0, 0, 0};
    GLuint groupsX = 0;
    GLuint groupsY = 0;
    GLuint width = 0;
    GLuint height = 0;
    float lumSum = 0.0f;
    float adaptedMaxLum = 0.0f;
    float refLum = 0.0f;
    double lumAvg = 0.0;
    double lumRatio = 0.0;
    float targetMaxLum = 0.0f;
    float adaptTime = 2.0f;
    double logBase = 0.0;
    double bias = 0.0;
    double exponent = 0.0;
    double maxDisplayLum = 0.0;
    float threshold = 0.0f;
    float exposure = 1.0f;  // scales the mapped image in every mode, after the measured key
    GLuint mode = 0;        // 0 "LINEAR", 1 "DRAGO", 2 "DRAGO MODIFIED"

    // Built with the viewport size.
    HdrToneMapping(int width, int height);

    // Measures input, derives the mode's parameters and maps input into output (they may be the
    // same texture), writing the parts above the threshold into bright. All GL_RGBA16F.
    void render(GLuint input, GLuint output, GLuint bright);
    // Moves the adapted maximum luminance towards the last measured one ("DRAGO").
    void adapt(float dt);
    // Sets the adapted maximum to the last measured one, as if the eye had rested on that frame.
    void settle() { adaptedMaxLum = targetMaxLum; }

    // The exposure key for a log-average luminance: from 0.1 upwards, below 1.6.
    static double exposureKey(double lumAvg);

private:
    void measure(GLuint input);
    void setToneUniforms();
};
