#include <gtest/gtest.h>

#include "GlTestFixture.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

namespace {
class ShaderProgramTest : public GlTest {};
}  // namespace

// Catches stages out of order or from the wrong folder, no link, and missing names reported once.
TEST_F(ShaderProgramTest, ThreeStagesCompileInOrderAndAMissingUniformIsReportedAtEveryLookup) {
    expectMissingUniformLines();
    TempDir dir;
    dir.write("shaders/a.vert",
              "#version 430 core\nlayout(location = 0) in vec3 aPos;\nuniform mat4 u_m;\n"
              "void main() { gl_Position = u_m * vec4(aPos, 1.0); }\n");
    dir.write("shaders/sub/b.geom",
              "#version 430 core\nlayout(triangles) in;\n"
              "layout(triangle_strip, max_vertices = 3) out;\nvoid main() {"
              " for (int i = 0; i < 3; ++i) { gl_Position = gl_in[i].gl_Position;"
              " EmitVertex(); } EndPrimitive(); }\n");
    dir.write("shaders/sub/c.frag",
              "#version 430 core\nout vec4 c;\nuniform float u_value;\n"
              "void main() { c = vec4(u_value); }\n");
    ScopedWorkingDirectory cwd(dir.path());
    StdoutCapture capture;
    ShaderProgram program("a.vert", "sub/b.geom", "sub/c.frag");
    EXPECT_EQ(capture.finish(),
              "Compiling shader: shaders/a.vert\n"
              "Compiling shader: shaders/sub/b.geom\n"
              "Compiling shader: shaders/sub/c.frag\n"
              "Linking program " +
                  std::to_string(program.id) + "\n");
    GLint linked = 0;
    glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);

    StdoutCapture lookups;
    EXPECT_EQ(program.getUniformLocation("u_nothing"), -1);
    EXPECT_EQ(program.getUniformLocation("u_nothing"), -1);
    EXPECT_GE(program.getUniformLocation("u_value"), 0);
    EXPECT_EQ(lookups.finish(),
              "Uniform does not exist: u_nothing\nUniform does not exist: u_nothing\n");
}
