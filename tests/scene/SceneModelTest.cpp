#include <fstream>
#include <map>
#include <set>

#include "GlTestFixture.h"
#include "Model.h"
#include "SceneAnchors.h"

class SceneModelTest : public GlTest {};

// Catches a part the program looks up by name missing or doubled, a model over the draw budget,
// a mesh without its diffuse map, a specular or normal map bound that was never written (or one
// written but not found), and textures at sizes the mipmapped samplers were not made for.
TEST_F(SceneModelTest, HouseLoadsWithItsNamedPartsAndEveryMapItWasGiven) {
    const std::string directory = std::string(MURKMOOR_SOURCE_DIR) + "/res/myhouse/";
    std::vector<LoadedTexture> cache;
    Model model;
    loadModel(cache, directory + "myhouse.obj", model);
    ASSERT_FALSE(model.meshes.empty()) << "run the asset generator first";
    std::map<std::string, int> named;
    size_t triangles = 0;
    for (const Mesh& mesh : model.meshes) {
        ++named[mesh.name];
        triangles += mesh.indices.size() / 3;
    }
    for (const char* name : {anchors::kChairMesh, anchors::kRightGateMesh, anchors::kLeftGateMesh,
                             anchors::kBoneMesh, anchors::kChangingWindowMesh})
        EXPECT_EQ(named[name], 1) << name;
    EXPECT_TRUE(model.meshes.size() <= 150u && triangles <= 250000u) << triangles << " triangles";

    std::map<GLuint, std::string> fileOfTexture;
    for (const LoadedTexture& loaded : cache) fileOfTexture[loaded.texture.id] = loaded.fileName;
    auto exists = [&](const std::string& file) { return std::ifstream(directory + file).good(); };
    for (const Mesh& mesh : model.meshes) {
        std::set<int> kinds;
        std::string diffuse;
        for (const MeshTexture& t : mesh.textures) {
            kinds.insert(t.type);
            if (t.type == Diffuse) diffuse = fileOfTexture[t.id];
        }
        ASSERT_TRUE(kinds.count(Diffuse)) << mesh.name << " has no diffuse map";
        const std::string base = diffuse.substr(0, diffuse.find_last_of('.'));
        EXPECT_EQ(kinds.count(Specular) == 1, exists(base + "_SPEC.jpg")) << mesh.name;
        EXPECT_EQ(kinds.count(Normal) == 1, exists(base + "_NRM.jpg")) << mesh.name;
    }
    for (const LoadedTexture& loaded : cache) {
        GLint width = 0, height = 0;
        glBindTexture(GL_TEXTURE_2D, loaded.texture.id);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_TRUE(width == height && (width == 512 || width == 1024))
            << loaded.fileName << " is " << width << " x " << height;
    }
}
