#include <string>

#include "scene/HouseParts.h"
#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
// A window drawn on a wall: its rectangle on the wall plane and which way the wall faces.
struct WallWindow {
    Axis axis;     // X or Z
    float plane;   // the wall face
    float facing;  // +1 or -1 along the axis
    Rect2 area;    // (along, y), along = z on an X wall, x on a Z wall
    const char* group;
};

glm::vec3 wallPoint(const WallWindow& w, float along, float y, float out) {
    const float at = w.plane + w.facing * out;
    return w.axis == Axis::X ? glm::vec3(at, y, along) : glm::vec3(along, y, at);
}

glm::vec3 wallNormal(const WallWindow& w) {
    return w.axis == Axis::X ? glm::vec3(w.facing, 0, 0) : glm::vec3(0, 0, w.facing);
}

// The picture of the window, a few millimetres proud of the wall, mapped once so that its
// panes and frame match the texture; u runs left to right as seen from outside.
void addWindowPicture(MeshBuilder& mesh, const WallWindow& w) {
    const glm::vec3 n = wallNormal(w);
    const glm::vec3 right = glm::cross(glm::vec3(0, 1, 0), n);
    const bool alongIncreasesRight = (w.axis == Axis::X ? right.z : right.x) > 0.0f;
    const float left = alongIncreasesRight ? w.area.min.x : w.area.max.x;
    const float rightEdge = alongIncreasesRight ? w.area.max.x : w.area.min.x;
    const glm::vec3 corners[4] = {
        wallPoint(w, left, w.area.min.y, 0.005f), wallPoint(w, rightEdge, w.area.min.y, 0.005f),
        wallPoint(w, rightEdge, w.area.max.y, 0.005f), wallPoint(w, left, w.area.max.y, 0.005f)};
    const glm::vec2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    mesh.addMappedQuad(corners, uvs, n);
}

// A box standing out from the wall between two (along, y) corners.
void addProudBox(Part part, const WallWindow& w, glm::vec2 a, glm::vec2 b, float depth) {
    const glm::vec3 p = wallPoint(w, a.x, a.y, 0.0f);
    const glm::vec3 q = wallPoint(w, b.x, b.y, depth);
    const unsigned back = w.axis == Axis::X ? (w.facing > 0 ? kFaceNegX : kFacePosX)
                                            : (w.facing > 0 ? kFaceNegZ : kFacePosZ);
    addBox(part.mesh, glm::min(p, q), glm::max(p, q), part.repeat, kAllFaces & ~back);
}

void addSurround(SceneModel& scene, const WallWindow& w, bool withSill) {
    Part frame = part(scene, "window_frames", mat::kTimber);
    const float t = 0.08f;
    const float d = 0.07f;
    const Rect2& r = w.area;
    addProudBox(frame, w, {r.min.x - t, r.min.y - t}, {r.min.x, r.max.y + t}, d);
    addProudBox(frame, w, {r.max.x, r.min.y - t}, {r.max.x + t, r.max.y + t}, d);
    addProudBox(frame, w, {r.min.x, r.max.y}, {r.max.x, r.max.y + t}, d);
    addProudBox(frame, w, {r.min.x, r.min.y - t}, {r.max.x, r.min.y}, d);
    if (!withSill) return;
    Part stone = part(scene, "window_stones", mat::kTombstone);
    addProudBox(stone, w, {r.min.x - 0.18f, r.min.y - t - 0.09f}, {r.max.x + 0.18f, r.min.y - t},
                0.14f);
    addProudBox(stone, w, {r.min.x - 0.14f, r.max.y + t}, {r.max.x + 0.14f, r.max.y + t + 0.16f},
                0.1f);
}

const WallWindow kWindows[] = {
    // Front facade; two upper rooms have a lamp burning.
    {Axis::Z, kFront, 1.0f, {{-6.2f, 2.3f}, {-4.9f, 3.7f}}, "windows_lit"},
    {Axis::Z, kFront, 1.0f, {{2.0f, 2.3f}, {3.3f, 3.7f}}, "windows_front"},
    {Axis::Z, kFront, 1.0f, {{-6.2f, -0.6f}, {-4.9f, 1.0f}}, "windows_front"},
    {Axis::Z, kFront, 1.0f, {{2.0f, -0.6f}, {3.3f, 1.0f}}, "windows_front"},
    {Axis::Z,
     kFront,
     1.0f,
     {{-1.85f, 4.75f}, {-1.05f, 5.75f}},
     "windows_front"},  // in the cross gable
    // Tower.
    {Axis::Z, kTowerMaxZ, 1.0f, {{-8.85f, -0.2f}, {-7.95f, 1.3f}}, "windows_tower"},
    {Axis::Z, kTowerMaxZ, 1.0f, {{-8.85f, 2.6f}, {-7.95f, 4.1f}}, "windows_lit"},
    {Axis::Z, kTowerMaxZ, 1.0f, {{-8.85f, 6.4f}, {-7.95f, 7.9f}}, "windows_tower"},
    {Axis::X, kTowerMinX, -1.0f, {{-0.6f, 2.6f}, {0.3f, 4.1f}}, "windows_tower"},
    {Axis::X, kTowerMinX, -1.0f, {{-0.6f, 6.4f}, {0.3f, 7.9f}}, "windows_tower"},
    // Left side (the broken ground-floor window is built on its own).
    {Axis::X, kLeft, -1.0f, {{-6.9f, 2.3f}, {-5.7f, 3.7f}}, "windows_left"},
    {Axis::X, kLeft, -1.0f, {{-4.5f, 2.3f}, {-3.3f, 3.7f}}, "windows_left"},
    {Axis::X, kLeft, -1.0f, {{-4.3f, 5.0f}, {-3.2f, 6.1f}}, "windows_left"},
    // Right side.
    {Axis::X, kRight, 1.0f, {{-6.5f, -0.6f}, {-5.3f, 1.0f}}, "windows_right"},
    {Axis::X, kRight, 1.0f, {{-1.3f, -0.6f}, {-0.1f, 1.0f}}, "windows_right"},
    {Axis::X, kRight, 1.0f, {{-6.5f, 2.3f}, {-5.3f, 3.7f}}, "windows_right"},
    {Axis::X, kRight, 1.0f, {{-1.3f, 2.3f}, {-0.1f, 3.7f}}, "windows_right"},
    {Axis::X, kRight, 1.0f, {{-4.3f, 5.0f}, {-3.2f, 6.1f}}, "windows_right"},
    // Back.
    {Axis::Z, kBack, -1.0f, {{-7.5f, 2.3f}, {-6.3f, 3.7f}}, "windows_back"},
    {Axis::Z, kBack, -1.0f, {{-1.5f, 2.3f}, {-0.3f, 3.7f}}, "windows_back"},
    {Axis::Z, kBack, -1.0f, {{3.0f, 2.3f}, {4.2f, 3.7f}}, "windows_back"},
    {Axis::Z, kBack, -1.0f, {{-6.6f, -0.6f}, {-5.4f, 1.0f}}, "windows_back"},
    {Axis::Z, kBack, -1.0f, {{3.0f, -0.6f}, {4.2f, 1.0f}}, "windows_back"},
};

// The same ground-floor windows seen from inside.
const WallWindow kInsideWindows[] = {
    {Axis::Z, kFront - kWall, -1.0f, {{-6.2f, -0.6f}, {-4.9f, 1.0f}}, "windows_inside"},
    {Axis::Z, kFront - kWall, -1.0f, {{2.0f, -0.6f}, {3.3f, 1.0f}}, "windows_inside"},
    {Axis::Z, kBack + kWall, 1.0f, {{-6.6f, -0.6f}, {-5.4f, 1.0f}}, "windows_inside"},
    {Axis::Z, kBack + kWall, 1.0f, {{3.0f, -0.6f}, {4.2f, 1.0f}}, "windows_inside"},
    {Axis::X, kRight - kWall, -1.0f, {{-6.5f, -0.6f}, {-5.3f, 1.0f}}, "windows_inside"},
    {Axis::X, kRight - kWall, -1.0f, {{-1.3f, -0.6f}, {-0.1f, 1.0f}}, "windows_inside"},
};
}  // namespace

void buildHouseWindows(SceneModel& scene) {
    for (const WallWindow& w : kWindows) {
        const bool lit = std::string(w.group) == "windows_lit";
        addWindowPicture(scene.mesh(w.group, lit ? mat::kLitWindow : mat::kWindows), w);
        addSurround(scene, w, true);
    }
    for (const WallWindow& w : kInsideWindows) {
        addWindowPicture(scene.mesh(w.group, mat::kWindowsInside), w);
        addSurround(scene, w, false);
    }
    // The upper window above the door, lit until the flight swaps its picture: its own mesh.
    using anchors::kChangingWindowMax;
    using anchors::kChangingWindowMin;
    const WallWindow special{Axis::Z,
                             kFront,
                             1.0f,
                             {{kChangingWindowMin.x, kChangingWindowMin.y},
                              {kChangingWindowMax.x, kChangingWindowMax.y}},
                             ""};
    addWindowPicture(scene.mesh(anchors::kChangingWindowMesh, mat::kLitWindow), special);
    addSurround(scene, special, true);
}
