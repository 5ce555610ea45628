#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "GlTestFixture.h"
#include "Model.h"
#include "TestFiles.h"

namespace {
// A quad of vertices first..first+3 (texture coordinates 1..4, normal 1) with the given material.
std::string quad(const std::string& name, const std::string& material, int first) {
    auto corner = [&](int i) {
        return " " + std::to_string(first + i) + "/" + std::to_string(i + 1) + "/1";
    };
    return "o " + name + "\nusemtl " + material + "\nf" + corner(0) + corner(1) + corner(2) +
           "\nf" + corner(0) + corner(2) + corner(3) + "\n";
}

std::vector<TextureType> typesOf(const Mesh& mesh) {
    std::vector<TextureType> types;
    for (const MeshTexture& t : mesh.textures) types.push_back(static_cast<TextureType>(t.type));
    return types;
}

class ModelImportTest : public GlTest {};
}  // namespace

// Catches a normal or specular map looked for under the wrong name or folder, a map bound that
// does not exist, a shared image decoded twice, vertex data kept at its growth capacity, a culling
// box computed after a transform, garbage normals where the file has none, and a file that could
// not be read importing silently or adding meshes.
TEST_F(ModelImportTest, SiblingMapsBareTrianglesAndMissingFiles) {
    TempDir dir;
    dir.write("scene/scene.mtl",
              "newmtl wall\nmap_Kd wall.jpg\nnewmtl wood\nmap_Kd maps/wood.png\n"
              "newmtl plain\nKd 1 1 1\nnewmtl wall2\nmap_Kd wall.jpg\n");
    writeSolidImage(dir.path() + "/scene/wall.jpg", 4, 4, 3, 90);
    writeSolidImage(dir.path() + "/scene/wall_NRM.jpg", 4, 4, 3, 128);
    writeSolidImage(dir.path() + "/scene/maps/wood.png", 4, 4, 3, 60);
    writeSolidImage(dir.path() + "/scene/maps/wood_SPEC.png", 4, 4, 1, 30);
    std::string obj = "mtllib scene.mtl\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";
    for (int z = 0; z < 3; ++z)
        for (const char* xy : {"0 0 ", "1 0 ", "1 1 ", "0 1 "})
            obj += "v " + (xy + std::to_string(z)) + "\n";
    dir.write("scene/scene.obj", obj + quad("Wall", "wall", 1) + quad("Shelf", "wood", 5) +
                                     quad("Ghost", "plain", 9) + quad("Wall2", "wall2", 1));
    std::vector<LoadedTexture> cache;
    Model model;
    printedBy([&] { loadModel(cache, dir.path() + "/scene/scene.obj", model); });
    ASSERT_EQ(model.meshes.size(), 4u);
    const Mesh &wall = model.meshes[0], &shelf = model.meshes[1], &wall2 = model.meshes[3];
    EXPECT_EQ(wall.name + shelf.name + model.meshes[2].name + wall2.name, "WallShelfGhostWall2");
    EXPECT_EQ(typesOf(wall), (std::vector<TextureType>{Diffuse, Normal}));
    EXPECT_EQ(typesOf(shelf), (std::vector<TextureType>{Diffuse, Specular}));
    EXPECT_TRUE(model.meshes[2].textures.empty());
    EXPECT_EQ(cache.size(), 4u);  // wall.jpg, shared by two materials, is decoded once
    EXPECT_EQ(wall2.textures.at(0).id, wall.textures[0].id);
    EXPECT_EQ(wall.vertices.capacity(), wall.vertices.size());

    dir.write("bare.obj", "v -1 0 2\nv 3 0 2\nv 3 4 6\no Bare\nf 1 2 3\n");
    Model bare;
    printedBy([&] { loadModel(cache, dir.path() + "/bare.obj", bare); });
    ASSERT_EQ(bare.meshes.size(), 1u);
    EXPECT_EQ(bare.meshes[0].corners[0], glm::vec3(3, 4, 6));
    EXPECT_EQ(bare.meshes[0].corners[7], glm::vec3(-1, 0, 2));
    EXPECT_EQ(bare.meshes[0].vertices[0].normal, glm::vec3(0.0f));

    Model missing;
    const std::string printed =
        printedBy([&] { loadModel(cache, dir.path() + "/missing.obj", missing); });
    EXPECT_EQ(printed.rfind("ERROR (assimp): ", 0), 0u);
    EXPECT_TRUE(missing.meshes.empty());
}
