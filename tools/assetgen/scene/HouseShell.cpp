#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kInnerFront = kFront - kWall;  // 0.1
const float kInnerBack = kBack + kWall;    // -7.6
const float kInnerLeft = kLeft + kWall;    // -9.5
const float kInnerRight = kRight - kWall;  // 5.2
const float kEaveUnder = 4.35f;            // the roof's underside where it crosses the front wall

// Outer faces: front and back walls up to the roof, the gables up to the ridge. The tower takes
// the front left corner, so the front and left walls stop at it.
void buildOuterWalls(SceneModel& scene) {
    Part stone = part(scene, "house_walls", mat::kStoneWall);
    const Rect2 door{{kDoorMinX, kFloor}, {kDoorMaxX, kDoorTop}};
    addPlaneRects(stone, Axis::Z, kFront, 1.0f, {{kTowerMaxX, kGround}, {kRight, kEaveUnder}},
                  {door});
    addOpeningSides(stone, Axis::Z, kInnerFront, kFront, door, false);
    addPlaneRects(stone, Axis::Z, kBack, -1.0f, {{kLeft, kGround}, {kRight, kEaveUnder}});

    const Rect2 window{{kBrokenWindowMinZ, kBrokenWindowBottom},
                       {kBrokenWindowMaxZ, kBrokenWindowTop}};
    addPlaneRects(stone, Axis::X, kLeft, -1.0f, {{kBack, kGround}, {kTowerMinZ, kEaveUnder}},
                  {window});
    addOpeningSides(stone, Axis::X, kLeft, kInnerLeft, window, true);
    stone.mesh.addFlatPolygon({{kLeft, kEaveUnder, kBack},
                               {kLeft, kEaveUnder, kTowerMinZ},
                               {kLeft, roofUnderside(kTowerMinZ), kTowerMinZ},
                               {kLeft, roofUnderside(kRidgeZ), kRidgeZ}},
                              {-1, 0, 0}, stone.repeat);

    addPlaneRects(stone, Axis::X, kRight, 1.0f, {{kBack, kGround}, {kFront, kEaveUnder}});
    stone.mesh.addFlatPolygon({{kRight, kEaveUnder, kBack},
                               {kRight, kEaveUnder, kFront},
                               {kRight, roofUnderside(kRidgeZ), kRidgeZ}},
                              {1, 0, 0}, stone.repeat);
}

// The tower's outside: full height where it stands clear of the house, above the roof elsewhere.
void buildTowerWalls(SceneModel& scene) {
    Part stone = part(scene, "tower_walls", mat::kStoneWall);
    addPlaneRects(stone, Axis::X, kTowerMinX, -1.0f,
                  {{kTowerMinZ, kGround}, {kTowerMaxZ, kTowerTop}});
    addPlaneRects(stone, Axis::Z, kTowerMaxZ, 1.0f,
                  {{kTowerMinX, kGround}, {kTowerMaxX, kTowerTop}});
    addPlaneRects(stone, Axis::X, kTowerMaxX, 1.0f, {{kFront, kGround}, {kTowerMaxZ, kTowerTop}});
    stone.mesh.addFlatPolygon({{kTowerMaxX, roofTop(kTowerMinZ), kTowerMinZ},
                               {kTowerMaxX, roofTop(kFront), kFront},
                               {kTowerMaxX, kTowerTop, kFront},
                               {kTowerMaxX, kTowerTop, kTowerMinZ}},
                              {1, 0, 0}, stone.repeat);
    addPlaneRects(stone, Axis::Z, kTowerMinZ, -1.0f,
                  {{kTowerMinX, roofTop(kTowerMinZ)}, {kTowerMaxX, kTowerTop}});
}

// Inside: the hall (papered), the second room behind the partition (plastered), floors, ceilings.
void buildInterior(SceneModel& scene) {
    Part paper = part(scene, "hall_walls", mat::kAgedWallpaper);
    const Rect2 door{{kDoorMinX, kFloor}, {kDoorMaxX, kDoorTop}};
    const Rect2 window{{kBrokenWindowMinZ, kBrokenWindowBottom},
                       {kBrokenWindowMaxZ, kBrokenWindowTop}};
    const float doorwayMinZ = -3.4f;
    const float doorwayMaxZ = -2.4f;
    const float doorwayTop = 0.6f;
    const Rect2 doorway{{doorwayMinZ, kFloor}, {doorwayMaxZ, doorwayTop}};
    addPlaneRects(paper, Axis::Z, kInnerBack, 1.0f, {{kInnerLeft, kFloor}, {kPartition, kCeiling}});
    addPlaneRects(paper, Axis::Z, kInnerFront, -1.0f,
                  {{kTowerMaxX, kFloor}, {kPartition, kCeiling}}, {door});
    addPlaneRects(paper, Axis::X, kInnerLeft, 1.0f, {{kInnerBack, kFloor}, {kTowerMinZ, kCeiling}},
                  {window});
    addPlaneRects(paper, Axis::X, kPartition, -1.0f,
                  {{kInnerBack, kFloor}, {kInnerFront, kCeiling}}, {doorway});
    addPlaneRects(paper, Axis::X, kTowerMaxX, 1.0f,
                  {{kTowerMinZ, kFloor}, {kInnerFront, kCeiling}});
    addPlaneRects(paper, Axis::Z, kTowerMinZ, -1.0f,
                  {{kInnerLeft, kFloor}, {kTowerMaxX, kCeiling}});

    Part plaster = part(scene, "room_walls", mat::kPlaster);
    const float roomLeft = kPartition + kWall;
    addPlaneRects(plaster, Axis::X, roomLeft, 1.0f, {{kInnerBack, kFloor}, {kInnerFront, kCeiling}},
                  {doorway});
    addOpeningSides(plaster, Axis::X, kPartition, roomLeft, doorway, false);
    addPlaneRects(plaster, Axis::Z, kInnerBack, 1.0f,
                  {{roomLeft, kFloor}, {kInnerRight, kCeiling}});
    addPlaneRects(plaster, Axis::Z, kInnerFront, -1.0f,
                  {{roomLeft, kFloor}, {kInnerRight, kCeiling}});
    addPlaneRects(plaster, Axis::X, kInnerRight, -1.0f,
                  {{kInnerBack, kFloor}, {kInnerFront, kCeiling}});

    Part ceiling = part(scene, "ceilings", mat::kSootedPlaster);
    const Rect2 tower{{kTowerMinX, kTowerMinZ}, {kTowerMaxX, kTowerMaxZ}};
    addPlaneRects(ceiling, Axis::Y, kCeiling, -1.0f,
                  {{kInnerLeft, kInnerBack}, {kPartition, kInnerFront}}, {tower});
    addPlaneRects(ceiling, Axis::Y, kCeiling, -1.0f,
                  {{roomLeft, kInnerBack}, {kInnerRight, kInnerFront}});

    Part boards = part(scene, "floors", mat::kWornFloorboards);
    addPlaneRects(boards, Axis::Y, kFloor, 1.0f,
                  {{kInnerLeft, kInnerBack}, {kPartition, kInnerFront}}, {tower});
    addPlaneRects(boards, Axis::Y, kFloor, 1.0f,
                  {{kPartition, doorwayMinZ}, {roomLeft, doorwayMaxZ}});
    addPlaneRects(boards, Axis::Y, kFloor, 1.0f,
                  {{roomLeft, kInnerBack}, {kInnerRight, kInnerFront}});
    addPlaneRects(boards, Axis::Y, kFloor, 1.0f, {{kDoorMinX, kInnerFront}, {kDoorMaxX, kFront}});
}
}  // namespace

void buildHouseShell(SceneModel& scene) {
    buildOuterWalls(scene);
    buildTowerWalls(scene);
    buildInterior(scene);
}
