#include "Effects/Bloom.h"

#include <cmath>

#include "ShaderProgram.h"

Bloom::Bloom(int width, int height) {
    program = new ShaderProgram("bloom/bloom.comp");
    program->setUVec2("globalSize", glm::uvec2(width, height));
    groupsX = static_cast<GLuint>(std::ceil(static_cast<float>(width) * 0.0625f));
    groupsY = static_cast<GLuint>(std::ceil(static_cast<float>(height) * 0.0625f));
}

void Bloom::extract(GLuint input, GLuint output) {
    glMemoryBarrier(GL_SHADER_IMAGE_ACCESS_BARRIER_BIT);
    glUseProgram(program->id);
    glBindImageTexture(0, input, 0, GL_FALSE, 0, GL_READ_ONLY, GL_RGBA16F);
    glBindImageTexture(1, output, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA16F);
    glDispatchCompute(groupsX, groupsY, 1);
    // The blur samples the bright image as a texture (fragment path, compute path's downsample).
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
}
