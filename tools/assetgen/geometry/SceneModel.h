#pragma once

#include <string>
#include <vector>

#include "geometry/MeshBuilder.h"

// One OBJ object: a name the program can look up, exactly one material, its triangles.
struct SceneObject {
    std::string name;
    std::string material;
    MeshBuilder mesh;
};

// The house model being built: objects in the order they are first asked for.
class SceneModel {
public:
    // The object of that name, made on first use. Asking again with another material is a
    // programming error: the importer would rename the second material's mesh.
    MeshBuilder& mesh(const std::string& name, const std::string& material);

    const std::vector<SceneObject>& objects() const { return sceneObjects; }
    size_t triangleCount() const;

private:
    std::vector<SceneObject> sceneObjects;
};
