#include "Effects/HdrToneMapping.h"

#include <cmath>

#include "ShaderProgram.h"

namespace {
constexpr float kFixedPointScale = 0.0625f;  // the luminance words have four fraction bits
}

HdrToneMapping::HdrToneMapping(int width, int height)
    : width(static_cast<GLuint>(width)), height(static_cast<GLuint>(height)) {
    adaptTime = 2.0f;
    logBase = std::log(2.0);
    bias = 0.65;
    exponent = (std::log(bias) / logBase) / (std::log(0.5) / logBase);
    maxDisplayLum = 100.0;
    threshold = 0.9f;
    mode = 0;

    lumProgram = new ShaderProgram("hdr/lum.comp");
    lumProgram->setUVec2("globalSize", glm::uvec2(this->width, this->height));

    toneProgram = new ShaderProgram("hdr/hdr.comp");
    toneProgram->setUVec2("globalSize", glm::uvec2(this->width, this->height));
    toneProgram->setFloat("threshold", threshold);
    toneProgram->setFloat("logBase", static_cast<float>(logBase));
    toneProgram->setFloat("exponent", static_cast<float>(exponent));

    groupsX = static_cast<GLuint>(std::ceil(static_cast<float>(width) * 0.0625f));
    groupsY = static_cast<GLuint>(std::ceil(static_cast<float>(height) * 0.0625f));

    glGenBuffers(1, &lumBuffer);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, lumBuffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, sizeof(lumReset), lumReset, GL_DYNAMIC_READ);
}

double HdrToneMapping::exposureKey(double lumAvg) {
    const double k = 1.5 - 1.5 / (0.1 * lumAvg + 1.0);
    return k > 0.0 ? k + 0.1 : 0.1;
}

void HdrToneMapping::measure(GLuint input) {
    glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    glUseProgram(lumProgram->id);
    glBindImageTexture(0, input, 0, GL_FALSE, 0, GL_READ_ONLY, GL_RGBA16F);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, lumBuffer);
    glDispatchCompute(groupsX, groupsY, 1);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);

    GLuint words[3] = {0, 0, 0};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, lumBuffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(words), words);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(lumReset), lumReset);
    lumSum = static_cast<float>(words[0]) * kFixedPointScale;
    targetMaxLum = static_cast<float>(words[1]) * kFixedPointScale;
    refLum = static_cast<float>(words[2]) * kFixedPointScale;
}

void HdrToneMapping::setToneUniforms() {
    double key = 0.0;
    double multiplier = 0.0;
    if (mode == 1) {
        if (!(lumSum > 0.0f)) lumSum = kFixedPointScale;
        if (!(targetMaxLum > 0.0f)) targetMaxLum = kFixedPointScale;
        if (!(refLum > 0.0f)) refLum = kFixedPointScale;
    }
    // Before the first adaptation step the adapted maximum is still 0 and log10(0 + 1) would
    // divide by zero: that frame is mapped to its own measured maximum instead.
    const float white = adaptedMaxLum > 0.0f ? adaptedMaxLum : targetMaxLum;
    if (mode == 1) lumRatio = static_cast<double>(white / refLum);

    lumAvg = static_cast<double>(std::exp(lumSum / static_cast<float>(width * height)));
    if (mode == 0 || mode == 2) key = exposureKey(lumAvg) * exposure;
    if (mode == 1) {
        multiplier = (maxDisplayLum * 0.01 / std::log10(white + 1.0f)) /
                     (std::log(std::pow(lumRatio, exponent) * 8.0 + 2.0) / logBase) * exposure;
    } else if (mode == 2) {
        multiplier = key / std::log10(lumAvg + 1.0);
    }

    toneProgram->setInt("mode", static_cast<GLint>(mode));
    if (mode == 1 || mode == 2) {
        toneProgram->setFloat("multiplier", static_cast<float>(multiplier));
    }
    if (mode == 0 || mode == 2) {
        toneProgram->setFloat("key", static_cast<float>(key));
        toneProgram->setFloat("lumAvg", static_cast<float>(lumAvg));
    }
}

void HdrToneMapping::render(GLuint input, GLuint output, GLuint bright) {
    measure(input);
    glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    setToneUniforms();
    glUseProgram(toneProgram->id);
    glBindImageTexture(0, input, 0, GL_FALSE, 0, GL_READ_ONLY, GL_RGBA16F);
    glBindImageTexture(1, output, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA16F);
    glBindImageTexture(2, bright, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA16F);
    glDispatchCompute(groupsX, groupsY, 1);
    // Bloom reads both results as images and textures, the composite samples the scene, and the
    // next frame draws into it again.
    glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT | GL_TEXTURE_FETCH_BARRIER_BIT |
                    GL_FRAMEBUFFER_BARRIER_BIT);
}

void HdrToneMapping::adapt(float dt) {
    if (dt > adaptTime) {
        adaptedMaxLum = targetMaxLum;
        return;
    }
    const double t = static_cast<double>(dt / adaptTime);
    adaptedMaxLum = static_cast<float>((1.0 - t) * adaptedMaxLum + targetMaxLum * t);
}
