#include "SimulationTestSupport.h"

#include <algorithm>
#include <cmath>

SceneTarget::SceneTarget(int width, int height) : width(width), height(height) {
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    glGenTextures(1, &fragPos);
    glBindTexture(GL_TEXTURE_2D, fragPos);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    glGenTextures(1, &depthStencil);
    glBindTexture(GL_TEXTURE_2D, depthStencil);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH24_STENCIL8, width, height, 0, GL_DEPTH_STENCIL,
                 GL_UNSIGNED_INT_24_8, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                           depthStencil, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void SceneTarget::clear(glm::vec4 background) const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClearBufferfv(GL_COLOR, 0, &background[0]);
    glClearBufferfi(GL_DEPTH_STENCIL, 0, 1.0f, 0);
    const float none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glClearTexImage(fragPos, 0, GL_RGBA, GL_FLOAT, none);
}

void SceneTarget::fillFragPos(glm::vec3 position) const {
    const float point[4] = {position.x, position.y, position.z, 1.0f};
    glClearTexImage(fragPos, 0, GL_RGBA, GL_FLOAT, point);
}

void SceneTarget::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
}

std::vector<float> SceneTarget::readColour() const {
    std::vector<float> pixels(static_cast<size_t>(width) * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return pixels;
}

glm::ivec2 projectToPixel(const glm::mat4& viewProj, glm::vec3 world, int width, int height) {
    const glm::vec4 clip = viewProj * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2(static_cast<int>((ndc.x * 0.5f + 0.5f) * width),
                      static_cast<int>((ndc.y * 0.5f + 0.5f) * height));
}

float maxDifferenceAround(const std::vector<float>& a, const std::vector<float>& b, int width,
                          int height, glm::ivec2 centre, int radius) {
    float largest = 0.0f;
    for (int y = std::max(0, centre.y - radius); y <= std::min(height - 1, centre.y + radius); ++y)
        for (int x = std::max(0, centre.x - radius); x <= std::min(width - 1, centre.x + radius);
             ++x)
            for (int c = 0; c < 4; ++c) {
                const size_t i = (static_cast<size_t>(y) * width + x) * 4 + c;
                largest = std::max(largest, std::fabs(a[i] - b[i]));
            }
    return largest;
}

GLuint makeSolidTexture(glm::vec4 colour) {
    const unsigned char texel[4] = {
        static_cast<unsigned char>(colour.r * 255.0f), static_cast<unsigned char>(colour.g * 255.0f),
        static_cast<unsigned char>(colour.b * 255.0f), static_cast<unsigned char>(colour.a * 255.0f)};
    std::vector<unsigned char> pixels(8 * 8 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = texel[i % 4];
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

bool hasMissingUniformMessage(const std::string& output) {
    return output.find("Uniform does not exist: ") != std::string::npos;
}
