#include <gtest/gtest.h>

#include "Effects/Quad.h"
#include "GlTestFixture.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

class QuadTest : public GlTest {};

TEST_F(QuadTest, FirstQuadWithoutFramebufferStillBuildsTheSharedGeometry) {
    Quad plain(0, 0);
    EXPECT_TRUE(Quad::geometryReady);
    EXPECT_TRUE(glIsVertexArray(Quad::vertexArray));
    EXPECT_FALSE(plain.hasFramebuffer);

    // Without a framebuffer, bind changes neither the viewport nor the binding.
    glViewport(1, 2, 33, 44);
    plain.bind(true);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 33);
    EXPECT_EQ(viewport[3], 44);
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
}

TEST_F(QuadTest, TargetHasAFloatTextureOfItsSizeAndBindsItsViewport) {
    StdoutCapture capture;
    Quad target(true, 64, 48);
    Quad occlusion(true, 64, 48, GL_RED, GL_RGB);
    EXPECT_EQ(capture.finish(), "");  // both complete
    glBindTexture(GL_TEXTURE_2D, target.getTexture());
    GLint format = 0;
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(format, GL_RGBA16F);
    EXPECT_EQ(width, 64);

    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    target.bind(true);
    glClearColor(1, 1, 1, 1);
    target.bind(false);  // keeps the contents
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 64);
    EXPECT_EQ(viewport[3], 48);
    const std::vector<float> pixels = readTextureRgba(target.getTexture(), 64, 48);
    EXPECT_FLOAT_EQ(pixels[0], 0.25f);
    EXPECT_FLOAT_EQ(pixels[2], 0.75f);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST_F(QuadTest, QuadCoversClipSpaceWithMatchingTextureCoordinates) {
    TempDir dir;
    dir.write("shaders/uv.vert",
              "#version 430 core\nlayout(location = 0) in vec3 aPos;\n"
              "layout(location = 1) in vec2 aUv;\nout vec2 uv;\n"
              "void main() { uv = aUv; gl_Position = vec4(aPos, 1.0); }\n");
    dir.write("shaders/uv.frag",
              "#version 430 core\nin vec2 uv;\nout vec4 c;\nvoid main() { c = vec4(uv, 0, 1); }\n");
    ShaderProgram program;
    {
        ScopedWorkingDirectory cwd(dir.path());
        StdoutCapture quiet;
        program = ShaderProgram("uv.vert", "uv.frag");
    }
    Quad target(true, 16, 16);
    target.bind(true);
    glUseProgram(program.id);
    Quad::draw();
    const std::vector<float> pixels = readTextureRgba(target.getTexture(), 16, 16);
    // Lower-left pixel centre is (0.5 / 16) in both coordinates, upper right (15.5 / 16).
    EXPECT_NEAR(pixels[0], 0.5f / 16, 1e-3);
    EXPECT_NEAR(pixels[1], 0.5f / 16, 1e-3);
    const size_t last = (15 * 16 + 15) * 4;
    EXPECT_NEAR(pixels[last], 15.5f / 16, 1e-3);
    EXPECT_NEAR(pixels[last + 1], 15.5f / 16, 1e-3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST(QuadDeathTest, AskingATargetWithoutFramebufferForItsTextureStops) {
    Quad plain;
    EXPECT_DEATH(plain.getTexture(), "false");
}
