#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "Camera.h"
#include "Frustum.h"

namespace {
std::array<glm::vec3, 8> box(glm::vec3 min, glm::vec3 max) {
    std::array<glm::vec3, 8> corners;
    for (int i = 0; i < 8; ++i)
        corners[i] = glm::vec3(i & 4 ? min.x : max.x, i & 2 ? min.y : max.y, i & 1 ? min.z : max.z);
    return corners;
}

void expectNear(glm::vec3 actual, glm::vec3 expected) {
    EXPECT_LT(glm::distance(actual, expected), 1e-5f)
        << actual.x << ", " << actual.y << ", " << actual.z;
}
}  // namespace

// Catches a plane facing outwards or from wrong lens values, the aspect on the wrong axis, and a
// box test that drops boxes it should keep: the camera looks down -Z, 90 degrees, from 1 to 10.
TEST(Frustum, ClassifiesBoxesAgainstTheSixPlanes) {
    const struct {
        float aspect;
        glm::vec3 min, max;
        int expected;
        const char* where;
    } rows[] = {
        {1, {-0.5f, -0.5f, 2.0f}, {0.5f, 0.5f, 3.0f}, Outside, "behind the camera"},
        {1, {-0.5f, -0.5f, -5.0f}, {0.5f, 0.5f, -4.0f}, Inside, "ahead"},
        {1, {-1, -1, -1}, {1, 1, 1}, Intersect, "around the camera"},
        {1, {-0.5f, -0.5f, -20.0f}, {0.5f, 0.5f, -12.0f}, Outside, "beyond the far plane"},
        {1, {20, -1, -6}, {21, 1, -5}, Outside, "off to the right"},
        {1, {-4, 3.5f, -5}, {-3, 4.5f, -4}, Intersect, "across the top edge"},
        // No point of it is inside, but every plane has a corner inside: conservatively kept.
        {1,
         {10.5f, -1.0f, -100.0f},
         {100.0f, 1.0f, -9.0f},
         Intersect,
         "across the far right corner"},
        {1, {-1, -1, -10}, {1, 1, -10}, Inside, "flat in the far plane"},
        // A 2:1 lens is twice as wide as it is high at the same vertical angle.
        {2, {5.5f, -0.5f, -5.0f}, {6.5f, 0.5f, -4.0f}, Inside, "wide lens, far to the right"},
        {2, {-0.5f, 5.5f, -5.0f}, {0.5f, 6.5f, -4.0f}, Outside, "wide lens, as far up"},
    };
    for (const auto& row : rows) {
        Frustum frustum;
        frustum.setLens(90.0f, row.aspect, 1.0f, 10.0f);
        frustum.build({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
        EXPECT_EQ(frustum.testBox(box(row.min, row.max)), row.expected) << row.where;
    }
}

// Catches a view matrix that does not put the eye at the origin; the side vector changing
// convention (construction makes it up x front, rotate front x up, so the same A press moves the
// camera the other way once the mouse has turned it); rotate starting from the look-at direction
// instead of the accumulated angles, and setLookAt losing the angles or the construction target.
TEST(Camera, MoveAndRotateKeepTheirConventionsAndTheAccumulatedAngles) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    expectNear(glm::vec3(camera.view * glm::vec4(0, 0, -2, 1)), {0, 0, -2});
    camera.move(1, 0, 0);  // A: -a * right with right = -X, so +X
    camera.move(0, 0, 2);  // W: forward
    camera.move(0, 1, 0);  // Q: down
    expectNear(camera.position, {1, -1, -2});
    camera.rotate(0.0f, -1.5707964f);  // yaw -90 degrees looks down -Z again
    expectNear(camera.front, {0, 0, -1});
    camera.move(1, 0, 0);
    expectNear(camera.position, {0, -1, -2});

    camera.rotate(0, 0.5f);
    camera.setLookAt({5, 5, 5}, {5, 5, 0});
    expectNear(camera.front, {0, 0, -1});
    EXPECT_EQ(camera.target, glm::vec3(0, 0, -1));
    camera.rotate(-0.2f, 0);
    const float yaw = 0.5f - 1.5707964f;  // the angles accumulated before setLookAt
    expectNear(camera.front,
               glm::normalize(glm::vec3(std::cos(yaw) * std::cos(0.2f), std::sin(0.2f),
                                        std::sin(yaw) * std::cos(0.2f))));
    expectNear(camera.position, {5, 5, 5});
}
