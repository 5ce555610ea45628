#pragma once

#include <string>
#include <vector>

#include "Frustum.h"
#include "Mesh.h"
#include "Obj.h"

struct aiMaterial;
struct aiMesh;
struct aiNode;
struct aiScene;

// The imported house: an Obj with its meshes in import order. Its own model matrix is not applied
// to the meshes; each mesh draws with its own.
class Model : public Obj {
public:
    std::vector<Mesh> meshes;

    Mesh& addMesh(unsigned vertexCount, unsigned indexCount, const std::string& name);
    // Draws every mesh whose box is not wholly outside the frustum.
    void draw(const ShaderProgram& shader, const MappingSwitches& switches, Frustum frustum);
};

// A texture file loaded during one import, so that a file shared by materials is decoded once.
struct LoadedTexture {
    MeshTexture texture;
    std::string fileName;
};

void loadModel(std::vector<LoadedTexture>& textureCache, std::string path, Model& model);
void processNode(std::vector<LoadedTexture>& textureCache, const aiNode* node,
                 const aiScene* scene, const std::string& directory, Model& model, bool shrink);
void processMesh(std::vector<LoadedTexture>& textureCache, const aiMesh* source,
                 const aiScene* scene, const std::string& directory, Model& model, bool shrink);
void loadMaterialTextures(std::vector<LoadedTexture>& textureCache, const aiMaterial* material,
                          const std::string& directory, Mesh& mesh);
