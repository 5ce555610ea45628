#pragma once

#include <glm/glm.hpp>

#include "geometry/SceneModel.h"

// A wax candle standing on `base` with its flame on top.
void addCandle(SceneModel& scene, glm::vec3 base, float height, float radius = 0.025f);

// An open iron lantern (a cage without glass, so the light inside reaches the room) whose candle
// flame sits at `light`; returns the top of its cap, where a chain or bracket holds it.
glm::vec3 addOpenLantern(SceneModel& scene, const char* ironObject, glm::vec3 light, float size);
