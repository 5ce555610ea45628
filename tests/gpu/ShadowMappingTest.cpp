#include <gtest/gtest.h>

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>

#include "EffectTestSupport.h"
#include "Effects/Quad.h"
#include "Effects/ShadowMapping.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "Light.h"

namespace {
// The lighting pass's shadow function over the patch u_area (x0, z0, x1, z1) of y = u_height.
std::string shadowProbeSource() {
    return "#version 430 core\nin vec2 texCoords;\nout vec4 fragColor;\nuniform vec3 u_lightPos;\n"
           "uniform vec4 u_area;\nuniform float u_height;\n"
           "uniform int u_lightIndex;  // not a constant: the shadow arrays keep every element\n" +
           readSourceFile("shaders/shadows/pointShadow.glsl") +
           "void main() {\n"
           "    vec3 p = vec3(mix(u_area.x, u_area.z, texCoords.x), u_height,\n"
           "                  mix(u_area.y, u_area.w, texCoords.y));\n"
           "    fragColor = vec4(pointShadow(u_lightIndex, p, vec3(0, 1, 0), u_lightPos));\n"
           "}\n";
}

constexpr int kProbe = 48;
using ShadowMappingTest = GlTest;

// Adds a box to the house: its top and four sides, each quad counter-clockwise from outside.
void addBox(const std::string& name, glm::vec3 lo, glm::vec3 hi) {
    const float x0 = lo.x, x1 = hi.x, y0 = lo.y, y1 = hi.y, z0 = lo.z, z1 = hi.z;
    const glm::vec3 quads[5][4] = {{{x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {x0, y1, z0}},
                                   {{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}},
                                   {{x1, y0, z0}, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}},
                                   {{x1, y0, z1}, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}},
                                   {{x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}}};
    Mesh& mesh = house.addMesh(0, 0, name);
    for (const auto& q : quads) {
        const GLuint base = static_cast<GLuint>(mesh.vertices.size());
        const glm::vec3 normal = glm::normalize(glm::cross(q[1] - q[0], q[2] - q[0]));
        for (const glm::vec3& p : q) mesh.vertices.push_back(Vertex{p, normal, {}, {}, {}});
        for (GLuint i : {0u, 1u, 2u, 0u, 2u, 3u}) mesh.indices.push_back(base + i);
    }
    mesh.setBounds(hi, lo);
    mesh.setupMesh();
}

}  // namespace

// Catches shadows that do not fall, detach (peter-panning), ignore the switch, acne and hard edges.
TEST_F(ShadowMappingTest, ShadowsFallBehindTheirCastersAndNowhereElse) {
    // A floor, a unit box and a thin fin, lit from (0, 2, 0), the cube map rendered as in a frame.
    Light* light = renderer.lights.addLight(glm::vec3(0.0f, 2.0f, 0.0f));
    house.meshes.reserve(3);
    addBox("floor", {-6.0f, -0.1f, -6.0f}, {6.0f, 0.0f, 6.0f});
    addBox("box", {1.0f, 0.0f, -0.5f}, {2.0f, 1.0f, 0.5f});
    addBox("fin", {3.0f, 0.0f, -5.0f}, {3.05f, 0.5f, -3.0f});
    const ShaderProgram program =
        programFromSources(readSourceFile("shaders/quad.vert"), shadowProbeSource());
    StdoutCapture quiet;
    ShadowMapping shadows(light);
    quiet.finish();
    glUseProgram(program.id);
    for (int i = 0; i < 10; ++i) {
        const std::string name = "u_texShadowsCubemaps[" + std::to_string(i) + "]";
        glUniform1i(program.getUniformLocation(name), 5 + i);
    }
    ShadowMapping::setLightingUniforms(program, *light);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    shadows.render(house);
    glDisable(GL_DEPTH_TEST);

    // The shadow factor over a patch of the plane y = height, kProbe x kProbe samples.
    const Quad target(true, kProbe, kProbe);
    auto probe = [&](glm::vec4 area, float height, bool shadowsOn) {
        glUseProgram(program.id);
        program.setBool("u_doShadowMappingPoint", shadowsOn);
        glUniform3fv(program.getUniformLocation("u_lightPos"), 1, glm::value_ptr(light->position));
        glUniform4fv(program.getUniformLocation("u_area"), 1, glm::value_ptr(area));
        glUniform1f(program.getUniformLocation("u_height"), height);
        glActiveTexture(GL_TEXTURE5);
        glBindTexture(GL_TEXTURE_CUBE_MAP, shadows.cubeMap);
        target.bind(true);
        Quad::draw();
        return redChannel(readTextureRgba(target.getTexture(), kProbe, kProbe));
    };
    struct Patch {
        const char* what;
        glm::vec4 area;
        float height;
        bool shadowsOn;
        float lowest, highest;
    };
    const Patch patches[] = {
        // The box top's shadow from a light at height 2 spans x 2..4, |z| < 1.
        {"box shadow", {2.4f, -0.4f, 3.6f, 0.4f}, 0.0f, true, 0.0f, 0.0f},
        {"box shadow, shadows off", {2.4f, -0.4f, 3.6f, 0.4f}, 0.0f, false, 1.0f, 1.0f},
        {"behind the box's foot", {2.01f, -0.3f, 2.08f, 0.3f}, 0.0f, true, 0.0f, 0.3f},
        {"behind the fin's foot", {3.06f, -4.2f, 3.12f, -3.8f}, 0.0f, true, 0.0f, 0.3f},
        // Out to grazing angles at the far corners (77 degrees).
        {"open floor before the box", {-6.0f, -6.0f, 0.9f, 6.0f}, 0.0f, true, 1.0f, 1.0f},
        {"open floor beside the box", {-6.0f, 1.2f, 6.0f, 6.0f}, 0.0f, true, 1.0f, 1.0f},
        {"box top, close to the light", {1.05f, -0.45f, 1.95f, 0.45f}, 1.0f, true, 1.0f, 1.0f},
    };
    for (const Patch& patch : patches) {
        const std::vector<float> f = probe(patch.area, patch.height, patch.shadowsOn);
        EXPECT_GE(*std::min_element(f.begin(), f.end()), patch.lowest) << patch.what;
        EXPECT_LE(*std::max_element(f.begin(), f.end()), patch.highest) << patch.what;
    }
    // Across the shadow's side edge the factor passes through in-between values.
    const std::vector<float> edge = probe({3.0f, 0.85f, 3.0001f, 1.15f}, 0.0f, true);
    EXPECT_TRUE(
        std::any_of(edge.begin(), edge.end(), [](float f) { return f > 0.1f && f < 0.9f; }));
}
