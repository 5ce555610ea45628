#include <gmock/gmock.h>

#include "EffectTestSupport.h"
#include "GlTestFixture.h"
#include "Light.h"

namespace {
// The lighting pass's own program, whose array holds ten lights.
class LightUploadTest : public GlTest {
protected:
    ShaderProgram program;
    void SetUp() override {
        GlTest::SetUp();
        program = ShaderProgram("quad.vert", "lighting.frag");
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
