#include <gmock/gmock.h>

#include "EffectTestSupport.h"
#include "GlTestFixture.h"
#include "Light.h"

namespace {
// A lighting-like program whose array holds ten lights and uses every member.
class LightUploadTest : public GlTest {
protected:
    ShaderProgram program;
    void SetUp() override {
        GlTest::SetUp();
        program = programFromSources(
            "#version 430 core\nvoid main() { gl_Position = vec4(0.0); }\n",
            "#version 430 core\nstruct PointLight { vec3 pos; vec3 col; float spec; float cons;"
            " float lin; float quad; };\nuniform PointLight u_pointLights[10];\n"
            "uniform int u_pointLightsCount;\nuniform float u_lightAmb;\nout vec4 c;\n"
            "void main() { vec3 s = vec3(u_lightAmb); for (int i = 0; i < u_pointLightsCount; ++i)"
            " { PointLight l = u_pointLights[i]; s += l.pos + l.col * (l.spec + l.cons + l.lin +"
            " l.quad); } c = vec4(s, 1.0); }\n");
        glUseProgram(program.id);
    }
    // The named uniform as floats; a scalar (float or int) fills x alone.
    glm::vec3 uniform(const std::string& name) {
        glm::vec3 value(-1.0f);
        glGetUniformfv(program.id, glGetUniformLocation(program.id, name.c_str()), &value.x);
        return value;
    }
};
}  // namespace

// Catches a stale count, lights out of order, misnamed or not moved, and no cap at ten slots.
TEST_F(LightUploadTest, LightsAreUploadedInOrderByNameAndTheCountIsCappedAtTen) {
    expectMissingUniformLines();
    LightList lights;
    lights.ambient = 0.5f;
    glUniform1i(glGetUniformLocation(program.id, "u_pointLightsCount"), 3);
    EXPECT_EQ(printedBy([&] { lights.setUniforms(program); }), "");
    EXPECT_EQ(uniform("u_pointLightsCount").x, 0.0f);
    EXPECT_EQ(uniform("u_lightAmb").x, 0.5f);

    Light* first = lights.addLight({1, 2, 3});
    lights.addLight({0, 0, 0});
    lights.addLight({0, 0, 0});
    Light* fourth = lights.addLight({4, 5, 6});
    fourth->colour = {7, 3, 3};
    fourth->specular = 2.0f;
    first->translate({0, 1, 0});
    EXPECT_EQ(printedBy([&] { lights.setUniforms(program); }), "");
    EXPECT_EQ(uniform("u_pointLightsCount").x, 4.0f);
    EXPECT_EQ(uniform("u_pointLights[0].pos"), glm::vec3(1, 3, 3));
    EXPECT_EQ(uniform("u_pointLights[3].pos"), glm::vec3(4, 5, 6));
    EXPECT_EQ(uniform("u_pointLights[3].col"), glm::vec3(7, 3, 3));
    EXPECT_EQ(uniform("u_pointLights[3].spec").x, 2.0f);

    for (int i = 4; i < 12; ++i) lights.addLight({static_cast<float>(i), 0, 0});
    const std::string out = printedBy([&] { lights.setUniforms(program); });
    EXPECT_EQ(uniform("u_pointLightsCount").x, 10.0f);
    EXPECT_EQ(uniform("u_pointLights[9].pos"), glm::vec3(9, 0, 0));
    EXPECT_THAT(out, ::testing::HasSubstr("Uniform does not exist: u_pointLights[10].pos\n"));
    EXPECT_THAT(out, ::testing::HasSubstr("Uniform does not exist: u_pointLights[11].quad\n"));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 12);
}
