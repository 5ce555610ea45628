#include <gmock/gmock.h>

#include "GlTestFixture.h"
#include "Light.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

namespace {
// A lighting-like program whose array holds ten lights and uses every member.
class LightUploadTest : public GlTest {
protected:
    TempDir dir;
    ShaderProgram program;
    void SetUp() override {
        GlTest::SetUp();
        dir.write("shaders/l.vert",
                  "#version 430 core\nvoid main() { gl_Position = vec4(0.0); }\n");
        dir.write("shaders/l.frag",
                  "#version 430 core\nstruct PointLight { vec3 pos; vec3 col; float spec;"
                  " float cons; float lin; float quad; };\n"
                  "uniform PointLight u_pointLights[10];\nuniform int u_pointLightsCount;\n"
                  "uniform float u_lightAmb;\nout vec4 c;\nvoid main() { vec3 s = vec3(u_lightAmb);"
                  " for (int i = 0; i < u_pointLightsCount; ++i) { PointLight l = u_pointLights[i];"
                  " s += l.pos + l.col * (l.spec + l.cons + l.lin + l.quad); }"
                  " c = vec4(s, 1.0); }\n");
        ScopedWorkingDirectory cwd(dir.path());
        program = ShaderProgram("l.vert", "l.frag");
        glUseProgram(program.id);
    }
    glm::vec3 vec3Uniform(const std::string& name) {
        glm::vec3 value(-1.0f);
        glGetUniformfv(program.id, glGetUniformLocation(program.id, name.c_str()), &value.x);
        return value;
    }
    float floatUniform(const std::string& name) {
        float value = -1.0f;
        glGetUniformfv(program.id, glGetUniformLocation(program.id, name.c_str()), &value);
        return value;
    }
};
}  // namespace

TEST_F(LightUploadTest, LightsAreNumberedInOrderAndUploadedByName) {
    LightList lights;
    lights.ambient = 0.2f;
    Light* first = lights.addLight({1, 2, 3});
    lights.addLight({0, 0, 0});
    lights.addLight({0, 0, 0});
    Light* fourth = lights.addLight({4, 5, 6});
    EXPECT_EQ(first->index, 0u);
    EXPECT_EQ(fourth->index, 3u);
    EXPECT_EQ(fourth->position, glm::vec3(4, 5, 6));
    EXPECT_EQ(glm::vec3(fourth->modelMatrix[3]), glm::vec3(4, 5, 6));
    fourth->colour = {7, 3, 3};
    fourth->specular = 2.0f;

    StdoutCapture capture;
    lights.setUniforms(program);
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(vec3Uniform("u_pointLights[0].pos"), glm::vec3(1, 2, 3));
    EXPECT_EQ(vec3Uniform("u_pointLights[3].col"), glm::vec3(7, 3, 3));
    EXPECT_FLOAT_EQ(floatUniform("u_pointLights[3].spec"), 2.0f);
    EXPECT_FLOAT_EQ(floatUniform("u_pointLights[3].lin"), 0.09f);
    EXPECT_FLOAT_EQ(floatUniform("u_pointLights[3].quad"), 0.032f);
    EXPECT_FLOAT_EQ(floatUniform("u_pointLights[3].cons"), 1.0f);
    EXPECT_FLOAT_EQ(floatUniform("u_lightAmb"), 0.2f);

    // Moving a light moves what the next upload sends.
    first->translate({0, 1, 0});
    lights.setUniforms(program);
    EXPECT_EQ(vec3Uniform("u_pointLights[0].pos"), glm::vec3(1, 3, 3));
}

TEST_F(LightUploadTest, CountIsCappedAtTenButEveryLightIsWritten) {
    expectMissingUniformLines();
    LightList lights;
    for (int i = 0; i < 12; ++i) lights.addLight({static_cast<float>(i), 0, 0});
    StdoutCapture capture;
    lights.setUniforms(program);
    const std::string out = capture.finish();
    GLint count = -1;
    glGetUniformiv(program.id, glGetUniformLocation(program.id, "u_pointLightsCount"), &count);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(vec3Uniform("u_pointLights[9].pos"), glm::vec3(9, 0, 0));
    // Slots 10 and 11 do not exist in the program: six member lookups each are reported.
    for (const char* member : {".pos", ".col", ".spec", ".cons", ".lin", ".quad"}) {
        for (const char* slot : {"u_pointLights[10]", "u_pointLights[11]"}) {
            EXPECT_THAT(out, ::testing::HasSubstr(std::string("Uniform does not exist: ") + slot +
                                                  member + "\n"));
        }
    }
    size_t lines = 0;
    for (char ch : out) lines += ch == '\n';
    EXPECT_EQ(lines, 12u);
}

TEST_F(LightUploadTest, EmptyListSendsAmbientAndZeroCount) {
    LightList lights;
    lights.ambient = 0.5f;
    glUniform1i(glGetUniformLocation(program.id, "u_pointLightsCount"), 3);
    StdoutCapture capture;
    lights.setUniforms(program);
    EXPECT_EQ(capture.finish(), "");
    GLint count = -1;
    glGetUniformiv(program.id, glGetUniformLocation(program.id, "u_pointLightsCount"), &count);
    EXPECT_EQ(count, 0);
    EXPECT_FLOAT_EQ(floatUniform("u_lightAmb"), 0.5f);
}
