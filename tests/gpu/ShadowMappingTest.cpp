#include <gmock/gmock.h>

#include <glm/gtc/type_ptr.hpp>

#include "EffectTestSupport.h"
#include "Effects/Quad.h"
#include "Effects/ShadowMapping.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "Light.h"
#include "ShaderProgram.h"
#include "TestFiles.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
// Evaluates the lighting pass's shadow function over a patch of a horizontal plane at u_height:
// texture coordinate (0, 0) is corner (x0, z0) of u_area, (1, 1) is (x1, z1).
const char* kShadowProbe = R"(#version 430 core
in vec2 texCoords;
out vec4 fragColor;
uniform vec3 u_lightPos;
uniform vec4 u_area;
uniform float u_height;
uniform int u_lightIndex;  // not a constant, so the shadow arrays keep all their elements
)";
const char* kShadowProbeMain = R"(
void main() {
    vec3 p = vec3(mix(u_area.x, u_area.z, texCoords.x), u_height, mix(u_area.y, u_area.w, texCoords.y));
    fragColor = vec4(pointShadow(u_lightIndex, p, vec3(0.0, 1.0, 0.0), u_lightPos));
}
)";

constexpr int kProbe = 48;

// Adds a mesh of quads to the house; each quad's corners are counter-clockwise seen from outside.
void addQuads(const std::string& name, const std::vector<std::array<glm::vec3, 4>>& quads) {
    Mesh& mesh = house.addMesh(0, 0, name);
    glm::vec3 lo(1e9f), hi(-1e9f);
    for (const auto& q : quads) {
        const glm::vec3 n = glm::normalize(glm::cross(q[1] - q[0], q[2] - q[0]));
        const GLuint base = static_cast<GLuint>(mesh.vertices.size());
        for (const glm::vec3& p : q) {
            Vertex v{};
            v.position = p;
            v.normal = n;
            mesh.vertices.push_back(v);
            lo = glm::min(lo, p);
            hi = glm::max(hi, p);
        }
        for (GLuint i : {0u, 1u, 2u, 0u, 2u, 3u}) mesh.indices.push_back(base + i);
    }
    mesh.setBounds(hi, lo);
    mesh.setupMesh();
}

// A box standing on the floor: its top and four sides, counter-clockwise from outside.
void addBox(const std::string& name, glm::vec3 lo, glm::vec3 hi) {
    const float x0 = lo.x, x1 = hi.x, y0 = lo.y, y1 = hi.y, z0 = lo.z, z1 = hi.z;
    addQuads(name, {
                       {{{x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {x0, y1, z0}}},  // +y
                       {{{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}},  // +z
                       {{{x1, y0, z0}, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}}},  // -z
                       {{{x1, y0, z1}, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}}},  // +x
                       {{{x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}}},  // -x
                   });
}

// A 12 x 12 floor at y = 0, a unit box on it at x 1..2, z -0.5..0.5, and a thin fin, 5 cm thick
// and 0.5 high, at x 3..3.05, z -5..-3. The light hangs at (0, 2, 0).
// The shadow function of the lighting pass, exactly as the lighting shader has it.
std::string pointShadowBlock() {
    const std::string lighting = readSourceFile("shaders/lighting.frag");
    const size_t begin = lighting.find("// --- point shadows");
    const size_t end = lighting.find("// --- end of point shadows");
    EXPECT_NE(begin, std::string::npos);
    EXPECT_NE(end, std::string::npos);
    return lighting.substr(begin, end - begin);
}

void buildScene() {
    house.meshes.reserve(3);
    addQuads("floor", {{{{-6, 0, 6}, {6, 0, 6}, {6, 0, -6}, {-6, 0, -6}}}});
    addBox("box", {1.0f, 0.0f, -0.5f}, {2.0f, 1.0f, 0.5f});
    addBox("fin", {3.0f, 0.0f, -5.0f}, {3.05f, 0.5f, -3.0f});
}

class ShadowMappingTest : public GlTest {
protected:
    TempDir dir;
    Light* light = nullptr;
    ShadowMapping* shadows = nullptr;
    Quad* probeTarget = nullptr;

    void SetUp() override {
        GlTest::SetUp();
        dir.write("shaders/quad.vert", readSourceFile("shaders/quad.vert"));
        for (const char* file :
             {"shaders/shadows/shadowMapPoint2.vert", "shaders/shadows/shadowMapPoint2.frag"}) {
            dir.write(file, readSourceFile(file));
        }
        dir.write("shaders/shadowProbe.frag", std::string(kShadowProbe) +
                                                  pointShadowBlock() +
                                                  kShadowProbeMain);
        light = renderer.lights.addLight(glm::vec3(0.0f, 2.0f, 0.0f));
        buildScene();
    }

    // Builds the shadow and the probe program as the renderer would, and renders the cube map.
    std::string buildAndRender() {
        ScopedWorkingDirectory cwd(dir.path());
        return printedBy([&] {
            renderer.lightingProgram = new ShaderProgram("quad.vert", "shadowProbe.frag");
            shadows = new ShadowMapping(light);
            glUseProgram(renderer.lightingProgram->id);
            for (int i = 0; i < 10; ++i) {
                glUniform1i(renderer.lightingProgram->getUniformLocation("u_texShadowsCubemaps[" +
                                                                         std::to_string(i) + "]"),
                            5 + i);
            }
            renderer.lightingProgram->setBool("u_doShadowMappingPoint", true);
            shadows->setLightingUniforms();
            probeTarget = new Quad(true, kProbe, kProbe);

            glEnable(GL_DEPTH_TEST);
            glEnable(GL_CULL_FACE);
            shadows->render();
            glDisable(GL_DEPTH_TEST);
        });
    }

    // The shadow factor over a patch of the plane y = height, kProbe x kProbe samples.
    std::vector<float> probe(glm::vec4 area, float height, bool shadowsOn = true) {
        std::vector<float> result;
        const std::string out = printedBy([&] {
            const ShaderProgram& program = *renderer.lightingProgram;
            glUseProgram(program.id);
            program.setBool("u_doShadowMappingPoint", shadowsOn);
            glUniform3fv(program.getUniformLocation("u_lightPos"), 1,
                         glm::value_ptr(light->position));
            glUniform4fv(program.getUniformLocation("u_area"), 1, glm::value_ptr(area));
            glUniform1f(program.getUniformLocation("u_height"), height);
            glActiveTexture(GL_TEXTURE5);
            glBindTexture(GL_TEXTURE_CUBE_MAP, shadows->cubeMap);
            probeTarget->bind(true);
            Quad::draw();
        });
        EXPECT_THAT(out, Not(HasSubstr("Uniform does not exist: ")));
        const std::vector<float> rgba = readTextureRgba(probeTarget->getTexture(), kProbe, kProbe);
        for (size_t i = 0; i < rgba.size(); i += 4) result.push_back(rgba[i]);
        return result;
    }
};

float minimum(const std::vector<float>& v) {
    return *std::min_element(v.begin(), v.end());
}
float maximum(const std::vector<float>& v) {
    return *std::max_element(v.begin(), v.end());
}
}  // namespace

TEST_F(ShadowMappingTest, FloorBehindTheBoxIsDarkWithShadowsOnAndLitWithThemOff) {
    EXPECT_THAT(buildAndRender(), Not(HasSubstr("Uniform does not exist: ")));
    // The box top's shadow from a light at height 2 spans x 2..4, |z| < 1.
    EXPECT_EQ(maximum(probe({2.4f, -0.4f, 3.6f, 0.4f}, 0.0f)), 0.0f);
    EXPECT_EQ(minimum(probe({2.4f, -0.4f, 3.6f, 0.4f}, 0.0f, false)), 1.0f);
    // Shadows stay attached to their casters: the floor just behind the box's foot is dark, and
    // so is the floor just behind the foot of the thin fin, where little depth separates the
    // caster from the receiver.
    EXPECT_LT(maximum(probe({2.01f, -0.3f, 2.08f, 0.3f}, 0.0f)), 0.3f);
    EXPECT_LT(maximum(probe({3.06f, -4.2f, 3.12f, -3.8f}, 0.0f)), 0.3f);
    // The penumbra is soft: across the shadow's side edge the factor passes through in-between
    // values instead of jumping from 0 to 1.
    const std::vector<float> edge = probe({3.0f, 0.85f, 3.0001f, 1.15f}, 0.0f);
    EXPECT_TRUE(
        std::any_of(edge.begin(), edge.end(), [](float f) { return f > 0.1f && f < 0.9f; }));
}

TEST_F(ShadowMappingTest, OpenLitSurfacesAreUniformlyLitWithoutAcne) {
    buildAndRender();
    // The floor away from the box, out to grazing angles at the far corners (77 degrees).
    EXPECT_EQ(minimum(probe({-6.0f, -6.0f, 0.9f, 6.0f}, 0.0f)), 1.0f);
    EXPECT_EQ(minimum(probe({-6.0f, 1.2f, 6.0f, 6.0f}, 0.0f)), 1.0f);
    // The box's top, a second lit surface close to the light.
    EXPECT_EQ(minimum(probe({1.05f, -0.45f, 1.95f, 0.45f}, 1.0f)), 1.0f);
}

TEST_F(ShadowMappingTest, SecondShadowReusesTheProgramAndSetsNothingOnIt) {
    buildAndRender();
    ShaderProgram* first = ShadowMapping::shadowProgram;
    glUseProgram(first->id);
    const GLint oneDivFar = first->getUniformLocation("u_oneDivFar");
    GLfloat value = 0.0f;
    glGetUniformfv(first->id, oneDivFar, &value);
    EXPECT_FLOAT_EQ(value, 0.04f);
    glUniform1f(oneDivFar, 123.0f);

    Light* other = renderer.lights.addLight(glm::vec3(3.0f, 1.0f, 3.0f));
    ShadowMapping* second = nullptr;
    const std::string out = printedBy([&] { second = new ShadowMapping(other); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(ShadowMapping::shadowProgram, first);
    glGetUniformfv(first->id, oneDivFar, &value);
    EXPECT_FLOAT_EQ(value, 123.0f);
    EXPECT_NE(second->cubeMap, shadows->cubeMap);
    ASSERT_EQ(ShadowMapping::lights.size(), 2u);
    EXPECT_EQ(ShadowMapping::lights[1], other);
}

TEST_F(ShadowMappingTest, LightingUniformsUseTheLightsIndexInTheList) {
    buildAndRender();
    Light* other = renderer.lights.addLight(glm::vec3(3.0f, 1.0f, 3.0f));
    ShadowMapping second(other);
    glUseProgram(renderer.lightingProgram->id);
    const std::string out = printedBy([&] { second.setLightingUniforms(); });
    EXPECT_EQ(out, "");
    GLint active = 0;
    GLfloat far = 0.0f;
    glGetUniformiv(renderer.lightingProgram->id,
                   glGetUniformLocation(renderer.lightingProgram->id, "u_shadowsLightActive[1]"),
                   &active);
    glGetUniformfv(renderer.lightingProgram->id,
                   glGetUniformLocation(renderer.lightingProgram->id, "u_shadowsFar[1]"), &far);
    EXPECT_EQ(active, 1);
    EXPECT_FLOAT_EQ(far, 25.0f);
}

TEST_F(ShadowMappingTest, MovingTheLightMovesTheDistanceOriginButNotTheFaces) {
    buildAndRender();
    const auto transforms = shadows->faceTransforms;
    light->translate(glm::vec3(0.5f, 0.0f, 0.0f));
    shadows->render();
    glm::vec3 lightPos(0.0f);
    glGetUniformfv(ShadowMapping::shadowProgram->id,
                   glGetUniformLocation(ShadowMapping::shadowProgram->id, "u_lightPos"),
                   glm::value_ptr(lightPos));
    EXPECT_FLOAT_EQ(lightPos.x, 0.5f);
    EXPECT_FLOAT_EQ(lightPos.y, 2.0f);
    EXPECT_EQ(shadows->faceTransforms, transforms);
}
