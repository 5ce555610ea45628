#include <gmock/gmock.h>

#include "GlTestFixture.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

using ::testing::HasSubstr;

namespace {
const char* kVertex =
    "#version 430 core\nlayout(location = 0) in vec3 aPos;\nuniform mat4 u_m;\n"
    "void main() { gl_Position = u_m * vec4(aPos, 1.0); }\n";
const char* kGeometry =
    "#version 430 core\nlayout(triangles) in;\nlayout(triangle_strip, max_vertices = 3) out;\n"
    "void main() { for (int i = 0; i < 3; ++i) { gl_Position = gl_in[i].gl_Position; "
    "EmitVertex(); } EndPrimitive(); }\n";
const char* kFragment =
    "#version 430 core\nout vec4 c;\nuniform float u_value;\nvoid main() { c = vec4(u_value); }\n";

class ShaderProgramTest : public GlTest {
protected:
    TempDir dir;
    void SetUp() override {
        GlTest::SetUp();
        dir.write("shaders/a.vert", kVertex);
        dir.write("shaders/sub/b.geom", kGeometry);
        dir.write("shaders/sub/c.frag", kFragment);
    }
};
}  // namespace

TEST_F(ShaderProgramTest, ThreeStageProgramReportsEachStageInOrderBeforeLinking) {
    ScopedWorkingDirectory cwd(dir.path());
    StdoutCapture capture;
    ShaderProgram program("a.vert", "sub/b.geom", "sub/c.frag");
    const std::string out = capture.finish();

    EXPECT_NE(program.id, 0u);
    const std::string expected = "Compiling shader: shaders/a.vert\n"
                                 "Compiling shader: shaders/sub/b.geom\n"
                                 "Compiling shader: shaders/sub/c.frag\n"
                                 "Linking program " +
                                 std::to_string(program.id) + "\n";
    EXPECT_EQ(out, expected);
    GLint linked = 0;
    glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
}

TEST_F(ShaderProgramTest, MissingFileIsReportedAndTheProgramStillExists) {
    ScopedWorkingDirectory cwd(dir.path());
    StdoutCapture capture;
    ShaderProgram program("missing.vert", "sub/c.frag");
    const std::string out = capture.finish();

    EXPECT_NE(program.id, 0u);
    EXPECT_EQ(out.rfind("Unable to open shaders/missing.vert. Are you in the right directory?"
                        "Compiling shader: shaders/missing.vert\n",
                        0),
              0u)
        << out;
    EXPECT_THAT(out, HasSubstr("Compiling shader: shaders/sub/c.frag\n"));
    EXPECT_THAT(out, HasSubstr("Linking program " + std::to_string(program.id)));
    EXPECT_GT(takeGlErrors(), 0u);  // the empty source fails to compile
}

TEST_F(ShaderProgramTest, MissingUniformIsReportedAtEveryLookup) {
    expectMissingUniformLines();
    ScopedWorkingDirectory cwd(dir.path());
    ShaderProgram program("a.vert", "sub/c.frag");
    StdoutCapture capture;
    EXPECT_EQ(program.getUniformLocation("u_nothing"), -1);
    EXPECT_EQ(program.getUniformLocation("u_nothing"), -1);
    EXPECT_GE(program.getUniformLocation("u_value"), 0);
    EXPECT_EQ(capture.finish(),
              "Uniform does not exist: u_nothing\nUniform does not exist: u_nothing\n");
}

TEST_F(ShaderProgramTest, CompileErrorPrintsTheDriverLogAndCarriesOn) {
    dir.write("shaders/broken.frag", "#version 430 core\nvoid main() { this is not glsl }\n");
    ScopedWorkingDirectory cwd(dir.path());
    StdoutCapture capture;
    ShaderProgram program("a.vert", "broken.frag");
    const std::string out = capture.finish();
    EXPECT_NE(program.id, 0u);
    // The driver's log follows the failing file's line, then the link log.
    const size_t compiling = out.find("Compiling shader: shaders/broken.frag\n");
    ASSERT_NE(compiling, std::string::npos);
    const size_t linking = out.find("Linking program");
    EXPECT_GT(linking - compiling, std::string("Compiling shader: shaders/broken.frag\n").size());
    EXPECT_GT(takeGlErrors(), 0u);
}
