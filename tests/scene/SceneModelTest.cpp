// The generated house model, imported by the engine's own loader on a real GL context.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "GlTestFixture.h"
#include "Model.h"

namespace {
const char* const kNamedMeshes[] = {"Chair_chair", "rightDoor", "leftDoor", "bone",
                                    "main_construction.003_Vert.005"};

class SceneModelTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        loadModel(cache, std::string(MURKMOOR_SOURCE_DIR) + "/res/myhouse/myhouse.obj", model);
        ASSERT_FALSE(model.meshes.empty()) << "run the asset generator first";
    }
    std::vector<LoadedTexture> cache;
    Model model;
};

bool fileExists(const std::string& path) {
    return std::ifstream(path).good();
}
}  // namespace

TEST_F(SceneModelTest, EachAnimatedOrSwappedMeshIsFoundExactlyOnce) {
    for (const char* name : kNamedMeshes) {
        int found = 0;
        for (const Mesh& mesh : model.meshes) found += mesh.name == name ? 1 : 0;
        EXPECT_EQ(found, 1) << name;
    }
}

TEST_F(SceneModelTest, StaysWithinTheMeshAndTriangleBudget) {
    size_t triangles = 0;
    for (const Mesh& mesh : model.meshes) triangles += mesh.indices.size() / 3;
    EXPECT_LE(model.meshes.size(), 150u);
    EXPECT_LE(triangles, 250000u);
}

TEST_F(SceneModelTest, EveryMeshHasItsDiffuseMapAndTheSiblingsWrittenBesideIt) {
    const std::string directory = std::string(MURKMOOR_SOURCE_DIR) + "/res/myhouse/";
    std::map<GLuint, std::string> fileOfTexture;
    for (const LoadedTexture& loaded : cache) fileOfTexture[loaded.texture.id] = loaded.fileName;
    for (const Mesh& mesh : model.meshes) {
        std::set<int> kinds;
        std::string diffuse;
        for (const MeshTexture& t : mesh.textures) {
            kinds.insert(t.type);
            if (t.type == Diffuse) diffuse = fileOfTexture[t.id];
        }
        ASSERT_TRUE(kinds.count(Diffuse)) << mesh.name << " has no diffuse map";
        const std::string base = diffuse.substr(0, diffuse.find_last_of('.'));
        EXPECT_EQ(kinds.count(Specular) == 1, fileExists(directory + base + "_SPEC.jpg"))
            << mesh.name;
        EXPECT_EQ(kinds.count(Normal) == 1, fileExists(directory + base + "_NRM.jpg")) << mesh.name;
    }
}

TEST_F(SceneModelTest, TexturesAreSquareAt512Or1024) {
    ASSERT_FALSE(cache.empty());
    for (const LoadedTexture& loaded : cache) {
        GLint width = 0;
        GLint height = 0;
        glBindTexture(GL_TEXTURE_2D, loaded.texture.id);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(width, height) << loaded.fileName;
        EXPECT_TRUE(width == 512 || width == 1024) << loaded.fileName << " is " << width;
    }
}
