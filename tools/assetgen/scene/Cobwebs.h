#pragma once

#include "geometry/SceneModel.h"

// Cobwebs strung across the hall's corners.
void buildCobwebs(SceneModel& scene);
