#include "SimulationTestSupport.h"

SceneTarget::SceneTarget(int width, int height) : width(width), height(height) {
    colour = makeRgbaTexture(width, height, {});
    fragPos = makeRgbaTexture(width, height, {});
    glGenRenderbuffers(1, &depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthStencil);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void SceneTarget::clear(glm::vec4 background) const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClearBufferfv(GL_COLOR, 0, &background[0]);
    glClearBufferfi(GL_DEPTH_STENCIL, 0, 1.0f, 0);
    glClearTexImage(fragPos, 0, GL_RGBA, GL_FLOAT, nullptr);  // zeros: no geometry
    bind();
}

void SceneTarget::fillFragPos(glm::vec3 position) const {
    glClearTexImage(fragPos, 0, GL_RGBA, GL_FLOAT, &glm::vec4(position, 1.0f)[0]);
}

void SceneTarget::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

std::vector<float> SceneTarget::readColour() const {
    return readFramebufferRgba(framebuffer, width, height);
}

glm::ivec2 projectToPixel(const glm::mat4& viewProj, glm::vec3 world) {
    const glm::vec4 clip = viewProj * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2((ndc * 0.5f + 0.5f) * glm::vec2(GlTest::kWidth, GlTest::kHeight));
}

float maxDifferenceAround(const std::vector<float>& a, const std::vector<float>& b,
                          glm::ivec2 centre, int radius) {
    const int w = GlTest::kWidth, h = GlTest::kHeight;
    float largest = 0.0f;
    for (int y = std::max(0, centre.y - radius); y <= std::min(h - 1, centre.y + radius); ++y)
        for (int x = std::max(0, centre.x - radius); x <= std::min(w - 1, centre.x + radius); ++x) {
            const glm::vec4 d = glm::abs(pixelAt(a, w, x, y) - pixelAt(b, w, x, y));
            largest = std::max({largest, d.r, d.g, d.b, d.a});
        }
    return largest;
}

void expectRendererDrawState() {
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(glm::ivec3(glIsEnabled(GL_BLEND), glIsEnabled(GL_DEPTH_TEST), depthWrites),
              glm::ivec3(0, 0, 1))
        << "blending, depth test, depth writes";
}
