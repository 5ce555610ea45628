#include <gmock/gmock.h>

#include "GlTestFixture.h"
#include "Model.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

using ::testing::HasSubstr;

namespace {
const char* kQuadFaces =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";

std::string object(const std::string& name, const std::string& material, int firstVertex) {
    const std::string a = std::to_string(firstVertex), b = std::to_string(firstVertex + 1),
                      c = std::to_string(firstVertex + 2), d = std::to_string(firstVertex + 3);
    return "o " + name + "\nusemtl " + material + "\nf " + a + "/" + a + "/1 " + b + "/" + b +
           "/1 " + c + "/" + c + "/1\nf " + a + "/" + a + "/1 " + c + "/" + c + "/1 " + d + "/" +
           d + "/1\n";
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class ModelImportTest : public GlTest {
protected:
    TempDir dir;
    Model model;
    std::vector<LoadedTexture> cache;
    std::string output;

    void load(const std::string& path) {
        StdoutCapture capture;
        loadModel(cache, path, model);
        output = capture.finish();
    }
    const Mesh* find(const std::string& name) const {
        for (const Mesh& mesh : model.meshes) {
            if (mesh.name == name) return &mesh;
        }
        return nullptr;
    }
};
}  // namespace

TEST_F(ModelImportTest, SiblingRuleFindsOnlyTheFilesThatExist) {
    dir.write("scene/scene.mtl",
              "newmtl wall\nmap_Kd wall.jpg\nnewmtl wood\nmap_Kd maps/wood.png\n"
              "newmtl plain\nKd 1 1 1\n");
    writeSolidImage(dir.path() + "/scene/wall.jpg", 4, 4, 3, 90);
    writeSolidImage(dir.path() + "/scene/wall_NRM.jpg", 4, 4, 3, 128);
    writeSolidImage(dir.path() + "/scene/maps/wood.png", 4, 4, 3, 60);
    writeSolidImage(dir.path() + "/scene/maps/wood_SPEC.png", 4, 4, 1, 30);
    dir.write("scene/scene.obj", std::string("mtllib scene.mtl\n") + kQuadFaces +
                                     "v 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
                                     "v 0 0 2\nv 1 0 2\nv 1 1 2\nv 0 1 2\n" +
                                     object("Wall", "wall", 1) + object("Shelf", "wood", 5) +
                                     object("Ghost", "plain", 9));
    load(dir.path() + "/scene/scene.obj");

    ASSERT_EQ(model.meshes.size(), 3u);
    const Mesh* wall = find("Wall");
    const Mesh* shelf = find("Shelf");
    const Mesh* ghost = find("Ghost");
    ASSERT_TRUE(wall && shelf && ghost);
    ASSERT_EQ(wall->textures.size(), 2u);
    EXPECT_EQ(wall->textures[0].type, Diffuse);
    EXPECT_EQ(wall->textures[1].type, Normal);
    ASSERT_EQ(shelf->textures.size(), 2u);
    EXPECT_EQ(shelf->textures[1].type, Specular);
    EXPECT_THAT(output, HasSubstr("Texture loaded: " + dir.path() + "/scene/maps/wood_SPEC.png"));
    EXPECT_TRUE(ghost->textures.empty());
    EXPECT_EQ(cache.size(), 4u);
    // Shrunk to size after upload, data kept.
    EXPECT_EQ(wall->vertices.capacity(), wall->vertices.size());
    EXPECT_EQ(wall->indices.size(), 6u);
}

TEST_F(ModelImportTest, SharedDiffuseFileIsDecodedOnce) {
    dir.write("m.mtl", "newmtl a\nmap_Kd stone.png\nnewmtl b\nmap_Kd stone.png\n");
    writeSolidImage(dir.path() + "/stone.png", 4, 4, 3, 90);
    dir.write("m.obj", std::string("mtllib m.mtl\n") + kQuadFaces +
                           "v 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n" + object("A", "a", 1) +
                           object("B", "b", 5));
    load(dir.path() + "/m.obj");
    ASSERT_EQ(model.meshes.size(), 2u);
    ASSERT_EQ(model.meshes[0].textures.size(), 1u);
    ASSERT_EQ(model.meshes[1].textures.size(), 1u);
    EXPECT_EQ(model.meshes[0].textures[0].id, model.meshes[1].textures[0].id);
    EXPECT_EQ(count(output, "Texture loaded"), 1u);
}

TEST_F(ModelImportTest, BoxIsComputedInFileCoordinatesAndMatrixStaysIdentity) {
    dir.write("m.obj", std::string("v -1 0 2\nv 3 0 2\nv 3 4 6\nvt 0 0\nvn 0 0 1\n") +
                           "o Tri\nf 1/1/1 2/1/1 3/1/1\n");
    load(dir.path() + "/m.obj");
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh& mesh = model.meshes[0];
    EXPECT_EQ(mesh.name, "Tri");
    EXPECT_EQ(mesh.corners[0], glm::vec3(3, 4, 6));
    EXPECT_EQ(mesh.corners[7], glm::vec3(-1, 0, 2));
    EXPECT_EQ(mesh.modelMatrix, glm::mat4(1.0f));
    EXPECT_TRUE(glIsVertexArray(mesh.vao));
}

TEST_F(ModelImportTest, MissingNormalsAreReportedPerVertexAndZeroed) {
    dir.write("m.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\no Bare\nf 1 2 3\n");
    load(dir.path() + "/m.obj");
    ASSERT_EQ(model.meshes.size(), 1u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_THAT(output, HasSubstr("Normal was NULL for vertex " + std::to_string(i) + " in " +
                                      dir.path() + ". Setting it to (0,0,0)\n"));
    }
    EXPECT_EQ(count(output, "Tangent or bitangent was NULL"), 3u);
    EXPECT_EQ(model.meshes[0].vertices[0].normal, glm::vec3(0.0f));
}

TEST_F(ModelImportTest, UnreadableFileAddsNothingAndSaysWhy) {
    load(dir.path() + "/missing.obj");
    EXPECT_EQ(output.rfind("ERROR (assimp): ", 0), 0u);
    EXPECT_TRUE(model.meshes.empty());
}

TEST_F(ModelImportTest, PathWithoutSlashUsesTheWholePathAsDirectory) {
    dir.write("flat.mtl", "newmtl a\nmap_Kd tex.png\n");
    writeSolidImage(dir.path() + "/tex.png", 4, 4, 3, 90);
    writeSolidImage(dir.path() + "/flat.obj.d/tex.png", 4, 4, 3, 90);
    dir.write("flat.obj", std::string("mtllib flat.mtl\n") + kQuadFaces + object("A", "a", 1));
    BoundingBox sharedResources;  // builds the outline program while shaders/ is still reachable
    ScopedWorkingDirectory cwd(dir.path());
    load("flat.obj");
    ASSERT_EQ(model.meshes.size(), 1u);
    // Textures are looked for below "flat.obj/", which is no directory: none is found.
    EXPECT_TRUE(model.meshes[0].textures.empty());
}

TEST_F(ModelImportTest, DrawSkipsMeshesOutsideTheFrustum) {
    dir.write("m.obj", std::string("v -1 -1 -5\nv 1 -1 -5\nv 0 1 -5\n") +
                           "v -1 -1 5\nv 1 -1 5\nv 0 1 5\nvt 0 0\nvn 0 0 1\n" +
                           "o Ahead\nf 1/1/1 2/1/1 3/1/1\no Behind\nf 4/1/1 5/1/1 6/1/1\n");
    load(dir.path() + "/m.obj");
    ASSERT_EQ(model.meshes.size(), 2u);
    Frustum frustum;
    frustum.setLens(60.0f, 1.0f, 0.1f, 50.0f);
    frustum.build({0, 0, 0}, {0, 0, -1}, {0, 1, 0});

    TempDir shaders;
    shaders.write("shaders/d.vert",
                  "#version 430 core\nlayout(location = 0) in vec3 aPos;\n"
                  "uniform mat4 u_modelMatrix;\nvoid main() { gl_Position = u_modelMatrix *"
                  " vec4(aPos.xy * 0.1, 0.0, 1.0); }\n");
    shaders.write("shaders/d.frag",
                  "#version 430 core\nuniform bool u_useDiff;\nout vec4 c;\n"
                  "void main() { c = vec4(u_useDiff ? 0.0 : 1.0); }\n");
    ShaderProgram program;
    {
        ScopedWorkingDirectory cwd(shaders.path());
        StdoutCapture quiet;
        program = ShaderProgram("d.vert", "d.frag");
    }
    glUseProgram(program.id);
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    model.draw(program, MappingSwitches(), frustum);
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    EXPECT_EQ(primitives, 1u);  // only the triangle ahead
}
