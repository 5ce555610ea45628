#include "Effects/BlurComp.h"

#include <cmath>

#include "ShaderProgram.h"

namespace {
ShaderProgram* buildBlurProgram(const char* computeFile, GLuint width, GLuint height) {
    ShaderProgram* program = new ShaderProgram(computeFile);
    program->setInt("inputImg", 0);
    program->setInt("outputImg", 1);
    program->setUVec2("globalSize", glm::uvec2(width, height));
    program->setInt("tapSpacing", 1);
    return program;
}

void bindImages(GLuint read, GLuint write) {
    glBindImageTexture(0, read, 0, GL_FALSE, 0, GL_READ_ONLY, GL_RGBA16F);
    glBindImageTexture(1, write, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA16F);
}
}  // namespace

BlurComp::BlurComp(int width, int height)
    : width(static_cast<GLuint>(width)), height(static_cast<GLuint>(height)) {
    programX = buildBlurProgram("bloom/blur256x.comp", this->width, this->height);
    programY = buildBlurProgram("bloom/blur256y.comp", this->width, this->height);
}

void BlurComp::blur(GLuint image, GLuint scratch, int tapSpacing) {
    glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    glUseProgram(programX->id);
    programX->setInt("tapSpacing", tapSpacing);
    bindImages(image, scratch);
    glDispatchCompute(static_cast<GLuint>(std::ceil(static_cast<float>(width) / groupWidth)),
                      height, 1);

    glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    glUseProgram(programY->id);
    programY->setInt("tapSpacing", tapSpacing);
    bindImages(scratch, image);
    glDispatchCompute(width,
                      static_cast<GLuint>(std::ceil(static_cast<float>(height) / groupWidth)), 1);
    // The final composite samples the result, and the next frame's downsample draws into it.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT | GL_FRAMEBUFFER_BARRIER_BIT);
    result = image;
}
