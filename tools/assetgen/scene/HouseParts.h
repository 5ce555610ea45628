#pragma once

#include "geometry/SceneModel.h"

// The pieces of the scene, each adding its meshes to the model.
void buildHouseShell(SceneModel& scene);
void buildRoofs(SceneModel& scene);
void buildHouseWindows(SceneModel& scene);
void buildBrokenWindow(SceneModel& scene);
void buildPorch(SceneModel& scene);
void buildHallFurniture(SceneModel& scene);
void buildRockingChair(SceneModel& scene);
void buildGate(SceneModel& scene);
void buildFences(SceneModel& scene);
void buildGardenWall(SceneModel& scene);
void buildCauldron(SceneModel& scene);
void buildTerrain(SceneModel& scene);
void buildFrontYard(SceneModel& scene);
void buildBackGarden(SceneModel& scene);
