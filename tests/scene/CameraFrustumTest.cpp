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

// Where a movement goes in the picture: the displacement in eye space (x right, y up, -z ahead).
glm::vec3 movedInView(Camera& camera, float a, float b, float c) {
    const glm::vec3 before = camera.position;
    camera.move(a, b, c);
    return glm::mat3(camera.view) * (camera.position - before);
}

void expectMovesFollowThePicture(Camera& camera, const char* setBy) {
    SCOPED_TRACE(setBy);
    expectNear(glm::vec3(camera.view * glm::vec4(camera.position, 1)), {0, 0, 0});
    expectNear(movedInView(camera, 1, 0, 0), {-1, 0, 0});  // A
    expectNear(movedInView(camera, -1, 0, 0), {1, 0, 0});  // D
    expectNear(movedInView(camera, 0, -1, 0), {0, 1, 0});  // E
    expectNear(movedInView(camera, 0, 0, 1), {0, 0, -1});  // W
    EXPECT_NEAR(camera.right.y, 0.0f, 1e-6f);              // sideways stays level
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

// A (move(+a)) goes to the left of the picture, D to the right, E up it and W into it, whichever
// of construction, the path's setLookAt or mouse look set the view last. Catches a side vector
// taken as up x front in one of them and front x up in another, and a view that does not put the
// eye at the origin.
TEST(Camera, MovesToTheSameSideOfThePictureWhateverSetTheViewLast) {
    Camera camera({0, 0, 0}, {3, -1, -2}, 45, 320, 192, 0.1f, 150);
    expectMovesFollowThePicture(camera, "construction");
    camera.setLookAt({5, 1, 5}, {4, 2, 7});
    expectMovesFollowThePicture(camera, "setLookAt, looking up");
    camera.rotate(0.3f, -2.0f);
    expectMovesFollowThePicture(camera, "rotate");
    camera.setLookAt({-1, 0, 2}, {-1, 0, -9});
    expectMovesFollowThePicture(camera, "setLookAt, level");
}

// Turns made while the path flew must not wait in the angles: the first mouse movement after the
// path placed the view (a pause) turns it by the mouse's amount from where it is, right for a
// positive yaw and up for a negative pitch delta; pitch stops short of vertical, where the view
// would flip over.
TEST(Camera, MouseLookTurnsFromTheViewThePathSetAndStopsShortOfVertical) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    camera.rotate(-0.4f, 2.9f);  // turned while the path flew
    camera.setLookAt({5, 1, 5}, {6, 1.5f, 4});
    const glm::vec3 placed = camera.front;
    const glm::vec3 placedRight = camera.right;
    camera.rotate(0.0f, 0.3f);  // 150 pixels to the right
    const auto level = [](glm::vec3 v) { return glm::normalize(glm::vec3(v.x, 0, v.z)); };
    EXPECT_NEAR(std::acos(glm::dot(level(placed), level(camera.front))), 0.3f, 1e-4f);
    EXPECT_GT(glm::dot(camera.front - placed, placedRight), 0.0f);
    EXPECT_NEAR(camera.front.y, placed.y, 1e-5f);  // a horizontal movement keeps the height
    expectNear(camera.position, {5, 1, 5});

    const float height = std::asin(camera.front.y);
    camera.rotate(-0.2f, 0.0f);  // the mouse up
    EXPECT_NEAR(std::asin(camera.front.y), height + 0.2f, 1e-4f);
    for (const float delta : {-10.0f, 20.0f}) {
        camera.rotate(delta, 0.0f);
        EXPECT_NEAR(std::abs(camera.front.y), std::sin(kMaxPitch), 1e-6f);
        EXPECT_GT(camera.up.y, 0.0f);  // not upside down
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isfinite(camera.view[i][i]));
    }
}
