#include "geometry/SceneModel.h"

#include <cstdio>
#include <cstdlib>

MeshBuilder& SceneModel::mesh(const std::string& name, const std::string& material) {
    for (SceneObject& object : sceneObjects) {
        if (object.name != name) continue;
        if (object.material != material) {
            std::fprintf(stderr, "object %s asked for with a second material %s\n", name.c_str(),
                         material.c_str());
            std::abort();
        }
        return object.mesh;
    }
    sceneObjects.push_back(SceneObject{name, material, MeshBuilder{}});
    return sceneObjects.back().mesh;
}

size_t SceneModel::triangleCount() const {
    size_t count = 0;
    for (const SceneObject& object : sceneObjects) count += object.mesh.triangleCount();
    return count;
}
