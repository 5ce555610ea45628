#include <gmock/gmock.h>

#include "BoundingBox.h"
#include "GlTestFixture.h"
#include "Mesh.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

namespace {
void expectNear(glm::vec3 actual, glm::vec3 expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
}  // namespace

TEST(Obj, TransformsActInWorldSpaceAboutTheOrigin) {
    Obj object;
    object.translate({1, 0, 0});
    object.rotate(90.0f, {0, 1, 0});
    expectNear(object.position, {0, 0, -1});

    object.translate({0, 2, 0});
    expectNear(object.position, {0, 2, -1});
    EXPECT_EQ(glm::vec3(object.modelMatrix[3]), object.position);

    object.scale({2, 3, 4});  // scales the translation too: the origin is the pivot
    expectNear(object.position, {0, 6, -4});
}

TEST(Obj, TurnAboutAPivotIsTranslateRotateTranslate) {
    Obj door;
    door.translate({3, 0, 0});
    const glm::vec3 hinge(2, 0, 0);
    door.translate(-hinge);
    door.rotate(180.0f, {0, 1, 0});
    door.translate(hinge);
    expectNear(door.position, {1, 0, 0});
}

class SceneObjectGlTest : public GlTest {};

TEST_F(SceneObjectGlTest, SetBoundsFillsCornersAndPlacesTheBox) {
    Mesh mesh;
    mesh.setBounds({3, 4, 6}, {-1, 0, 2});
    expectNear(mesh.center, {1, 2, 4});
    expectNear(mesh.size, {4, 4, 4});
    expectNear(mesh.corners[0], {3, 4, 6});
    expectNear(mesh.corners[1], {3, 4, 2});
    expectNear(mesh.corners[2], {3, 0, 6});
    expectNear(mesh.corners[4], {-1, 4, 6});
    expectNear(mesh.corners[7], {-1, 0, 2});

    Mesh other;
    other.setBounds({2, 4, 6}, {0, 0, 0});
    const glm::mat4& m = other.boundingBox.modelMatrix;
    expectNear({m[0][0], m[1][1], m[2][2]}, {2, 4, 6});
    expectNear(glm::vec3(m[3]), {1, 2, 3});
    expectNear(other.boundingBox.position, {1, 2, 3});
    // Unit-cube vertex 6 (0.5, 0.5, 0.5) lands on the box's max corner.
    expectNear(glm::vec3(m * glm::vec4(0.5f, 0.5f, 0.5f, 1.0f)), {2, 4, 6});
}

TEST_F(SceneObjectGlTest, SharedBoxResourcesAreMadeOnce) {
    BoundingBox first;
    const GLuint vertexArray = BoundingBox::sharedVertexArray;
    ASSERT_NE(vertexArray, static_cast<GLuint>(-1));
    EXPECT_TRUE(glIsVertexArray(vertexArray));
    const GLuint program = BoundingBox::sharedProgram->id;

    StdoutCapture capture;
    BoundingBox second;
    EXPECT_EQ(capture.finish(), "");  // compiles nothing
    EXPECT_EQ(BoundingBox::sharedVertexArray, vertexArray);
    EXPECT_EQ(BoundingBox::sharedProgram->id, program);

    // A default mesh's box is a plain object: no resources, identity placement.
    Mesh mesh;
    EXPECT_EQ(mesh.boundingBox.modelMatrix, glm::mat4(1.0f));
}

TEST_F(SceneObjectGlTest, BoxDrawsItsOutlineWithTheSharedProgram) {
    BoundingBox box;
    GLuint target = 0;
    GLuint framebuffer = 0;
    glGenTextures(1, &target);
    glBindTexture(GL_TEXTURE_2D, target);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 32, 32, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
    glViewport(0, 0, 32, 32);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    StdoutCapture capture;
    box.draw(glm::mat4(1.5f), glm::mat4(1.0f));
    EXPECT_EQ(capture.finish(), "");
    const std::vector<float> pixels = readTextureRgba(target, 32, 32);
    float lit = 0.0f;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i + 1];
    EXPECT_GT(lit, 10.0f);  // the outline's edges cover pixels
    EXPECT_LT(lit, 32.0f * 32.0f * 0.5f);  // lines, not a filled box
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// Mesh drawing against a program that declares the material uniforms.
class MeshDrawTest : public GlTest {
protected:
    TempDir dir;
    ShaderProgram program;
    void SetUp() override {
        GlTest::SetUp();
        dir.write("shaders/m.vert",
                  "#version 430 core\nlayout(location = 0) in vec3 aPos;\n"
                  "uniform mat4 u_modelMatrix;\n"
                  "void main() { gl_Position = u_modelMatrix * vec4(aPos, 1.0); }\n");
        dir.write("shaders/m.frag",
                  "#version 430 core\nout vec4 c;\nuniform sampler2D u_texDiffuse;\n"
                  "uniform sampler2D u_texSpecular;\nuniform sampler2D u_texNormal;\n"
                  "uniform bool u_useDiff;\nuniform bool u_useSpec;\nuniform bool u_useNormal;\n"
                  "void main() { c = vec4(u_useDiff ? texture(u_texDiffuse, vec2(0.5)).r : 0.0,"
                  " u_useSpec ? texture(u_texSpecular, vec2(0.5)).r : 0.0,"
                  " u_useNormal ? texture(u_texNormal, vec2(0.5)).r : 0.0, 1.0); }\n");
        ScopedWorkingDirectory cwd(dir.path());
        program = ShaderProgram("m.vert", "m.frag");
        glUseProgram(program.id);
    }
    int uniform(const char* name) {
        GLint value = -99;
        glGetUniformiv(program.id, glGetUniformLocation(program.id, name), &value);
        return value;
    }
    void setUniform(const char* name, int value) {
        glUniform1i(glGetUniformLocation(program.id, name), value);
    }
    static GLuint boundOnUnit(int unit) {
        GLint name = 0;
        glActiveTexture(GL_TEXTURE0 + unit);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return static_cast<GLuint>(name);
    }
    static Mesh triangle() {
        Mesh mesh;
        mesh.vertices = {Vertex{{0, 0, 0}, {0, 0, 1}, {0, 0}, {}, {}},
                         Vertex{{1, 0, 0}, {0, 0, 1}, {1, 0}, {}, {}},
                         Vertex{{0, 1, 0}, {0, 0, 1}, {0, 1}, {}, {}}};
        mesh.indices = {0, 1, 2};
        mesh.setupMesh();
        return mesh;
    }
};

TEST_F(MeshDrawTest, DisabledNormalMapIsNeitherBoundNorFlagged) {
    GLuint textures[3];
    glGenTextures(3, textures);
    for (GLuint t : textures) {
        glBindTexture(GL_TEXTURE_2D, t);
        const unsigned char pixel[4] = {255, 255, 255, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }
    for (int unit = 0; unit < 3; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    Mesh mesh = triangle();
    mesh.textures = {{Diffuse, textures[0]}, {Normal, textures[2]}};
    setUniform("u_useNormal", 1);
    setUniform("u_texNormal", 7);
    setUniform("u_useSpec", 1);
    setUniform("u_texDiffuse", 5);

    StdoutCapture capture;
    mesh.draw(program, MappingSwitches(true, true, false, true, true));
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(uniform("u_texDiffuse"), 0);
    EXPECT_EQ(uniform("u_useDiff"), 1);
    EXPECT_EQ(uniform("u_useSpec"), 0);  // enabled but the mesh has none
    EXPECT_EQ(uniform("u_useNormal"), 1);  // disabled: left as it was
    EXPECT_EQ(uniform("u_texNormal"), 7);
    EXPECT_EQ(boundOnUnit(0), textures[0]);
    EXPECT_EQ(boundOnUnit(2), 0u);

    mesh.draw(program, MappingSwitches(true, true, true, true, true));
    EXPECT_EQ(uniform("u_useNormal"), 1);
    EXPECT_EQ(uniform("u_texNormal"), 2);
    EXPECT_EQ(boundOnUnit(2), textures[2]);
}

TEST_F(MeshDrawTest, MeshWithoutTexturesClearsOnlyTheDiffuseFlag) {
    Mesh mesh = triangle();
    setUniform("u_useDiff", 1);
    setUniform("u_useSpec", 1);
    mesh.translate({0.25f, 0, 0});
    mesh.draw(program, MappingSwitches());
    EXPECT_EQ(uniform("u_useDiff"), 0);
    EXPECT_EQ(uniform("u_useSpec"), 1);
    GLfloat matrix[16];
    glGetUniformfv(program.id, glGetUniformLocation(program.id, "u_modelMatrix"), matrix);
    EXPECT_FLOAT_EQ(matrix[12], 0.25f);

    // All switches off, as the shadow pass draws: only the model matrix is set.
    setUniform("u_useDiff", 1);
    mesh.draw(program, MappingSwitches(false, false, false, false, false));
    EXPECT_EQ(uniform("u_useDiff"), 1);
}

TEST_F(MeshDrawTest, SetDiffuseTextureChangesOnlyDiffuseEntries) {
    Mesh mesh;
    mesh.textures = {{Diffuse, 11}, {Specular, 12}, {Normal, 13}};
    mesh.setDiffuseTexture(42);
    EXPECT_EQ(mesh.textures[0].id, 42u);
    EXPECT_EQ(mesh.textures[1].id, 12u);
    EXPECT_EQ(mesh.textures[2].id, 13u);

    Mesh plain;
    plain.textures = {{Specular, 5}};
    plain.setDiffuseTexture(42);
    EXPECT_EQ(plain.textures[0].id, 5u);
}

TEST_F(MeshDrawTest, VertexLayoutMatchesTheAttributeOffsets) {
    Mesh mesh = triangle();
    glBindVertexArray(mesh.vao);
    const GLint expectedSizes[5] = {3, 3, 2, 3, 3};
    const GLint expectedOffsets[5] = {0, 12, 24, 32, 44};
    for (GLuint location = 0; location < 5; ++location) {
        GLint size = 0;
        GLint stride = 0;
        GLint enabled = 0;
        void* offset = nullptr;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribPointerv(location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
        EXPECT_EQ(size, expectedSizes[location]);
        EXPECT_EQ(stride, 56);
        EXPECT_EQ(enabled, GL_TRUE);
        EXPECT_EQ(reinterpret_cast<intptr_t>(offset), expectedOffsets[location]);
    }
    GLint vertexArray = -1;
    glBindVertexArray(0);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    EXPECT_EQ(vertexArray, 0);
}
