#include "Effects/Ssao.h"

#include <string>

#include "Effects/BlurFrag.h"
#include "GlTargets.h"
#include "TextureUnits.h"

namespace {
constexpr int kKernelSize = 64;
constexpr int kNoiseSize = 16;
}  // namespace

void Ssao::generateSamples() {
    // A second instance shares the kernel instead of growing it.
    if (!ssaoKernel.empty()) return;
    for (int i = 0; i < kKernelSize; ++i) {
        const float r1 = randomFloats(randomEngine);
        const float r2 = randomFloats(randomEngine);
        const float r3 = randomFloats(randomEngine);
        const float r4 = randomFloats(randomEngine);
        glm::vec3 v(2.0f * r3 - 1.0f, 2.0f * r2 - 1.0f, r1);
        v = glm::normalize(v) * r4;
        // Denser near the centre: occluders close to the surface weigh more.
        const float scale = static_cast<float>(i) * 0.015625f;
        v *= 0.1f + 0.9f * scale * scale;
        ssaoKernel.push_back(v);
    }
    for (int i = 0; i < kNoiseSize; ++i) {
        const float a = randomFloats(randomEngine);
        const float b = randomFloats(randomEngine);
        ssaoNoise.emplace_back(2.0f * b - 1.0f, 2.0f * a - 1.0f, 0.0f);
    }
}

Ssao::Ssao(int width, int height, glm::mat4 projection) : target(false, 0, 0, GL_RGBA16F, GL_RGBA) {
    ssaoProgram.id = static_cast<GLuint>(-1);
    blurProgram.id = static_cast<GLuint>(-1);
    generateSamples();
    const glm::vec2 noiseScale(static_cast<float>(width * 0.25), static_cast<float>(height * 0.25));

    if (noiseTexture == 0) {
        glGenTextures(1, &noiseTexture);
        glBindTexture(GL_TEXTURE_2D, noiseTexture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB16F, 4, 4, 0, GL_RGB, GL_FLOAT, ssaoNoise.data());
        setSampling(GL_TEXTURE_2D, GL_NEAREST, GL_REPEAT);
    }

    target = Quad(true, width, height, GL_RED, GL_RGB);

    ssaoProgram = ShaderProgram("quad.vert", "ambient_occlusion/ssao.frag");
    ssaoProgram.setInt("gPosition", units::kSsaoPosition);
    ssaoProgram.setInt("gNormal", units::kSsaoNormal);
    ssaoProgram.setInt("texNoise", units::kSsaoNoise);
    setSamples();
    ssaoProgram.setVec2("noiseScale", noiseScale);
    ssaoProgram.setMat4("projection", projection);
    applyReach();

    blurProgram = ShaderProgram("quad.vert", "ambient_occlusion/ssao_blur.frag");
    blurProgram.setInt("ssaoInput", units::kImage);
}

void Ssao::setSamples() const {
    for (int i = 0; i < kKernelSize; ++i) {
        const std::string name = "samples[" + std::to_string(i) + "]";
        ssaoProgram.setVec3(name, ssaoKernel[i]);
    }
}

void Ssao::render(GLuint position, GLuint normal, glm::mat4 projection, BlurFrag& blur) {
    target.bind(true);
    glUseProgram(ssaoProgram.id);
    bindTexture(units::kSsaoPosition, GL_TEXTURE_2D, position);
    bindTexture(units::kSsaoNormal, GL_TEXTURE_2D, normal);
    bindTexture(units::kSsaoNoise, GL_TEXTURE_2D, noiseTexture);
    setSamples();
    ssaoProgram.setMat4("projection", projection);
    Quad::draw();

    blur.blur(target.getTexture());
    result = blur.targetB->getTexture();
    blur.result = result;
}

void Ssao::applyReach() {
    ssaoProgram.setFloat("u_radius", radius);
    ssaoProgram.setFloat("u_bias", bias);
}
