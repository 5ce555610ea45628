#pragma once

#include <glm/glm.hpp>

#include "geometry/SceneModel.h"

// A weathered stone monk on a plinth: a robe falling in folds from broad shoulders, the head bowed
// in a deep hood whose opening is a dark hollow, the hands folded into the sleeves, a cord at the
// waist. `base` is the middle of the plinth's foot; the figure faces `yaw` (0 faces +z).
void addHoodedStatue(SceneModel& scene, glm::vec3 base, float yaw);
