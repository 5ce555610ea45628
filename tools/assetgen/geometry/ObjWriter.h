#pragma once

#include <string>
#include <vector>

#include "geometry/SceneModel.h"

struct MaterialFile {
    std::string name;
    std::string diffuseMap;  // relative to the model's directory, e.g. Textures/stoneWall.jpg
    float shininess;
};

// Writes `directory/baseName.obj` and `directory/baseName.mtl`. Empty objects are left out.
void writeObj(const std::string& directory, const std::string& baseName, const SceneModel& scene,
              const std::vector<MaterialFile>& materials);
