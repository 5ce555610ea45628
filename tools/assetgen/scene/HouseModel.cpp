#include "scene/HouseModel.h"

#include <cstdio>

#include "geometry/ObjWriter.h"
#include "scene/HouseParts.h"
#include "textures/MaterialLibrary.h"

SceneModel buildHouseModel() {
    SceneModel scene;
    buildHouseShell(scene);
    buildRoofs(scene);
    buildHouseWindows(scene);
    buildBrokenWindow(scene);
    buildPorch(scene);
    buildHallFurniture(scene);
    buildRockingChair(scene);
    buildGate(scene);
    buildFences(scene);
    buildGardenWall(scene);
    buildCauldron(scene);
    buildTerrain(scene);
    buildFrontYard(scene);
    buildBackGarden(scene);
    return scene;
}

void writeHouseModel(const std::string& root) {
    const SceneModel scene = buildHouseModel();
    std::vector<MaterialFile> materials;
    for (const MaterialInfo& m : materialLibrary()) {
        materials.push_back({m.name, std::string("Textures/") + m.name + ".jpg", m.shininess});
    }
    writeObj(root + "/res/myhouse", "myhouse", scene, materials);
    std::printf("murkmoor-assetgen: house model has %zu meshes, %zu triangles\n",
                scene.objects().size(), scene.triangleCount());
}
