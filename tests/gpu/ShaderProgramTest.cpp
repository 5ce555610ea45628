#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <glm/glm.hpp>

#include "GlTestFixture.h"
#include "SceneAnchors.h"
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

// Catches includes left unexpanded or read twice, a driver's log that names the wrong file or line,
// an include that fails without a word, and scene numbers that reach the shaders rounded.
TEST_F(ShaderProgramTest, IncludedFilesAreReadOnceAndErrorsNameTheirFileAndLine) {
    TempDir dir;
    dir.write("shaders/lib/one.glsl",
              "// one\n#include \"lib/two.glsl\"\nfloat one() { return two() - 1.0; }\n");
    dir.write("shaders/lib/two.glsl", "float two() { return 2.0; }\n");
    dir.write("shaders/lib/broken.glsl", "// broken\n\nfloat f() { return undefinedName; }\n");
    dir.write("shaders/good.frag",
              "#version 430 core\n#include \"lib/one.glsl\"\n#include \"lib/two.glsl\"\n"
              "#include \"scene.glsl\"\nout vec4 c;\nuniform vec3 u_box = kInteriorMax;\n"
              "uniform vec3 u_moon = kMoonDirection;\nvoid main() { c = vec4(one() + two()); }\n");
    dir.write("shaders/bad.frag",
              "#version 430 core\n#include \"lib/broken.glsl\"\n#include \"lib/absent.glsl\"\n"
              "out vec4 c;\nvoid main() { c = vec4(alsoUndefined); }\n");
    dir.write("shaders/plain.vert",
              "#version 430 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    ScopedWorkingDirectory cwd(dir.path());

    StdoutCapture good;
    ShaderProgram program("plain.vert", "good.frag");
    EXPECT_EQ(good.finish(),
              "Compiling shader: shaders/plain.vert\n"
              "Compiling shader: shaders/good.frag\n"
              "Linking program " +
                  std::to_string(program.id) + "\n");
    GLint linked = 0;
    glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    // Written out by the engine and parsed by the driver, the numbers are the very floats.
    glm::vec3 box(0.0f), moon(0.0f);
    glGetUniformfv(program.id, glGetUniformLocation(program.id, "u_box"), &box.x);
    glGetUniformfv(program.id, glGetUniformLocation(program.id, "u_moon"), &moon.x);
    EXPECT_EQ(box, anchors::kInteriorMax);
    EXPECT_EQ(moon, anchors::kMoonDirection);

    StdoutCapture bad;
    ShaderProgram("plain.vert", "bad.frag");
    const std::string log = bad.finish();
    takeGlErrors();
    EXPECT_THAT(log, ::testing::HasSubstr("shaders/bad.frag:3: cannot include \"lib/absent.glsl\": "
                                          "no file shaders/lib/absent.glsl\n"));
    EXPECT_THAT(log, ::testing::HasSubstr("shaders/lib/broken.glsl:3("));
    EXPECT_THAT(log, ::testing::HasSubstr("shaders/bad.frag:5("));
}
