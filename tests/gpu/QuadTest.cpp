#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "Effects/Quad.h"
#include "GlTestFixture.h"

namespace {
class QuadTest : public GlTest {};
}  // namespace

// Catches a quad off clip space or its coordinates, and targets incomplete, misplaced or cleared.
TEST_F(QuadTest, QuadCoversClipSpaceAndATargetKeepsItsViewportAndContents) {
    const ShaderProgram program = programFromSources(
        "#version 430 core\nlayout(location = 0) in vec3 aPos;\nlayout(location = 1) in vec2 aUv;\n"
        "out vec2 uv;\nvoid main() { uv = aUv; gl_Position = vec4(aPos, 1.0); }\n",
        "#version 430 core\nin vec2 uv;\nout vec4 c;\nvoid main() { c = vec4(uv, 0, 1); }\n");
    Quad target;
    EXPECT_EQ(printedBy([&] {
                  target = Quad(true, 16, 8);
                  Quad occlusion(true, 16, 8, GL_RED, GL_RGB);
              }),
              "");
    glViewport(1, 2, 33, 44);
    target.bind(true);
    glUseProgram(program.id);
    Quad::draw();
    glClearColor(1, 1, 1, 1);
    target.bind(false);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 16);
    const std::vector<float> pixels = readTextureRgba(target.getTexture(), 16, 8);
    // Lower-left pixel centre is (0.5 / 16, 0.5 / 8), upper right (15.5 / 16, 7.5 / 8).
    EXPECT_NEAR(pixels[0], 0.5f / 16, 1e-3);
    EXPECT_NEAR(pixels[1], 0.5f / 8, 1e-3);
    EXPECT_NEAR(pixels[(16 * 8 - 1) * 4], 15.5f / 16, 1e-3);
    EXPECT_NEAR(pixels[(16 * 8 - 1) * 4 + 1], 7.5f / 8, 1e-3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
