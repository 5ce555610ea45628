#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Camera.h"
#include "CameraPath.h"
#include "Lightning.h"
#include "Mesh.h"

namespace {
class CameraPathTest : public ::testing::Test {
protected:
    Camera camera{{-2.8f, 0.1f, 28.0f}, {-2.8f, 0.1f, 0.0f}, 45, 320, 192, 0.1f, 150};
    CameraPath path{&camera, nullptr};
    // Distance of the camera from the line through the current segment.
    float offSegment() const {
        const glm::vec3 along = glm::normalize(path.to.position - path.from.position);
        return glm::length(glm::cross(camera.position - path.from.position, along));
    }
};
}  // namespace

// Catches a step that lands exactly on a key point being taken as still on the way: the path must
// move on to the next segment, with the camera on the key point reached.
TEST_F(CameraPathTest, ExactlyReachingAKeyPointIsAnArrival) {
    path.speed = 1.0f;
    path.update(path.remaining);  // rem = 0
    EXPECT_EQ(path.next, 3);
    EXPECT_EQ(path.from, path.m_keyPoints[1]);
    EXPECT_EQ(camera.position, path.m_keyPoints[1].position);
}

// Catches a long frame that passes only one key point, skips the events of those it passes, or
// runs past the end: every later update puts the camera back on the last key point.
TEST_F(CameraPathTest, LongFrameCrossesSeveralKeyPointsFiringEachEventInOrder) {
    Mesh window;
    window.textures = {{Diffuse, 7}};
    path.windowMesh = &window;
    path.blackWindowTexture = 100;
    path.figureWindowTexture = 200;
    // From the start to just past key point 84 in one frame: the black window is on.
    float distance = 0.01f;
    for (int i = 0; i < 84; ++i)
        distance += glm::distance(path.m_keyPoints[i + 1].position, path.m_keyPoints[i].position);
    path.update(distance / path.speed);
    EXPECT_EQ(path.next, 86);
    EXPECT_EQ(window.textures[0].id, 100u);
    path.update(10000.0f);  // on past the end: 87 comes after 84, so the figure stays
    EXPECT_EQ(window.textures[0].id, 200u);
    EXPECT_EQ(camera.position, path.m_keyPoints.back().position);
    camera.move(1, 2, 3);
    path.update(0.016f);
    EXPECT_EQ(camera.position, path.m_keyPoints.back().position);
}

// Catches an overshoot that is dropped or restarted at the key point, an eye that drifts off its
// segment over many small frames, a zero speed dividing by zero into an arrival, a negative speed
// that counts as arriving, and a default path without a camera that dereferences it.
TEST_F(CameraPathTest, OvershootIsCarriedOnAndTheCameraStaysOnThePathAtAnySpeed) {
    path.update((path.remaining + 0.5f) / path.speed);
    EXPECT_NEAR(glm::distance(camera.position, path.m_keyPoints[1].position), 0.5f, 1e-4f);
    for (int i = 0; i < 60 * 40; ++i) {
        path.update(1.0f / 60.0f);
        ASSERT_LT(offSegment(), 1e-3f) << "frame " << i << " next " << path.next;
    }
    const glm::vec3 there = camera.position;
    path.speed = 0.0f;
    path.update(5.0f);
    EXPECT_EQ(camera.position, there);
    path.speed = -0.9f;
    const int next = path.next;
    for (int i = 0; i < 100; ++i) path.update(1.0f);
    EXPECT_EQ(path.next, next);
    // Backwards along the segment's line, past its start.
    EXPECT_GT(glm::distance(camera.position, path.to.position),
              glm::distance(path.from.position, path.to.position));
    EXPECT_LT(offSegment(), 1e-3f);

    CameraPath empty;
    empty.active = true;
    empty.update(1.0f);
    EXPECT_EQ(empty.next, 0);
}

// Catches a thunder without its lightning, a flash on the very step of the crack (a key-point
// capture would show it and the storm's night would not hold there), strokes that stay lit, and a
// flash anywhere else in the flight: each thunder's light comes a few frames after it and is gone
// within a second.
TEST_F(CameraPathTest, EachThunderBringsItsLightningForAMoment) {
    Lightning lightning;
    path.lightning = &lightning;
    std::vector<long> thunders;
    long step = 0;
    path.onSound = [&](const char* sound, bool) {
        if (std::string(sound) == "res/Soundeffects/thunder.mp3") thunders.push_back(step);
    };
    std::vector<long> flashes;  // steps on which a flash starts
    std::vector<float> afterLastThunder;
    constexpr float dt = 1.0f / 30.0f;
    bool lit = false;
    for (step = 1; step < 30 * 150; ++step) {
        path.update(dt);
        lightning.update(dt);
        const float light = lightning.brightness();
        if (light > 0.0f && !lit) flashes.push_back(step);
        lit = light > 0.0f;
        if (!thunders.empty() && step >= thunders.back()) afterLastThunder.push_back(light);
    }
    ASSERT_EQ(thunders.size(), 2u);
    ASSERT_EQ(flashes.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_GT(flashes[i], thunders[i]) << i;
        EXPECT_LE(flashes[i], thunders[i] + 3) << i;
    }
    ASSERT_GT(afterLastThunder.size(), 30u);
    EXPECT_EQ(afterLastThunder.front(), 0.0f);
    EXPECT_GT(*std::max_element(afterLastThunder.begin(), afterLastThunder.begin() + 10), 0.8f);
    EXPECT_EQ(afterLastThunder[30], 0.0f);
}

// A tool looks ahead with a silent copy of the path: it flies where the path flies, from where the
// path is, and sets off none of the path's events (the thunders are the last of them).
TEST_F(CameraPathTest, ASilentCopyFliesTheSameWayAndFiresNothing) {
    Lightning lightning;
    path.lightning = &lightning;
    int sounds = 0;
    path.onSound = [&](const char*, bool) { ++sounds; };
    constexpr float dt = 1.0f / 30.0f;
    for (int step = 0; step < 30 * 5; ++step) path.update(dt);
    const int soundsBefore = sounds;

    Camera ahead = camera;
    CameraPath copy = path.silentCopy(&ahead);
    for (int step = 0; step < 30 * 150; ++step) {
        copy.update(dt);
        lightning.update(dt);
        EXPECT_EQ(lightning.brightness(), 0.0f) << step;
        if (lightning.brightness() != 0.0f) break;
    }
    EXPECT_EQ(sounds, soundsBefore);
    EXPECT_EQ(copy.keyPointReached(), static_cast<int>(path.m_keyPoints.size()) - 1);

    // The original, flown as far, reaches the same pose.
    for (int step = 0; step < 30 * 150; ++step) path.update(dt);
    EXPECT_EQ(ahead.position, camera.position);
    EXPECT_GT(sounds, soundsBefore);
}
