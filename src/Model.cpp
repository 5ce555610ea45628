#include "Model.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>
#include <fstream>
#include <limits>

#include "LoadFailures.h"
#include "Texture.h"

Mesh& Model::addMesh(unsigned vertexCount, unsigned indexCount, const std::string& name) {
    meshes.emplace_back();
    Mesh& mesh = meshes.back();
    mesh.vertices.reserve(vertexCount);
    mesh.indices.reserve(indexCount);
    mesh.textures.reserve(4);
    mesh.name = name;
    return mesh;
}

void Model::draw(const ShaderProgram& shader, const MappingSwitches& switches, Frustum frustum) {
    for (Mesh& mesh : meshes) {
        if (frustum.testBox(mesh.corners) != Outside) mesh.draw(shader, switches);
    }
}

void loadModel(std::vector<LoadedTexture>& textureCache, std::string path, Model& model) {
    Assimp::Importer importer;
    const unsigned flags = aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices |
                           aiProcess_Triangulate | aiProcess_ImproveCacheLocality |
                           aiProcess_OptimizeMeshes;
    const aiScene* scene = importer.ReadFile(path, flags);
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || !scene->mRootNode) {
        printf("ERROR (assimp): %s", importer.GetErrorString());
        noteLoadFailure(path, "cannot be loaded");
        return;
    }
    const size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? path : path.substr(0, slash);
    processNode(textureCache, scene->mRootNode, scene, directory, model, true);
}

void processNode(std::vector<LoadedTexture>& textureCache, const aiNode* node, const aiScene* scene,
                 const std::string& directory, Model& model, bool shrink) {
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        processMesh(textureCache, scene->mMeshes[node->mMeshes[i]], scene, directory, model,
                    shrink);
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i) {
        processNode(textureCache, node->mChildren[i], scene, directory, model, shrink);
    }
}

void processMesh(std::vector<LoadedTexture>& textureCache, const aiMesh* source,
                 const aiScene* scene, const std::string& directory, Model& model, bool shrink) {
    const std::string name(source->mName.C_Str(), std::min<size_t>(source->mName.length, 1023));
    Mesh& mesh = model.addMesh(source->mNumVertices, source->mNumVertices, name);

    const float inf = std::numeric_limits<float>::infinity();
    glm::vec3 min(inf);
    glm::vec3 max(-inf);
    for (unsigned i = 0; i < source->mNumVertices; ++i) {
        Vertex vertex{};
        const aiVector3D& p = source->mVertices[i];
        vertex.position = glm::vec3(p.x, p.y, p.z);
        if (source->mNormals) {
            const aiVector3D& n = source->mNormals[i];
            vertex.normal = glm::vec3(n.x, n.y, n.z);
        } else {
            vertex.normal = glm::vec3(0.0f);
            printf("Normal was NULL for vertex %d in %s. Setting it to (0,0,0)\n", i,
                   directory.c_str());
        }
        if (source->mTextureCoords[0]) {
            vertex.texCoords =
                glm::vec2(source->mTextureCoords[0][i].x, source->mTextureCoords[0][i].y);
        } else {
            vertex.texCoords = glm::vec2(0.0f);
        }
        if (source->mTangents && source->mBitangents) {
            const aiVector3D& t = source->mTangents[i];
            const aiVector3D& b = source->mBitangents[i];
            vertex.tangent = glm::vec3(t.x, t.y, t.z);
            vertex.bitangent = glm::vec3(b.x, b.y, b.z);
        } else {
            vertex.tangent = glm::vec3(0.0f);
            vertex.bitangent = glm::vec3(0.0f);
            printf("Tangent or bitangent was NULL for vertex %d in %s. Setting it to (0,0,0)\n", i,
                   directory.c_str());
        }
        min = glm::min(min, vertex.position);
        max = glm::max(max, vertex.position);
        mesh.vertices.push_back(vertex);
    }
    for (unsigned f = 0; f < source->mNumFaces; ++f) {
        const aiFace& face = source->mFaces[f];
        for (unsigned k = 0; k < face.mNumIndices; ++k) mesh.indices.push_back(face.mIndices[k]);
    }

    mesh.setBounds(max, min);
    mesh.setupMesh();
    loadMaterialTextures(textureCache, scene->mMaterials[source->mMaterialIndex], directory, mesh);
    if (shrink) {
        mesh.vertices.shrink_to_fit();
        mesh.indices.shrink_to_fit();
        mesh.textures.shrink_to_fit();
    }
}

void loadMaterialTextures(std::vector<LoadedTexture>& textureCache, const aiMaterial* material,
                          const std::string& directory, Mesh& mesh) {
    if (aiGetMaterialTextureCount(material, aiTextureType_DIFFUSE) == 0) return;
    aiString texturePath;
    aiGetMaterialTexture(material, aiTextureType_DIFFUSE, 0, &texturePath);
    const std::string name = texturePath.C_Str();
    const size_t dot = name.find_last_of('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);

    const struct {
        TextureType type;
        const char* suffix;
    } kinds[3] = {{Diffuse, ""}, {Specular, "_SPEC"}, {Normal, "_NRM"}};

    std::vector<MeshTexture> found;
    for (const auto& kind : kinds) {
        const std::string fileName = base + kind.suffix + extension;
        if (!std::ifstream(directory + "/" + fileName).good()) continue;

        bool cached = false;
        for (const LoadedTexture& loaded : textureCache) {
            if (loaded.fileName == fileName) {
                found.push_back(loaded.texture);
                cached = true;
                break;
            }
        }
        if (cached) continue;
        int width = 0;
        int height = 0;
        const MeshTexture texture{kind.type, loadTexture(fileName, directory, width, height)};
        found.push_back(texture);
        textureCache.push_back(LoadedTexture{texture, fileName});
    }
    mesh.textures.insert(mesh.textures.end(), found.begin(), found.end());
}
