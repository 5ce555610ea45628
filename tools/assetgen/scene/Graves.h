#pragma once

#include <glm/glm.hpp>

#include "geometry/SceneModel.h"

enum class GraveMarker { Rounded, Cross, Obelisk, Pointed };

// A grave marker standing on the ground at `base`, turned by `yaw` (radians, 0 faces +z) and
// leaning by `lean` (radians, backwards), with a low mound of earth in front where `mound` is set.
void addGraveMarker(SceneModel& scene, const char* object, glm::vec3 base, float yaw, float lean,
                    GraveMarker marker, float scale);
