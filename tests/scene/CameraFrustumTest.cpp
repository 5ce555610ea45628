#include <gtest/gtest.h>

#include <array>

#include "Camera.h"
#include "Frustum.h"

namespace {
std::array<glm::vec3, 8> box(glm::vec3 min, glm::vec3 max) {
    std::array<glm::vec3, 8> corners;
    for (int i = 0; i < 8; ++i) {
        corners[i] = glm::vec3((i & 4) ? min.x : max.x, (i & 2) ? min.y : max.y,
                               (i & 1) ? min.z : max.z);
    }
    return corners;
}

// A camera at the origin looking down -Z, with a 90-degree square lens from 1 to 10.
Frustum lookingDownNegativeZ() {
    Frustum frustum;
    frustum.setLens(90.0f, 1.0f, 1.0f, 10.0f);
    frustum.build({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
    return frustum;
}

void expectNear(glm::vec3 actual, glm::vec3 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5);
    EXPECT_NEAR(actual.y, expected.y, 1e-5);
    EXPECT_NEAR(actual.z, expected.z, 1e-5);
}
}  // namespace

TEST(Frustum, ClassifiesBoxesAgainstTheSixPlanes) {
    const Frustum frustum = lookingDownNegativeZ();
    EXPECT_EQ(frustum.testBox(box({-0.5f, -0.5f, 2.0f}, {0.5f, 0.5f, 3.0f})), Outside);  // behind
    EXPECT_EQ(frustum.testBox(box({-0.5f, -0.5f, -5.0f}, {0.5f, 0.5f, -4.0f})), Inside);
    EXPECT_EQ(frustum.testBox(box({-1, -1, -1}, {1, 1, 1})), Intersect);  // holds the camera
    EXPECT_EQ(frustum.testBox(box({-0.5f, -0.5f, -20.0f}, {0.5f, 0.5f, -12.0f})), Outside);
    EXPECT_EQ(frustum.testBox(box({20, -1, -6}, {21, 1, -5})), Outside);  // off to the right
}

TEST(Frustum, LargeBoxAcrossACornerIsDrawn) {
    const Frustum frustum = lookingDownNegativeZ();
    // Beyond the far right edge (x = 10, z = -10), so no point of it is inside, yet every plane
    // has a corner on its inner side: the test is conservative and keeps it.
    const auto corners = box({10.5f, -1.0f, -100.0f}, {100.0f, 1.0f, -9.0f});
    EXPECT_EQ(frustum.testBox(corners), Intersect);
}

TEST(Frustum, CornerExactlyOnAPlaneCountsAsInside) {
    Frustum frustum = lookingDownNegativeZ();
    // A flat box lying in the far plane (z = -10) is on it, not behind it.
    EXPECT_EQ(frustum.testBox(box({-1, -1, -10}, {1, 1, -10})), Inside);
    // Plane normals point inwards.
    for (const Plane& plane : frustum.planes) EXPECT_GT(plane.distance({0, 0, -5}), 0.0f);
}

TEST(Frustum, LensValuesFollowTheAngle) {
    Frustum frustum;
    frustum.setLens(90.0f, 2.0f, 0.5f, 20.0f);
    EXPECT_NEAR(frustum.tang, 1.0f, 1e-6);
    EXPECT_NEAR(frustum.nh, 0.5f, 1e-6);
    EXPECT_NEAR(frustum.nw, 1.0f, 1e-6);
    EXPECT_NEAR(frustum.fh, 20.0f, 1e-5);
    EXPECT_NEAR(frustum.fw, 40.0f, 1e-5);
}

TEST(Camera, ConstructionLooksAtTheTargetWithWorldUp) {
    Camera camera({1, 2, 3}, {1, 2, -7}, 45, 320, 192, 0.1f, 150);
    expectNear(camera.front, {0, 0, -1});
    expectNear(camera.up, {0, 1, 0});
    expectNear(camera.right, {-1, 0, 0});  // up x front
    const glm::vec4 eye = camera.view * glm::vec4(1, 2, 3, 1);
    expectNear(glm::vec3(eye), {0, 0, 0});
    EXPECT_EQ(camera.getProjection(), camera.projection);
}

TEST(Camera, MoveUsesTheSideVectorOfWhateverSetItLast) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    camera.move(1, 0, 0);  // A: -a * right with right = up x front = -X, so +X
    expectNear(camera.position, {1, 0, 0});
    camera.move(0, 0, 2);  // W: forward
    expectNear(camera.position, {1, 0, -2});
    camera.move(0, 1, 0);  // Q: down
    expectNear(camera.position, {1, -1, -2});

    // After rotate the side vector is front x up: the same A press now moves the other way.
    camera.rotate(0.0f, -1.5707964f);  // yaw -90 degrees looks down -Z again
    expectNear(camera.front, {0, 0, -1});
    expectNear(camera.right, {1, 0, 0});
    camera.move(1, 0, 0);
    expectNear(camera.position, {0, -1, -2});
}

TEST(Camera, RotateStartsFromTheAccumulatedAnglesNotTheLookAt) {
    Camera camera({0, 0, 0}, {0, 0, -1}, 45, 320, 192, 0.1f, 150);
    camera.rotate(0, 0);
    expectNear(camera.front, {1, 0, 0});  // yaw 0, pitch 0 looks along +X

    camera.rotate(0, 0.5f);
    camera.setLookAt({5, 5, 5}, {5, 5, 0});
    EXPECT_FLOAT_EQ(camera.yaw, 0.5f);  // setLookAt keeps the angles
    expectNear(camera.front, {0, 0, -1});
    EXPECT_EQ(camera.target, glm::vec3(0, 0, -1));  // the construction target is kept
    camera.rotate(-0.2f, 0);
    EXPECT_FLOAT_EQ(camera.pitch, 0.2f);
    expectNear(camera.front, glm::normalize(glm::vec3(std::cos(0.5f) * std::cos(0.2f),
                                                      std::sin(0.2f),
                                                      std::sin(0.5f) * std::cos(0.2f))));
    expectNear(camera.position, {5, 5, 5});
}
