#pragma once

#include <string>

#include "geometry/SceneModel.h"

// The whole scene: house, furniture, grounds and props.
SceneModel buildHouseModel();

// Writes root/res/myhouse/myhouse.obj and .mtl; prints the mesh and triangle counts.
void writeHouseModel(const std::string& root);
