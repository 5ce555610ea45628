#include <cmath>

#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kEaveFrontZ = kFront + kEaveOverhang;
const float kEaveBackZ = kBack - kEaveOverhang;
const float kGableLeftX = kLeft - kGableOverhang;
const float kGableRightX = kRight + kGableOverhang;

struct Chimney {
    Rect2 footprint;  // x, z
    float top;
};
// The cross gable over the door and the swapped window: the facade rises into a steep gable whose
// own roof runs back into the main roof along two valleys.
const float kCrossCentreX = -1.45f;
const float kCrossWallHalf = 2.0f;
const float kCrossHalf = 2.3f;  // with its overhang
const float kCrossPitch = 1.4f;
const float kCrossRidge = 7.4f;  // top of its roof at the ridge
const float kCrossFrontZ = kFront + 0.6f;
const float kCrossUnderWall = 4.35f;  // where its underside meets the facade's top

float crossTop(float x) {
    return kCrossRidge - kCrossPitch * std::abs(x - kCrossCentreX);
}
// Where the cross gable's roof runs into the main roof's front slope.
float valleyZ(float x) {
    return (kRidgeTop - crossTop(x)) / kRoofPitch + kRidgeZ;
}

const Chimney kChimneys[2] = {{{{2.6f, -6.3f}, {3.4f, -5.5f}}, 9.3f},
                              {{{-4.4f, -7.3f}, {-3.6f, -6.5f}}, 9.0f}};

// The roof surface (top or underside) over rectangles of the (x, z) plane, minus holes.
void addSlope(Part part, const Rect2& area, const std::vector<Rect2>& holes, bool top) {
    for (const Rect2& r : subtractRects(area, holes)) {
        auto at = [&](float x, float z) {
            return glm::vec3(x, top ? roofTop(z) : roofUnderside(z), z);
        };
        const float zMid = 0.5f * (r.min.y + r.max.y);
        const float slopeSign = zMid > kRidgeZ ? 1.0f : -1.0f;
        glm::vec3 outward = glm::vec3(0.0f, 1.0f, slopeSign * kRoofPitch);
        if (!top) outward = -outward;
        part.mesh.addQuad(at(r.min.x, r.min.y), at(r.max.x, r.min.y), at(r.max.x, r.max.y),
                          at(r.min.x, r.max.y), outward, part.repeat);
    }
}

// The slab's edge between underside and top along a line of constant x or z.
void addEdgeAlongX(Part part, float x0, float x1, float z, glm::vec3 outward) {
    part.mesh.addQuad({x0, roofUnderside(z), z}, {x1, roofUnderside(z), z}, {x1, roofTop(z), z},
                      {x0, roofTop(z), z}, outward, part.repeat);
}
void addEdgeAlongZ(Part part, float x, float z0, float z1, glm::vec3 outward) {
    std::vector<glm::vec3> corners = {{x, roofUnderside(z0), z0},
                                      {x, roofUnderside(z1), z1},
                                      {x, roofTop(z1), z1},
                                      {x, roofTop(z0), z0}};
    if ((z0 - kRidgeZ) * (z1 - kRidgeZ) < 0.0f) {  // the edge crosses the ridge: a pentagon
        corners = {{x, roofUnderside(z0), z0},     {x, roofUnderside(kRidgeZ), kRidgeZ},
                   {x, roofUnderside(z1), z1},     {x, roofTop(z1), z1},
                   {x, roofTop(kRidgeZ), kRidgeZ}, {x, roofTop(z0), z0}};
        part.mesh.addFlatPolygon({corners[0], corners[1], corners[4], corners[5]}, outward,
                                 part.repeat);
        part.mesh.addFlatPolygon({corners[1], corners[2], corners[3], corners[4]}, outward,
                                 part.repeat);
        return;
    }
    part.mesh.addFlatPolygon(corners, outward, part.repeat);
}

void buildMainRoof(SceneModel& scene) {
    Part slates = part(scene, "roof", mat::kRoofSlate);
    std::vector<Rect2> holes;
    for (const Chimney& c : kChimneys) holes.push_back(c.footprint);
    const float crossLeft = kCrossCentreX - kCrossHalf;
    const float crossRight = kCrossCentreX + kCrossHalf;
    const Rect2 frontMiddle{{kTowerMaxX, kRidgeZ}, {crossLeft, kEaveFrontZ}};
    const Rect2 frontRight{{crossRight, kRidgeZ}, {kGableRightX, kEaveFrontZ}};
    const Rect2 frontLeft{{kGableLeftX, kRidgeZ}, {kTowerMaxX, kTowerMinZ}};
    const Rect2 back{{kGableLeftX, kEaveBackZ}, {kGableRightX, kRidgeZ}};
    for (bool top : {true, false}) {
        addSlope(slates, frontRight, holes, top);
        addSlope(slates, frontMiddle, holes, top);
        // Behind the cross gable the main slope only reaches down to the valleys.
        for (float x0 : {crossLeft, kCrossCentreX}) {
            const float x1 = x0 + kCrossHalf;
            auto at = [&](float x, float z) {
                return glm::vec3(x, top ? roofTop(z) : roofUnderside(z), z);
            };
            const glm::vec3 outward =
                top ? glm::vec3(0, 1, kRoofPitch) : glm::vec3(0, -1, -kRoofPitch);
            slates.mesh.addQuad(at(x0, kRidgeZ), at(x1, kRidgeZ), at(x1, valleyZ(x1)),
                                at(x0, valleyZ(x0)), outward, slates.repeat);
        }
        addSlope(slates, frontLeft, holes, top);
        addSlope(slates, back, holes, top);
    }
    Part trim = part(scene, "roof_trim", mat::kTimber);
    addEdgeAlongX(trim, kTowerMaxX, crossLeft, kEaveFrontZ, {0, 0, 1});
    addEdgeAlongX(trim, crossRight, kGableRightX, kEaveFrontZ, {0, 0, 1});
    addEdgeAlongX(trim, kGableLeftX, kGableRightX, kEaveBackZ, {0, 0, -1});
    addEdgeAlongX(trim, kGableLeftX, kLeft, kTowerMinZ, {0, 0, 1});
    addEdgeAlongZ(trim, kGableRightX, kEaveBackZ, kEaveFrontZ, {1, 0, 0});
    addEdgeAlongZ(trim, kGableLeftX, kEaveBackZ, kTowerMinZ, {-1, 0, 0});

    // Iron cresting along the ridge: a rail on spikes.
    Part iron = part(scene, "roof_cresting", mat::kWroughtIron);
    for (float x = kLeft + 0.2f; x < kRight - 0.1f; x += 0.3f) {
        addBox(iron.mesh, {x - 0.015f, kRidgeTop - 0.02f, kRidgeZ - 0.015f},
               {x + 0.015f, kRidgeTop + 0.42f, kRidgeZ + 0.015f}, iron.repeat, kNoBottom);
        addPyramidSides(iron.mesh,
                        {{x - 0.03f, kRidgeTop + 0.42f, kRidgeZ + 0.03f},
                         {x + 0.03f, kRidgeTop + 0.42f, kRidgeZ + 0.03f},
                         {x + 0.03f, kRidgeTop + 0.42f, kRidgeZ - 0.03f},
                         {x - 0.03f, kRidgeTop + 0.42f, kRidgeZ - 0.03f}},
                        {x, kRidgeTop + 0.55f, kRidgeZ}, iron.repeat);
    }
    addBox(iron.mesh, {kLeft + 0.15f, kRidgeTop + 0.3f, kRidgeZ - 0.02f},
           {kRight - 0.15f, kRidgeTop + 0.34f, kRidgeZ + 0.02f}, iron.repeat);
}

void buildCrossGable(SceneModel& scene) {
    Part stone = part(scene, "house_walls", mat::kStoneWall);
    const float c = kCrossCentreX;
    stone.mesh.addFlatPolygon({{c - kCrossWallHalf, kCrossUnderWall, kFront},
                               {c + kCrossWallHalf, kCrossUnderWall, kFront},
                               {c, kCrossUnderWall + kCrossPitch * kCrossWallHalf, kFront}},
                              {0, 0, 1}, stone.repeat);
    Part slates = part(scene, "roof", mat::kRoofSlate);
    Part trim = part(scene, "roof_trim", mat::kTimber);
    const float thickness = kCrossRidge - kCrossUnderWall - kCrossPitch * kCrossWallHalf;
    for (float side : {-1.0f, 1.0f}) {
        const float edge = c + side * kCrossHalf;
        const glm::vec3 ridgeFront(c, kCrossRidge, kCrossFrontZ);
        const glm::vec3 eaveFront(edge, crossTop(edge), kCrossFrontZ);
        const glm::vec3 eaveBack(edge, crossTop(edge), valleyZ(edge));
        const glm::vec3 ridgeBack(c, kCrossRidge, valleyZ(c));
        const glm::vec3 outward(side * kCrossPitch, 1, 0);
        slates.mesh.addQuad(ridgeFront, eaveFront, eaveBack, ridgeBack, outward, slates.repeat);
        const glm::vec3 down(0, -thickness, 0);
        const glm::vec3 wallRidge(c, kCrossRidge, kFront);
        const glm::vec3 wallEave(edge, crossTop(edge), kFront);
        trim.mesh.addQuad(ridgeFront + down, eaveFront + down, wallEave + down, wallRidge + down,
                          -outward, trim.repeat);
        trim.mesh.addQuad(ridgeFront + down, eaveFront + down, eaveFront, ridgeFront, {0, 0, 1},
                          trim.repeat);
        trim.mesh.addQuad(eaveFront + down, eaveBack + down, eaveBack, eaveFront, {side, 0, 0},
                          trim.repeat);
    }
    Part iron = part(scene, "roof_cresting", mat::kWroughtIron);
    const glm::vec3 apex(c, kCrossRidge, kCrossFrontZ - 0.1f);
    addTube(iron.mesh, apex - glm::vec3(0, 0.1f, 0), apex + glm::vec3(0, 0.9f, 0), 0.035f, 0.012f,
            8, iron.repeat, true, false, true);
    addEllipsoid(iron.mesh, apex + glm::vec3(0, 0.35f, 0), glm::vec3(0.07f), 8, 5, iron.repeat);
}

void buildChimneys(SceneModel& scene) {
    Part brick = part(scene, "chimneys", mat::kBrick);
    for (const Chimney& c : kChimneys) {
        const float x0 = c.footprint.min.x;
        const float x1 = c.footprint.max.x;
        const float z0 = c.footprint.min.y;
        const float z1 = c.footprint.max.y;
        addPlaneRects(brick, Axis::Z, z1, 1.0f, {{x0, roofTop(z1)}, {x1, c.top}});
        addPlaneRects(brick, Axis::Z, z0, -1.0f, {{x0, roofTop(z0)}, {x1, c.top}});
        for (float x : {x0, x1}) {
            brick.mesh.addFlatPolygon(
                {{x, roofTop(z0), z0}, {x, roofTop(z1), z1}, {x, c.top, z1}, {x, c.top, z0}},
                {x == x0 ? -1.0f : 1.0f, 0, 0}, brick.repeat);
        }
        addBox(brick.mesh, {x0 - 0.08f, c.top, z0 - 0.08f}, {x1 + 0.08f, c.top + 0.15f, z1 + 0.08f},
               brick.repeat);
        addBox(brick.mesh, {x0 + 0.1f, c.top + 0.15f, z0 + 0.1f},
               {x1 - 0.1f, c.top + 0.2f, z1 - 0.1f}, brick.repeat, kNoBottom);
    }
}

void buildTowerRoof(SceneModel& scene) {
    const float overhang = 0.35f;
    const float x0 = kTowerMinX - overhang;
    const float x1 = kTowerMaxX + overhang;
    const float z0 = kTowerMinZ - overhang;
    const float z1 = kTowerMaxZ + overhang;
    const float fasciaTop = kTowerTop + 0.18f;
    const glm::vec3 apex(0.5f * (x0 + x1), 15.6f, 0.5f * (z0 + z1));
    Part slates = part(scene, "tower_roof", mat::kRoofSlate);
    addPyramidSides(
        slates.mesh,
        {{x0, fasciaTop, z1}, {x1, fasciaTop, z1}, {x1, fasciaTop, z0}, {x0, fasciaTop, z0}}, apex,
        slates.repeat);
    Part trim = part(scene, "tower_trim", mat::kTimber);
    addBox(trim.mesh, {x0, kTowerTop, z0}, {x1, fasciaTop, z1}, trim.repeat,
           kAllFaces & ~kFacePosY);
    Part iron = part(scene, "tower_finial", mat::kWroughtIron);
    addTube(iron.mesh, apex - glm::vec3(0, 0.2f, 0), apex + glm::vec3(0, 1.3f, 0), 0.05f, 0.02f, 8,
            iron.repeat, true, false, true);
    addEllipsoid(iron.mesh, apex + glm::vec3(0, 0.5f, 0), glm::vec3(0.1f), 10, 6, iron.repeat);
    for (int i = 0; i < 2; ++i) {  // a weathervane cross
        const glm::vec3 arm = i == 0 ? glm::vec3(0.35f, 0, 0) : glm::vec3(0, 0, 0.35f);
        addTube(iron.mesh, apex + glm::vec3(0, 0.9f, 0) - arm, apex + glm::vec3(0, 0.9f, 0) + arm,
                0.015f, 0.015f, 6, iron.repeat, true, true, true);
    }
}
}  // namespace

void buildRoofs(SceneModel& scene) {
    buildMainRoof(scene);
    buildCrossGable(scene);
    buildChimneys(scene);
    buildTowerRoof(scene);
}
