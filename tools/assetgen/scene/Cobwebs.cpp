#include "scene/Cobwebs.h"

#include <cmath>

#include "scene/Layout.h"
#include "scene/Part.h"

using namespace layout;

namespace {
const float kStrandWidth = 0.008f;
const float kWallGap = 0.01f;  // the web's anchors stand this far off the surfaces
const int kSpokes = 6;
const int kRings = 4;
// Where strands cross they must not lie in one plane: each stands this much further out than the
// one before it.
const float kStrandStep = 0.0006f;

// The n-th strand of a web whose plane faces `normal`, between two points of that plane: a thin
// flat ribbon, lifted off the plane by its place in the web.
void addStrand(Part part, glm::vec3 a, glm::vec3 b, glm::vec3 normal, int n) {
    const glm::vec3 side = 0.5f * kStrandWidth * glm::normalize(glm::cross(b - a, normal));
    const glm::vec3 lift = (kStrandStep * n) * normal;
    part.mesh.addQuad(a - side + lift, b - side + lift, b + side + lift, a + side + lift, normal,
                      part.repeat);
}

// A web across the corner where three surfaces meet at `corner`; `into` points from the corner
// into the room along each of its three edges. The web spans the triangle `size` along each edge:
// spokes from its hub to the corners and edge midpoints, rings of sagging threads between them.
void addCornerWeb(Part part, glm::vec3 corner, glm::vec3 intoX, glm::vec3 intoY, glm::vec3 intoZ,
                  float size) {
    const glm::vec3 gap = kWallGap * (intoX + intoY + intoZ);
    const glm::vec3 a = corner + gap + size * intoX;
    const glm::vec3 b = corner + gap + size * intoY;
    const glm::vec3 c = corner + gap + size * intoZ;
    // Facing the room, so that the strands' lifts carry them away from the walls.
    glm::vec3 normal = glm::normalize(glm::cross(b - a, c - a));
    if (glm::dot(normal, intoX + intoY + intoZ) < 0.0f) normal = -normal;
    const glm::vec3 hub = (a + b + c) / 3.0f;
    const glm::vec3 rim[kSpokes] = {a, 0.5f * (a + b), b, 0.5f * (b + c), c, 0.5f * (c + a)};
    int strand = 0;
    for (const glm::vec3& end : rim) addStrand(part, hub, end, normal, strand++);
    for (int ring = 1; ring <= kRings; ++ring) {
        const float f = static_cast<float>(ring) / (kRings + 0.5f);
        for (int s = 0; s < kSpokes; ++s) {
            // Each thread is pulled a little towards the hub, as a loaded web sags.
            const float pull = 0.9f + 0.1f * std::sin(3.7f * ring + 1.3f * s);
            const glm::vec3 p = hub + f * pull * (rim[s] - hub);
            const glm::vec3 q = hub + f * (rim[(s + 1) % kSpokes] - hub);
            addStrand(part, p, q, normal, strand++);
        }
    }
}
}  // namespace

void buildCobwebs(SceneModel& scene) {
    Part web = part(scene, "cobwebs", mat::kPlaster);
    const float left = kLeft + kWall;
    const float back = kBack + kWall;
    const float front = kFront - kWall;
    const glm::vec3 down(0, -1, 0);
    const glm::vec3 up(0, 1, 0);
    const glm::vec3 east(1, 0, 0);
    const glm::vec3 west(-1, 0, 0);
    const glm::vec3 south(0, 0, 1);
    const glm::vec3 north(0, 0, -1);
    // Under the ceiling in the hall's corners.
    addCornerWeb(web, {left, kCeiling, back}, east, down, south, 0.55f);
    addCornerWeb(web, {kPartition, kCeiling, back}, west, down, south, 0.5f);
    addCornerWeb(web, {kPartition, kCeiling, front}, west, down, north, 0.45f);
    addCornerWeb(web, {kTowerMaxX, kCeiling, front}, east, down, north, 0.4f);
    // Low in the corners by the floor, where no broom has reached for years.
    addCornerWeb(web, {kPartition, kFloor, back}, west, up, south, 0.3f);
    addCornerWeb(web, {kTowerMaxX, kFloor, front}, east, up, north, 0.28f);
}
